// BmpLoad's row paths (rows read straight into the screen, rows read in
// blocks, rows read past) against PlaceDib over the whole file in one
// zero-filled buffer: the same status, pixels (row padding included) and
// host palette for each placement, width, bit depth and truncation.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/dib.h"
#include "support/bmp_builder.h"
#include "support/screen.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(BmpLoad, zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);

using zt::DibSpec;
using zt::TestScreen;
using Bytes = std::vector<std::uint8_t>;

// Pixel bytes that differ from row to row and from byte to byte.
DibSpec Picture(int w, int h, std::uint16_t bits) {
  DibSpec d = DibSpec::Of(w, h, bits);
  for (std::size_t i = 0; i < d.pixels.size(); ++i) {
    d.pixels[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 11);
  }
  return d;
}

struct Outcome {
  std::int32_t status;
  Bytes pixels;
  Bytes palette;
};

void Prepare(TestScreen& s, int cx, int cy) {
  // A pattern, not zero: row padding and undrawn pixels must stay as found.
  for (std::size_t i = 0; i < s.pixelBytes(); ++i) s.bits()[i] = static_cast<std::uint8_t>(i * 7);
  s.rec()->currentX = cx;
  s.rec()->currentY = cy;
}

Outcome ThroughExport(const std::string& file, int sw, int sh, bool paletteMode, int cx, int cy) {
  TestScreen s(sw, sh, paletteMode);
  Prepare(s, cx, cy);
  Bytes pal(768, 0xCC);
  std::string name = zt::WriteTempFile("zt_bmp_fast.bmp", file);
  std::int32_t status = BmpLoad(s, name.c_str(), 0, pal.data());
  std::remove(name.c_str());
  return {status, Bytes(s.bits(), s.bits() + s.pixelBytes()), pal};
}

// The whole file in a buffer of bfSize bytes, zero past the file's end.
Outcome ThroughWholeBuffer(const std::string& file, std::uint32_t bfSize, int sw, int sh,
                           bool paletteMode, int cx, int cy) {
  TestScreen s(sw, sh, paletteMode);
  Prepare(s, cx, cy);
  Bytes pal(768, 0xCC);
  Bytes whole(bfSize, 0);
  std::copy(file.begin(), file.begin() + std::min<std::size_t>(file.size(), bfSize), whole.begin());
  std::int32_t x = cx < 0 || cx >= sw ? 0 : cx, y = cy < 0 || cy >= sh ? 0 : cy;
  std::int32_t status = zor::PlaceDib(s, whole.data() + 14, bfSize - 14, x, y, pal.data());
  if (status == 0 && file.size() < bfSize) status = -32;
  return {status, Bytes(s.bits(), s.bits() + s.pixelBytes()), pal};
}

struct Case {
  const char* what;
  int w, h;
  std::uint16_t bits;
  int sw, sh;
  bool paletteMode;
  int cx, cy;
  std::int64_t cut = 0;       // bytes removed from the file's end
  std::int64_t extra = 0;     // bfSize beyond the file; < 0: bytes after it
  std::uint32_t header = 40;  // biSize
};

TEST(BmpFastPath, MatchesTheWholeBufferPlacement) {
  const Case cases[] = {
      // Rows straight into the screen: same width, column 0; odd widths
      // give the screen rows 1 to 3 padding bytes that must survive.
      {"24 same width 4", 4, 6, 24, 4, 6, false, 0, 0},
      {"24 same width 5", 5, 6, 24, 5, 6, false, 0, 0},
      {"24 same width 6", 6, 3, 24, 6, 3, false, 0, 0},
      {"24 same width 7", 7, 9, 24, 7, 9, false, 0, 0},
      {"8 same width 5 palette", 5, 4, 8, 5, 4, true, 0, 0},
      {"8 same width 3 palette", 3, 7, 8, 3, 7, true, 0, 0},
      {"24 same width lower down", 7, 4, 24, 7, 9, false, 0, 3},
      {"24 same width taller by one", 7, 10, 24, 7, 9, false, 0, 0},
      {"24 same width cut at the bottom", 5, 20, 24, 5, 9, false, 0, 4},
      {"24 same width, current x outside", 5, 6, 24, 5, 6, false, 5, 0},
      {"24 same width, big header", 5, 6, 24, 5, 6, false, 0, 0, 0, 0, 1200},
      // Rows in blocks: clipped by one pixel, narrower, placed at x > 0.
      {"24 wider by one", 8, 5, 24, 7, 5, false, 0, 0},
      {"24 narrower by one", 6, 5, 24, 7, 5, false, 0, 0},
      {"24 at column 1", 7, 5, 24, 7, 5, false, 1, 0},
      {"24 at the last column and line", 7, 5, 24, 7, 5, false, 6, 4},
      {"8 palette at column 2", 5, 4, 8, 5, 4, true, 2, 1},
      {"8 to colour", 9, 5, 8, 9, 5, false, 0, 0},
      {"8 to colour odd", 11, 7, 8, 12, 6, false, 1, 0},
      {"1 to colour", 13, 5, 1, 13, 5, false, 0, 0},
      {"4 to palette", 13, 5, 4, 12, 5, true, 0, 0},
      {"16 to colour", 5, 5, 16, 5, 5, false, 0, 0},
      {"32 to colour", 5, 5, 32, 5, 5, false, 0, 0},
      // Many blocks, and rows read past across more than one block.
      {"8 to colour, many blocks", 3000, 200, 8, 3000, 180, false, 0, 0},
      {"8 to colour, long skip", 3000, 200, 8, 100, 10, false, 0, 0},
      {"24 same width, long skip", 1000, 200, 24, 1000, 10, false, 0, 0},
      // Short files: the missing bytes are drawn as zeros and give -32.
      {"24 same width, last byte missing", 5, 6, 24, 5, 6, false, 0, 0, 1},
      {"24 same width, last row missing", 5, 6, 24, 5, 6, false, 0, 0, 16},
      {"24 same width, half the rows", 5, 6, 24, 5, 6, false, 0, 0, 50},
      {"24 blocks, last byte missing", 8, 5, 24, 7, 5, false, 0, 0, 1},
      {"8 to colour, rows missing", 9, 5, 8, 9, 5, false, 0, 0, 30},
      {"8 palette, table cut", 5, 4, 8, 5, 4, true, 0, 0, 1000},
      {"8 long skip, cut in the skip", 3000, 200, 8, 100, 10, false, 0, 0, 300000},
      {"rows whole, bfSize beyond", 5, 6, 24, 5, 6, false, 0, 0, 0, 10},
      {"rows whole, bfSize one beyond", 8, 5, 8, 7, 5, false, 0, 0, 0, 1},
      {"file longer than bfSize", 5, 6, 24, 5, 6, false, 0, 0, 0, -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DibSpec d = Picture(c.w, c.h, c.bits);
    d.headerSize = c.header;
    std::string full = zt::MakeBmp(d);
    const std::uint32_t bfSize =
        static_cast<std::uint32_t>(std::int64_t(full.size()) + std::max<std::int64_t>(c.extra, 0));
    std::string file = zt::MakeBmp(d, bfSize);
    if (c.extra < 0) file.append(static_cast<std::size_t>(-c.extra), '\x5A');
    file.resize(file.size() - static_cast<std::size_t>(c.cut));
    Outcome want = ThroughWholeBuffer(file, bfSize, c.sw, c.sh, c.paletteMode, c.cx, c.cy);
    Outcome got = ThroughExport(file, c.sw, c.sh, c.paletteMode, c.cx, c.cy);
    EXPECT_EQ(want.status, got.status);
    EXPECT_EQ(c.cut > 0 || c.extra > 0 ? -32 : 0, got.status);
    EXPECT_TRUE(want.pixels == got.pixels) << "pixels differ";
    EXPECT_TRUE(want.palette == got.palette) << "host palette differs";
  }
}

// Failures found in the part of the head past the first 1,024 bytes, and
// the checks that see bfSize only: the statuses stay those of the whole
// buffer, and the screen is untouched.
TEST(BmpFastPath, FailuresPastTheFirstRead) {
  struct Fail {
    const char* what;
    std::uint32_t header;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    std::int64_t cut;
    std::int32_t status;
  } cases[] = {
      {"masks past the probe", 1100, 3, {0x7C00, 0x3E0, 0x1F0}, 0, 259},
      {"masks past the file's end", 1100, 3, {}, 40, 259},
      {"rows past bfSize", 40, 0, {}, 0, -259},
  };
  for (const Fail& c : cases) {
    SCOPED_TRACE(c.what);
    DibSpec d = Picture(5, 4, 16);
    d.headerSize = c.header;
    d.compression = c.compression;
    d.masks = c.masks;
    std::string full = zt::MakeBmp(d);
    // "rows past bfSize": bfSize four bytes short of the rows' end.
    std::string file = c.status == -259 ? zt::MakeBmp(d, std::int64_t(full.size()) - 4) : full;
    file.resize(file.size() - static_cast<std::size_t>(c.cut));
    const std::uint32_t bfSize =
        static_cast<std::uint32_t>(c.status == -259 ? full.size() - 4 : full.size());
    Outcome want = ThroughWholeBuffer(file, bfSize, 5, 4, false, 0, 0);
    Outcome got = ThroughExport(file, 5, 4, false, 0, 0);
    EXPECT_EQ(c.status, want.status);
    EXPECT_EQ(c.status, got.status);
    EXPECT_TRUE(want.pixels == got.pixels);
  }
}

}  // namespace

// The streaming 8-bit conversion gives the plain conversion's bytes at
// every start alignment and pixel count, and writes nothing past them.
TEST(BmpFastPath, StreamingConversionMatchesThePlainOne) {
  std::uint32_t bgr[256];
  for (int i = 0; i < 256; ++i) bgr[i] = DibSpec::EntryRgb(i);
  zor::ShiftedColours shifted;
  zor::ShiftColours(bgr, &shifted);
  Bytes src(4099);
  for (std::size_t i = 0; i < src.size(); ++i) src[i] = std::uint8_t(i * 2654435761u >> 9);
  for (std::size_t count : {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 4099}) {
    for (std::size_t offset = 0; offset < 4; ++offset) {
      SCOPED_TRACE(std::to_string(count) + " pixels at offset " + std::to_string(offset));
      alignas(16) std::uint8_t plain[3 * 4099 + 64], streamed[3 * 4099 + 64];
      std::memset(plain, 0xA5, sizeof plain);
      std::memset(streamed, 0xA5, sizeof streamed);
      zor::ConvertLine(zor::DibLine::kBit8Colour, bgr, src.data(), plain + offset, count);
      zor::IndicesToColourStreaming(shifted, src.data(), streamed + offset, count);
      zor::EndStreaming();
      ASSERT_EQ(0, std::memcmp(plain, streamed, sizeof plain));
    }
  }
}

// Loads large enough to stream (8 MiB or more drawn), at column 1 of a
// screen whose rows are 6,004 bytes (so each row starts at another
// alignment): every drawn pixel is its table colour, and column 0 and the
// row padding stay as they were. Only the 8-bit picture takes the streaming
// conversion; a 1-bit one of the same size must not.
TEST(BmpFastPath, LargeIndexedLoadsGiveTheTableColours) {
  const int w = 2000, h = 1500, sw = 2001;
  ASSERT_GE(std::int64_t{w} * h * 3, zor::kStreamingBytes);
  for (std::uint16_t bits : {8, 1}) {
    SCOPED_TRACE(bits);
    DibSpec d = Picture(w, h, bits);
    const Outcome got = ThroughExport(zt::MakeBmp(d), sw, h, false, 1, 0);
    ASSERT_EQ(0, got.status);
    const std::size_t stride = (3 * std::size_t(sw) + 3) & ~std::size_t{3};
    Bytes want(stride * h);
    for (std::size_t i = 0; i < want.size(); ++i) want[i] = static_cast<std::uint8_t>(i * 7);
    for (int line = 0; line < h; ++line) {
      const std::uint8_t* row = d.Row(line);
      std::uint8_t* out = want.data() + std::size_t(h - 1 - line) * stride + 3;
      for (int x = 0; x < w; ++x) {
        const int at = x * bits;
        const int index = row[at / 8] >> (8 - bits - at % 8) & ((1 << bits) - 1);
        const std::uint32_t rgb = DibSpec::EntryRgb(index);
        out[3 * x] = std::uint8_t(rgb);
        out[3 * x + 1] = std::uint8_t(rgb >> 8);
        out[3 * x + 2] = std::uint8_t(rgb >> 16);
      }
    }
    EXPECT_TRUE(want == got.pixels) << "pixels differ";
  }
}
