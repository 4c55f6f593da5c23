// The Pi decoder's fast paths against known pixels: the position and short
// length codes read in one lookup, and the one-block colour list update
// next to the long moves of deep 256-colour positions. Pictures are encoded
// by the test encoder and must decode to themselves, whole and in small
// windows (so codes straddle refills and window ends).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

// The stream read one bit at a time, with the colour lists as plain arrays:
// the reading the fast paths must reproduce. Returns false when the first
// two colours cannot be read. Widths from 2 (at width 1 a copy can name the
// pixel being written).
struct Reference {
  const std::string& bytes;
  std::size_t bit = 0;
  bool Read(int n, unsigned* v) {
    if (bit + std::size_t(n) > 8 * bytes.size()) return false;
    *v = 0;
    for (int i = 0; i < n; ++i, ++bit)
      *v = *v << 1 | ((std::uint8_t(bytes[bit / 8]) >> (7 - bit % 8)) & 1u);
    return true;
  }
};

bool ReferenceDecode(const std::string& stream, int w, int h, int colours, Pixels* out,
                     bool* complete) {
  Reference in{stream};
  const int n = colours;
  const std::size_t size = std::size_t(n);
  std::vector<std::vector<std::uint8_t>> lists(size, std::vector<std::uint8_t>(size));
  for (int c = 0; c < n; ++c)
    for (int i = 0; i < n; ++i) lists[c][i] = std::uint8_t((c - i + n) % n);
  const unsigned maxOnes = n == 16 ? 1 : 5;
  auto colour = [&](unsigned previous, std::uint8_t* c) {
    unsigned b, at;
    if (!in.Read(1, &b)) return false;
    if (b) {
      if (!in.Read(1, &at)) return false;
    } else {
      if (!in.Read(1, &b)) return false;
      if (!b) {
        if (!in.Read(1, &at)) return false;
        at += 2;
      } else {
        unsigned ones = 0;
        for (;;) {  // 1 bits up to maxOnes; a 0 before that ends them
          if (ones == maxOnes) break;
          if (!in.Read(1, &b)) return false;
          if (!b) break;
          ++ones;
        }
        unsigned field;
        if (!in.Read(int(ones) + 2, &field)) return false;
        at = (1u << (ones + 2)) + field;
      }
    }
    auto& list = lists[previous];
    *c = list[at];
    list.erase(list.begin() + at);
    list.insert(list.begin(), *c);
    return true;
  };
  const std::size_t lead = 4 * std::size_t(w), end = std::size_t(w) * std::size_t(h);
  Pixels all(lead + end + 2, 0);
  std::uint8_t c1, c2;
  if (!colour(0, &c1) || !colour(c1, &c2)) return false;
  for (std::size_t i = 0; i < lead + 2; ++i) all[i] = i % 2 ? c2 : c1;
  std::uint8_t* pic = all.data() + lead;
  std::size_t p = 0, written = 2;
  int previousCode = -1;
  const std::size_t distance[5] = {0, std::size_t(w), 2 * std::size_t(w), std::size_t(w) - 1,
                                   std::size_t(w) + 1};
  while (p < end) {
    unsigned code;
    if (!in.Read(2, &code)) break;
    if (code == 3) {
      unsigned b;
      if (!in.Read(1, &b)) break;
      code = 3 + b;
    }
    if (int(code) == previousCode) {
      previousCode = -1;
      bool ok = true;
      for (;;) {
        if (!colour(pic[p - 1], &pic[p])) {
          ok = false;
          break;
        }
        if (!colour(pic[p], &pic[p + 1])) {
          written = p + 1;
          ok = false;
          break;
        }
        p += 2;
        unsigned more;
        if (p >= end) break;
        if (!in.Read(1, &more)) {
          ok = false;
          break;
        }
        if (!more) break;
      }
      if (!ok) break;
      continue;
    }
    previousCode = int(code);
    unsigned ones = 0, b;
    bool ok = true;
    while ((ok = in.Read(1, &b)) && b) ++ones;
    unsigned field = 0;
    if (!ok || ones >= 31 || !in.Read(int(ones), &field)) break;
    const std::size_t d = code == 0 ? (pic[p - 1] == pic[p - 2] ? 2 : 4) : distance[code];
    const std::size_t count = std::min<std::size_t>(2 * ((1u << ones) + field), end + end % 2 - p);
    for (std::size_t i = 0; i < count; ++i) pic[p + i] = pic[p + i - d];
    p += count;
  }
  written = std::max(written, p);
  *complete = written >= end;
  out->assign(pic, pic + end);
  std::fill(out->begin() + std::ptrdiff_t(std::min(written, end)), out->end(), 0);
  return true;
}

// Random bit streams, sparse, dense and even in their bits, so that every
// code length, deep and shallow list entries, pairs whose codes just fit
// or just miss one lookup, long runs, and ends in the middle of any code
// all occur; handed out whole and in windows.
TEST(PiSpeedPaths, RandomStreamsDecodeLikeTheBitByBitReading) {
  std::mt19937 rng(77);
  int decoded = 0;
  for (int colours : {16, 256}) {
    for (int w : {2, 3, 5, 16, 33, 100}) {
      for (int round = 0; round < 40; ++round) {
        const int h = 1 + int(rng() % 12);
        std::string stream(1 + rng() % 400, '\0');
        for (char& c : stream) {
          const unsigned a = rng(), b = rng();
          c = char(round % 3 == 0 ? a & b : round % 3 == 1 ? a | b : a);
        }
        SCOPED_TRACE(std::to_string(colours) + " colours, " + std::to_string(w) + " x " +
                     std::to_string(h) + ", round " + std::to_string(round));
        Pixels want;
        bool wantComplete = false;
        const bool started = ReferenceDecode(stream, w, h, colours, &want, &wantComplete);
        for (std::size_t window : {std::size_t{0}, std::size_t{1}, std::size_t{5}}) {
          bool complete = !wantComplete;
          const Pixels got = Decode(stream, w, h, colours, window, &complete);
          ASSERT_EQ(started, !got.empty()) << window;
          if (!started) continue;
          ASSERT_TRUE(got == want) << "window " << window;
          EXPECT_EQ(wantComplete, complete);
          ++decoded;
        }
      }
    }
  }
  EXPECT_GT(decoded, 1000);  // most streams get past their first two colours
}

// Width 1, where the code for one row back less one pixel names the pixel
// being written: such a copy leaves it as the decoder found it, the same
// every time, and cleared when nothing was there.
TEST(PiSpeedPaths, WidthOneCopiesOfThePixelItselfAreStable) {
  // c1 15, c2 14; code 1 (01), 1 pair (0): pixels 0, 1 copy the leading
  // area's last 14; code 3 (110), 4 pairs (11000): pixels 2 .. 9 copy
  // themselves and stay clear; the stream then ends.
  const std::string stream = [] {
    zt::PiBitWriter b;
    for (char c : std::string("11 11 01 0 110 11000"))
      if (c != ' ') b.Bits(c == '1', 1);
    return b.out;
  }();
  bool complete = false;
  const Pixels first = Decode(stream, 1, 12, 16, 0, &complete);
  EXPECT_EQ((Pixels{14, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), first);
  EXPECT_FALSE(complete);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Decode(stream, 1, 12, 16, 1, &complete) == first);
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
