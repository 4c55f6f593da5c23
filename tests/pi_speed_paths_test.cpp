// The Pi decoder's fast paths against known pixels: the position and short
// length codes read in one lookup, and the one-block colour list update
// next to the long moves of deep 256-colour positions. Pictures are encoded
// by the test encoder and must decode to themselves, whole and in small
// windows (so codes straddle refills and window ends).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/pi_decode.h"
#include "image/pi_place.h"
#include "support/pi_encoder.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

struct Windows {
  const std::string* bytes;
  std::size_t at, size;
};

bool Next(void* c, const std::uint8_t** data, std::size_t* size) {
  auto& s = *static_cast<Windows*>(c);
  *data = reinterpret_cast<const std::uint8_t*>(s.bytes->data()) + s.at;
  *size = std::min(s.size, s.bytes->size() - s.at);
  s.at += *size;
  return *size != 0;
}

// Decodes with the stream handed out `window` bytes at a time (0: at once).
Pixels Decode(const std::string& stream, int w, int h, int colours, std::size_t window,
              bool* complete) {
  Windows ws{&stream, 0, window};
  zor::PiByteSource src{reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size(),
                        nullptr, nullptr};
  if (window != 0) src = {nullptr, 0, Next, &ws};
  zor::PiPixels px;
  if (zor::DecodePiStream(src, w, h, colours, &px) != 0) return {};
  *complete = px.complete;
  return Pixels(px.picture, px.picture + std::size_t(w) * std::size_t(h));
}

TEST(PiSpeedPaths, EncodedPicturesDecodeToThemselves) {
  struct Case {
    const char* what;
    int w, h, colours;
    unsigned detail;  // percent of fresh random colours
    std::uint32_t seed;
  } cases[] = {
      {"16 clean, greedy", 64, 40, 16, 0, 0},
      {"16 2% fresh", 64, 40, 16, 2, 0},
      {"16 8% fresh, random choices", 61, 33, 16, 8, 5},
      {"16 all fresh", 17, 19, 16, 100, 0},
      {"256 clean", 64, 40, 256, 0, 0},
      {"256 2% fresh", 64, 40, 256, 2, 3},
      {"256 8% fresh", 63, 41, 256, 8, 0},
      // Every list position, so list moves of every length.
      {"256 all fresh", 97, 61, 256, 100, 0},
      {"256 all fresh, random choices", 31, 29, 256, 100, 9},
      {"width 2", 2, 57, 16, 20, 2},
      {"odd width 3, odd pixel count", 3, 7, 256, 30, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Pixels want = zt::MakePiPicture(c.w, c.h, c.colours, 11, c.detail);
    const std::string stream = zt::EncodePiStream(want, c.w, c.h, c.colours, c.seed);
    for (std::size_t window : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
      SCOPED_TRACE(window);
      bool complete = false;
      const Pixels got = Decode(stream, c.w, c.h, c.colours, window, &complete);
      EXPECT_TRUE(complete);
      EXPECT_TRUE(got == want) << "pixels differ";
    }
  }
}

// A stream cut anywhere decodes the same however it is handed out, and the
// pixels it reached (all but the last copy's) are the picture's.
TEST(PiSpeedPaths, CutStreamsStopAtTheSamePixel) {
  for (int colours : {16, 256}) {
    SCOPED_TRACE(colours);
    const int w = 40, h = 30;
    const Pixels want = zt::MakePiPicture(w, h, colours, 21, 5);
    const std::string stream = zt::EncodePiStream(want, w, h, colours, 0);
    for (std::size_t cut = 1; cut < stream.size(); cut += 1 + cut / 8) {
      SCOPED_TRACE(cut);
      const std::string part = stream.substr(0, cut);
      bool whole = false, windowed = true;
      const Pixels a = Decode(part, w, h, colours, 0, &whole);
      const Pixels b = Decode(part, w, h, colours, 3, &windowed);
      EXPECT_TRUE(a == b);
      if (a.empty()) continue;  // the first two colours cut: no picture
      ASSERT_EQ(a.size(), want.size());
      EXPECT_FALSE(whole);
      // Up to the first pixel that differs, the picture; then zeros but for
      // at most one copy's worth of pixels.
      std::size_t same = 0;
      while (same < a.size() && a[same] == want[same]) ++same;
      std::size_t nonzero = 0;
      for (std::size_t i = same; i < a.size(); ++i) nonzero += a[i] != 0;
      EXPECT_LE(nonzero, 2u * w + 64) << "pixels decoded past the cut";
    }
  }
}

// Full-colour placement without transparency (four pixels a step, each
// store running one byte into the next pixel) against a pixel-by-pixel
// copy: every width around the step of four, cut by one pixel at the right
// and bottom edges or not; the row padding and the pixels beyond stay.
TEST(PiSpeedPaths, FullColourPlacementMatchesPixelByPixel) {
  std::uint8_t palette[768];
  for (int i = 0; i < 768; ++i) palette[i] = static_cast<std::uint8_t>(i * 7 + 1);
  for (int w = 1; w <= 13; ++w) {
    for (int sw : {w - 1, w, w + 2}) {
      if (sw < 1) continue;
      for (int x : {0, 1}) {
        SCOPED_TRACE(std::to_string(w) + " into " + std::to_string(sw) + " at " +
                     std::to_string(x));
        const int h = 3, sh = 2;  // the picture is cut at the bottom too
        Pixels picture(std::size_t(w) * h);
        for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = std::uint8_t(i * 37 + w);
        const int stride = (3 * sw + 3) & ~3;
        Pixels got(std::size_t(stride) * sh, 0xEE), want = got;
        zor::PlacePiPicture(picture.data(), w, h, {got.data(), sw, sh, 3}, x, 0, nullptr, palette);
        const int px = x < sw ? x : 0;
        for (int r = 0; r < sh && r < h; ++r) {
          for (int c = 0; c < w && px + c < sw; ++c) {
            const std::uint8_t* e = palette + 3 * picture[std::size_t(r) * w + c];
            std::uint8_t* d = want.data() + std::size_t(sh - 1 - r) * stride + 3 * (px + c);
            d[0] = e[2];
            d[1] = e[1];
            d[2] = e[0];
          }
        }
        EXPECT_TRUE(got == want);
      }
    }
  }
}

}  // namespace
