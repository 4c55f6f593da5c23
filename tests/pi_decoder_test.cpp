// The Pi header reader, stream decoder and placement, called directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "image/pi_decode.h"
#include "image/pi_header.h"
#include "image/pi_place.h"
#include "support/pi_encoder.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

const std::uint8_t* U8(const std::string& s) {
  return reinterpret_cast<const std::uint8_t*>(s.data());
}

struct Decoded {
  std::int32_t status = 0;
  Pixels pixels;
  bool complete = false;
};

// A stream handed out in windows of `window` bytes (0: all at once), the
// way file chunks are.
Decoded DecodeStream(const std::string& stream, int w, int h, int colours, std::size_t window = 0) {
  struct Windows {
    const std::string* bytes;
    std::size_t at, size;
  } ws{&stream, 0, window};
  auto next = [](void* c, const std::uint8_t** data, std::size_t* size) {
    auto& s = *static_cast<Windows*>(c);
    *data = U8(*s.bytes) + s.at;
    *size = std::min(s.size, s.bytes->size() - s.at);
    s.at += *size;
    return *size != 0;
  };
  zor::PiByteSource src{U8(stream), stream.size(), nullptr, nullptr};
  if (window != 0) src = {nullptr, 0, next, &ws};
  Decoded d;
  zor::PiPixels px;
  d.status = zor::DecodePiStream(src, w, h, colours, &px);
  if (d.status == 0) d.pixels.assign(px.picture, px.picture + std::size_t(w) * std::size_t(h));
  d.complete = px.complete;
  return d;
}

// Bits, MSB first, from '0' and '1' (other characters ignored).
std::string Bits(const std::string& text) {
  zt::PiBitWriter w;
  for (char c : text) {
    if (c == '0' || c == '1') w.Bits(c == '1', 1);
  }
  return w.out;
}

TEST(PiHeader, AcceptsAndRefuses) {
  const std::string ex = zt::PiWorkedExample();
  const std::string lead = std::string(128, 'x') + ex + "0";
  std::string noEof = "Pi" + std::string(98, 'a'), noZero = noEof;
  noZero[50] = 0x1A;
  std::string badSig = ex, longMachine = ex, planes8 = ex, planes1 = ex;
  badSig[1] = 'I';
  longMachine[12] = 0x7F;
  planes8[7] = 8, planes1[7] = 1;
  planes8.resize(18 + 769, '\0'), planes1.resize(18 + 769, '\0');
  // A 0x1A before the second "Pi" must be skipped: the comment starts after it.
  const std::string dmyPi = std::string("PiDMYa\x1A\0b\x1A\0Pi", 13) + ex.substr(2);
  const std::string commented = "Pi" + std::string(20, 'c') + ex.substr(2);  // Q at 34
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t n;  // 0: all
    std::int32_t status, w, h, colours;
    std::uint32_t offset;
  } cases[] = {
      {"worked example", ex, 0, 0, 4, 2, 16, 18},
      {"69 bytes", ex, 69, -1, -1, -1, 0, 0},
      {"no signature", badSig, 0, -1, -1, -1, 0, 0},
      {"leading block, 198 bytes", lead, 198, -1, -1, -1, 0, 0},
      {"leading block, 199 bytes", lead, 199, 0, 4, 2, 16, 146},
      {"no 0x1A", noEof, 0, -1, -1, -1, 0, 0},
      {"no 0x00 after 0x1A", noZero, 0, -1, -1, -1, 0, 0},
      {"DMY without a second Pi", std::string("PiDMY\0", 6) + ex.substr(2), 0, 0, 4, 2, 16, 22},
      {"DMY block without 0x00", "PiDMY" + std::string(70, '\x1A'), 0, -1, -1, -1, 0, 0},
      {"DMY with a second Pi", dmyPi, 0, 0, 4, 2, 16, 29},
      {"no palette, room for 16 colours", commented, 87, 0, 4, 2, 16, 38},
      {"no palette, 16 colours, one byte short", commented, 86, -1, 4, 2, 0, 0},
      {"no palette, planes 8", planes8, 0, 0, 4, 2, 256, 18},
      {"no palette, planes 1", planes1, 0, 0, 4, 2, 256, 18},
      {"machine data past the end", longMachine, 0, -1, -1, -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    zor::PiHeader h{};
    std::int32_t size[2] = {5, 5};
    EXPECT_EQ(c.status, zor::ParsePiHeader(U8(c.bytes), c.n ? c.n : c.bytes.size(), &h, size));
    EXPECT_EQ(c.w, size[0]);
    EXPECT_EQ(c.h, size[1]);
    if (c.status == 0) {
      EXPECT_EQ(c.colours, h.colourCount);
      EXPECT_EQ(c.offset, h.dataOffset);
    }
  }
}

// The 256-colour default: index bits g g g r r r b b, 3 bits expand to 8 as
// v<<5|v<<2|v>>1.
TEST(PiHeader, DefaultPalette256) {
  std::uint8_t palette[768];
  zor::PiDefaultPalette(256, palette);
  const int i = (5 << 5) | (7 << 2) | 2;
  EXPECT_EQ(0, std::memcmp(palette + 3 * i, "\xFF\xB6\xAA", 3));
}

TEST(PiStream, BitPatterns) {
  std::string alternating;  // c1 c2 c1 c2 ... over 3 x 8
  for (int i = 0; i < 12; ++i) alternating += "0 255 ";
  // Each picture is `want` followed by zeros.
  struct Case {
    std::string bits;
    int w, h, colours;
    std::string want;
    std::int32_t status = 0;
  } cases[] = {
      // c1 0, c2 15; code 1 (5 back) and code 2 (10 back) read the leading
      // area, whose c1 c2 alternation runs linearly (width 5 is odd). The
      // padding bits then copy one pair from two back.
      {"10 11 01 0 10 0 01 0", 5, 2, 16, "15 0 0 15 15 15 15 15"},
      // Code 0 after y y copies from two back, after y z from four back.
      {"10 10 01 0 01 11 11 1 10 10 0 00 100", 10, 1, 16, "0 0 15 14 14 14 14 14 14 14"},
      {"10 10 01 0 01 11 11 1 10 11 0 00 100", 10, 1, 16, "0 0 15 14 14 13 15 14 14 13"},
      // A literal run clears the previous code: code 1 after it copies.
      {"10 10 01 0 01 11 11 0 01 100", 4, 3, 16, "0 0 15 14 0 0 15 14"},
      // prev 0 k3: 14; 14 k1: 14; 14 k2: 13; 13 k2: 12; 12 k1: 12; 12 k4: 9.
      {"10 10 01 0 01 000 10 1 11 11 1 10 001 0", 4, 2, 16, "0 0 14 14 13 12 12 9"},
      // List 0 used twice: k3 gives 14 and moves it to the front, so after
      // 14 k15 -> 0, k2 gives 0 and k3 gives 15 (fresh lists: 15 and 14).
      {"10 10 01 0 01 000 011110 1 11 000 0", 4, 2, 16, "0 0 14 0 0 15 14 0"},
      // 256 colours, code 0 (four back): 30 leading 1 bits are allowed; the
      // 31st stops, leaving the first pair's leading fill.
      {"10 11 00 " + std::string(30, '1') + "0" + std::string(30, '0'), 3, 8, 256, alternating},
      {"10 11 00 " + std::string(31, '1') + "0" + std::string(31, '0'), 3, 8, 256, "0 255"},
      // 1 1 0 01: 5 pairs from 3 back, starting in the leading area; the
      // padding then reads as code 0 length 1, and code 0 again with no bits.
      {"10 11 01 11001", 3, 6, 256, "255 0 255 255 0 255 255 0 255 255 255 255"},
      // The stream ends after the first colour of a literal pair: that pixel
      // stays.
      {"10 11 00 11000 00 000", 4, 4, 16, "0 15 0 15 0 15 0 15 13"},
      // The example's first two bytes: the second row is never reached; its
      // final byte's "100", the last length code, still decodes to the end.
      {"10100100 11110001", 4, 2, 16, "0 0 15 15"},
      {"10100100 11110001 1", 4, 2, 16, "0 0 15 15 0 0 15 15"},
      // Width 1: code 3 (one row back less one) names the pixel being
      // written, which such a copy leaves cleared. c1 15, c2 14; 01 0: pixels
      // 0, 1 copy the lead's last 14; 110 11000: pixels 2 .. 9 copy themselves.
      {"11 11 01 0 110 11000", 1, 12, 16, "14 14"},
      // No stream; both colours and a copy in one byte; 0111111, needing 7
      // more bits; height 0, nothing to decode; sizes no header can give.
      {"", 4, 2, 16, "", zor::kPiNoStream},
      {"10 000 00 0", 4, 2, 16, "0 14"},
      {"01111111", 4, 2, 256, "", zor::kPiNoStream},
      {"101", 5, 0, 16, ""},
      {"101", 0, 5, 16, "", zor::kPiBadSize},
      {"101", 8193, 5, 16, "", zor::kPiBadSize},
      {"101", 5, 65536, 16, "", zor::kPiBadSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    Decoded d = DecodeStream(Bits(c.bits), c.w, c.h, c.colours);
    EXPECT_EQ(c.status, d.status);
    Pixels want(d.pixels.size(), 0);
    std::istringstream in(c.want);
    for (int i = 0, v; in >> v; ++i) want[std::size_t(i)] = std::uint8_t(v);
    EXPECT_EQ(want, d.pixels);
    EXPECT_EQ(want, DecodeStream(Bits(c.bits), c.w, c.h, c.colours, 1).pixels) << "in windows";
  }
}

TEST(PiStream, EmptyCornerAndTheLargestPicture) {
  // A picture without pixels has no corner: the transparent value stays.
  const std::uint8_t none[1] = {7};
  EXPECT_EQ(300, zor::PiCornerValue(none, 3, 0, 2, 300));

  // The largest picture, 8,192 x 65,535, by one copy of 2^30 - 1 pairs.
  const std::string s = Bits("10 10 00 " + std::string(29, '1') + "0" + std::string(29, '1'));
  zor::PiByteSource src{U8(s), s.size(), nullptr, nullptr};
  zor::PiPixels px;
  const std::int32_t status = zor::DecodePiStream(src, 8192, 65535, 16, &px);
  if (status == zor::kPiNoMemory) GTEST_SKIP() << "512 MiB not available";
  ASSERT_EQ(0, status);
  EXPECT_TRUE(px.complete);
  EXPECT_EQ(0, px.picture[std::size_t{8192} * 65535 - 1]);
}

// A stream cut anywhere decodes the same whole or in windows: the picture up
// to the last code read, then zeros. Copies at distance 16 and more are
// written in blocks ahead of the position; nothing past the last code may
// show.
TEST(PiStream, TruncatedStreamsKeepTheirPrefixThenZeros) {
  const int w = 40, h = 3;
  Pixels px(w * h);
  for (int i = 0; i < w * h; ++i) px[i] = std::uint8_t((i % w) % 16);
  for (int colours : {16, 256}) {
    const std::string stream = zt::EncodePiStream(px, w, h, colours);
    ASSERT_EQ(px, DecodeStream(stream, w, h, colours).pixels);
    for (std::size_t cut = 1; cut < stream.size(); ++cut) {
      SCOPED_TRACE(std::to_string(colours) + " cut " + std::to_string(cut));
      const std::string part = stream.substr(0, cut);
      Decoded d = DecodeStream(part, w, h, colours);
      ASSERT_TRUE(d.pixels == DecodeStream(part, w, h, colours, 3).pixels);
      if (d.status != 0 && colours == 256 && cut < 3) continue;  // the first colours cut
      ASSERT_EQ(0, d.status);
      EXPECT_FALSE(d.complete);
      std::size_t i = 0;
      while (i < px.size() && d.pixels[i] == px[i]) ++i;
      for (; i < px.size(); ++i) ASSERT_EQ(0, d.pixels[i]) << i;
    }
  }
}

// Pictures from the test encoder decode to themselves: small widths first
// (every copy distance below 32), then any up to 300; every share of fresh
// colours (so list moves of every length); varied headers; greedy or random
// encoder choices; streams handed over whole or in small windows so codes
// straddle every refill and window end.
TEST(PiStream, RandomPicturesRoundTrip) {
  const int small[] = {2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33};
  std::mt19937 rng(12345);
  for (int colours : {16, 256}) {
    for (int i = 0; i < 60; ++i) {
      const int w = i < 12 ? small[i] : 3 + int(rng() % 298);
      const int h = i < 12 ? 150 : 1 + int(rng() % 40);
      const std::uint32_t seed = rng();
      const unsigned detail = i < 12 ? 3 * unsigned(i % 4) : i % 6 == 0 ? 100 : rng() % 100;
      auto px = zt::MakePiPicture(w, h, colours, seed, detail);
      auto header = zt::PiSpec(w, h, colours, seed);
      header.storePalette = i % 3 != 0;
      header.comment.assign(rng() % 300, 'c');
      header.machineData.assign(i % 4 == 0 ? 1000 : 0, '\x1A');
      if (colours == 256 && i % 5 == 0) header.planes = 1;
      const std::size_t windows[] = {1, 2, 3, 7, 8, 9, 63};
      const std::size_t window = i % 2 == 1 ? windows[rng() % 7] : 0;
      const std::uint32_t encoderSeed = i % 3 == 1 ? rng() | 1 : 0;
      // Header, then the stream, the way the loader reads them.
      const std::string file = zt::EncodePiFile(header, px, encoderSeed);
      zor::PiHeader info{};
      std::int32_t size[2];
      ASSERT_EQ(
          0, zor::ParsePiHeader(U8(file), std::min(file.size(), zor::kPiChunkBytes), &info, size));
      EXPECT_EQ(colours, info.colourCount);
      Decoded d =
          DecodeStream(file.substr(info.dataOffset), size[0], size[1], info.colourCount, window);
      ASSERT_EQ(0, d.status);
      ASSERT_EQ(px, d.pixels) << "w " << w << " h " << h << " colours " << colours;
      EXPECT_TRUE(d.complete);
    }
  }
}

}  // namespace
