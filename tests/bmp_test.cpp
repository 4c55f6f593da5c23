// BmpLoad and BmpInfo through their exports; BmpLoad's row paths (rows read
// straight into the screen, rows read in blocks, rows read past) against
// PlaceDib over the whole file in one zero-filled buffer.
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
ZT_EXPORT(BmpInfo, zor::HspVar*, const char*, std::int32_t, std::int32_t);

using zt::DibSpec;
using zt::TestScreen;
using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<std::int32_t>;
using namespace std::string_literals;
const std::int32_t kAB = std::int32_t(0xABABABAB);

Bytes Snapshot(const TestScreen& s) { return Bytes(s.bits(), s.bits() + s.pixelBytes()); }

std::string WithField(std::string bmp, std::size_t offset, std::uint32_t v) {
  std::string field;
  zt::Put32(field, v);
  return bmp.replace(offset, 4, field);
}

// The library opens files without sharing: a second open succeeds only if
// it closed the file.
void ExpectClosedAndRemove(const std::string& name) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, h) << "file left open";
  CloseHandle(h);
  std::remove(name.c_str());
}

// Loads `bmp` from a file into s; checks that the file was closed, that
// nothing but a first palette stays allocated, and that the window was left
// alone although the screen asks for redraws.
std::int32_t Load(TestScreen& s, const std::string& bmp, Bytes& pal) {
  std::string name = zt::WriteTempFile("zt_bmp_load.bmp", bmp);
  long before = zt::OpenHandleCount();
  bool hadPalette = s.rec()->palette != 0;
  s.rec()->redrawMode = 1;
#if !defined(_WIN32)
  long requests = ZorStandinDcRequests();
#endif
  std::int32_t status = BmpLoad(s, name.c_str(), 0, pal.data());
#if !defined(_WIN32)
  EXPECT_EQ(requests, ZorStandinDcRequests()) << "window DC taken";
#endif
  ZT_EXPECT_HANDLES(before + (s.rec()->palette != 0 && !hadPalette && before >= 0 ? 1 : 0));
  ExpectClosedAndRemove(name);
  return status;
}

// Each conversion, at the current position (1, 1), on lines long enough for
// the four-pixel paths and their tails; the rest of the screen keeps the
// fill. Indexed formats run on both screens (indices and the file's palette,
// then table colours), the rest on full colour.
TEST(BmpLoad, ConvertsEachFormat) {
  struct {
    std::uint16_t bits;
    std::vector<std::uint32_t> masks;
    std::string row;
    std::vector<std::uint32_t> want;  // indices up to 8 bits, else 0xRRGGBB
  } cases[] = {
      // clang-format off
      {1, {}, "\xA0\x40"s, {1, 0, 1, 0, 0, 0, 0, 0, 0, 1}},
      {4, {}, "\x3C\xF0\x21"s, {3, 12, 15, 0, 2}},
      {8, {}, "\x05\xFF\0\x80\x5A\x01"s, {5, 255, 0, 128, 90, 1}},
      {16, {}, "\xFF\x7F\x00\x84\x1F\x00\xE0\x03\x00\x7C"s,  // bit 15 ignored
       {0xFFFFFF, 0x080000, 0x0000FF, 0x00FF00, 0xFF0000}},
      {16, {0xF800, 0x7E0, 0x1F}, "\x00\xF8\xE0\x07\x20\x00\x1F\x00\xFF\xFF"s,  // e6(1) = 4
       {0xFF0000, 0x00FF00, 0x000400, 0x0000FF, 0xFFFFFF}},
      {16, {0xFF0000, 0x3E0, 0x1F}, "\xFF\x7F\x00\x84"s, {0xFFFFFF, 0x080000}},  // mixed: 5-5-5
      {32, {}, "\1\2\3\xFF\4\5\6\xFF\7\x08\x09\0\x0A\x0B\x0C\x80\x0D\x0E\x0F\1"s,
       {0x030201, 0x060504, 0x090807, 0x0C0B0A, 0x0F0E0D}},  // fourth byte ignored
      {32, {0xFF0000, 0xFF00, 0xFF}, "\1\2\3\xFF\4\5\6\0"s, {0x030201, 0x060504}},
      {24, {}, "\1\2\3\4\5\6\7\x08\x09"s, {0x030201, 0x060504, 0x090807}},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (bool paletteMode : {true, false}) {
      if (paletteMode && c.bits > 8) continue;
      SCOPED_TRACE(testing::Message() << c.bits << "-bit, palette " << paletteMode);
      DibSpec d = DibSpec::Of(int(c.want.size()), 1, c.bits);
      std::copy(c.row.begin(), c.row.end(), d.Row(0));
      d.masks = c.masks;
      d.compression = c.masks.empty() ? 0 : 3;
      TestScreen s(12, 3, paletteMode);
      s.Fill(0xEE);
      s.rec()->currentX = s.rec()->currentY = 1;
      Bytes pal(768, 0xCC), want(s.pixelBytes(), 0xEE);
      ASSERT_EQ(0, Load(s, zt::MakeBmp(d), pal));
      for (std::size_t x = 0; x < c.want.size(); ++x) {  // blue, green, red: little-endian
        const std::uint32_t v =
            paletteMode || c.bits > 8 ? c.want[x] : DibSpec::EntryRgb(c.want[x]);
        std::memcpy(want.data() + (s.Pixel(int(x) + 1, 1) - s.bits()), &v, s.bytesPerPixel());
      }
      EXPECT_EQ(want, Snapshot(s));
      // A palette screen gets the file's table: in the DIB's colour table and,
      // as red, green, blue, in the host palette.
      EXPECT_EQ(paletteMode ? 1 << c.bits : 0, s.rec()->paletteCount);
      EXPECT_EQ(paletteMode, s.rec()->palette != 0);
      EXPECT_TRUE(paletteMode || pal == Bytes(768, 0xCC)) << "host palette";
      if (!paletteMode) continue;
      std::vector<RGBQUAD> table = s.ColourTable();
      ASSERT_EQ(256u, table.size());
      EXPECT_EQ(0, std::memcmp(d.table.data(), table.data(), d.table.size()));
      for (int i = 0; i < 1 << c.bits; ++i) {
        ASSERT_EQ(DibSpec::EntryRgb(i),
                  std::uint32_t(pal[3 * i] << 16 | pal[3 * i + 1] << 8 | pal[3 * i + 2]));
      }
    }
  }
}

// Every refusal, and which of two wins: screen, host palette and screen
// palette stay as they were. Sizes that pass but leave nothing to draw (an
// 8-bit top-down picture whose header and table outweigh its rows, a
// negative width) install a palette screen's palette only.
TEST(BmpLoad, FailureCodesChangeNothing) {
  std::string ok = zt::MakeBmp(DibSpec::Of(4, 4, 8)), sig = ok;
  sig[1] = 'A';
  DibSpec w = DibSpec::Of(2, 1, 16), top = DibSpec::Of(16, -64, 8);
  w.compression = 3;
  w.masks = {0x7C00, 0x3E0, 0x1F};
  std::string bf = zt::MakeBmp(w), rgb24 = zt::MakeBmp(DibSpec::Of(2, 2, 24));
  top.pixels.clear();
  std::string topTable = zt::MakeBmp(top);
  auto masks = [&](std::vector<std::uint32_t> m, std::uint32_t clrUsed = 0) {
    DibSpec v = w;
    v.masks = m;
    v.clrUsed = clrUsed;
    return zt::MakeBmp(v);
  };
  struct {
    std::int32_t code;
    std::string bmp;
    bool paletteScreen;
    const char* what;
  } cases[] = {
      // clang-format off
      {-2, ok.substr(0, 57), true, "short file"},
      {-3, sig, true, "signature"},
      {-3, WithField(ok, 6, 0x100), true, "bfReserved1"},
      {-4, WithField(ok, 2, 57), true, "bfSize below 58"},
      {-259, WithField(ok, 14, 39), true, "biSize below 40"},
      {-256, WithField(ok, 28, 2), false, "2-bit"},
      {-512, rgb24, true, "24-bit on a palette screen"},
      {-257, WithField(ok, 30, 1), true, "RLE8"},
      {-257, masks({0x7C00, 0x3E0, 0x1F}, 2), false, "bitfields with biClrUsed"},
      {259, masks({0x7C00, 0x3E0, 0x3F}), false, "blue mask"},
      {259, masks({0xFF000000, 0xFF00, 0xFF}), false, "red mask"},
      // Masks or a table past the data are a size fault, never read.
      {-259, WithField(bf, 14, std::uint32_t(bf.size() - 14 - 11)), false, "masks outside"},
      {-259, WithField(bf, 14, 0xFFFFFFF0u), false, "masks far outside"},
      {-259, WithField(topTable, 2, std::uint32_t(topTable.size() - 1)), true, "top-down, table"},
      {-259, WithField(ok, 2, std::uint32_t(ok.size() - 1)), true, "data beyond bfSize"},
      {0, zt::MakeBmp(DibSpec::Of(4, -10, 8)), true, "top-down, rows outweighed"},
      {0, WithField(ok, 18, std::uint32_t(-1)), true, "negative width"},
      {-259, WithField(ok, 18, 0x7FFFFFFF), false, "huge width"},
      {-259, zt::MakeBmp(DibSpec::Of(10, -10, 24)), false, "24-bit top-down"},
      // Two faults at once: the earlier test decides.
      {-3, WithField(WithField(ok, 2, 57), 6, 0x100), true, "bfReserved1 before bfSize"},
      {-259, WithField(WithField(ok, 14, 39), 28, 2), true, "biSize before bit count"},
      {-256, WithField(ok, 28, 0x10002), true, "bit count before compression"},
      {-512, WithField(rgb24, 30, 1), true, "palette screen before compression"},
      {259, WithField(masks({0x7C00, 0x3E0, 0x3F}), 2, 66), false, "masks before sizes"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Bytes pal(768, 0xCC);
    TestScreen s(8, 8, c.paletteScreen);
    s.Fill(0x33);
    EXPECT_EQ(c.code, Load(s, c.bmp, pal)) << c.what;
    EXPECT_EQ(Bytes(s.pixelBytes(), 0x33), Snapshot(s)) << c.what;
    const bool installed = c.code == 0 && c.paletteScreen;
    EXPECT_EQ(installed, s.rec()->palette != 0) << c.what;
    EXPECT_EQ(installed ? 256 : 0, s.rec()->paletteCount) << c.what;
    EXPECT_EQ(installed ? (9 ^ 0x5A) : 0xCC, pal[27]) << c.what;  // red of entry 9
    EXPECT_TRUE(installed || pal == Bytes(768, 0xCC)) << c.what << ": host palette";
  }
  Bytes pal(768, 0xCC);
  TestScreen s(4, 4, true);
  EXPECT_EQ(-1, BmpLoad(s, "zt_no_such.bmp", 0, pal.data()));
  // The file is opened sharing nothing: a reader that shares it still blocks.
  std::string name = zt::WriteTempFile("zt_bmp_shared.bmp", ok);
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(-1, BmpLoad(s, name.c_str(), 0, pal.data()));
  CloseHandle(h);
  ExpectClosedAndRemove(name);
  std::string res2 = ok;
  res2[8] = 1;  // bfReserved2 is not tested
  EXPECT_EQ(0, Load(s, res2, pal));
}

// Header values and compression codes; refusals write nothing, except
// bfSize for -19; the file is closed.
TEST(BmpInfo, ReportsHeaderValuesAndRefuses) {
  DibSpec d = DibSpec::Of(5, 3, 8);
  d.xPels = 2835;
  d.yPels = -7;
  std::string good = zt::MakeBmp(d), sig = good, name = "zt_bmp_info.bmp";
  zt::HostVar v = zt::HostVar::Ints(7);
  for (auto [compression, code] :
       {std::pair{0u, 0}, {3u, 1}, {2u, 2}, {1u, 3}, {4u, 65535}, {0x80000000u, 65535}}) {
    zt::WriteTempFile(name, WithField(good, 30, compression));
    long before = zt::OpenHandleCount();
    EXPECT_EQ(0, BmpInfo(v, name.c_str(), 0, 0));
    ZT_EXPECT_HANDLES(before);
    EXPECT_EQ(Ints({code, 5, 3, 8, 14 + 40 + 1024 + 8 * 3, 2835, -7}),
              Ints(v.ints(), v.ints() + 7));
    ExpectClosedAndRemove(name);
  }
  sig[0] = 'b';
  zt::WriteTempFile(name, good);
  // Type, then size, then the file: a short string variable and a missing
  // file still give -1; six elements and a missing file give -2.
  zt::HostVar str = zt::HostVar::String(16), six = zt::HostVar::Ints(6);
  EXPECT_EQ(-1, BmpInfo(str, "zt_no_such.bmp", 0, 0));
  six.Fill(0xAB);
  EXPECT_EQ(-2, BmpInfo(six, "zt_no_such.bmp", 0, 0));
  six.SetExtended(8, 1);  // the extended record is not consulted
  EXPECT_EQ(-2, BmpInfo(six, name.c_str(), 0, 0));
  EXPECT_EQ(Ints(6, kAB), Ints(six.ints(), six.ints() + 6));
  v.Fill(0xAB);
  EXPECT_EQ(-16, BmpInfo(v, "zt_no_such.bmp", 0, 0));
  for (auto [code, bytes] :
       {std::pair{-17, good.substr(0, 57)}, {-18, sig}, {-19, WithField(good, 2, 57)}}) {
    zt::WriteTempFile(name, bytes);
    EXPECT_EQ(code, BmpInfo(v, name.c_str(), 0, 0));
    EXPECT_EQ((Ints{kAB, kAB, kAB, kAB, code == -19 ? 57 : kAB, kAB, kAB}),
              Ints(v.ints(), v.ints() + 7));
    ExpectClosedAndRemove(name);
  }
}

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

// The screen after loading `file` through the export or, given bfSize,
// through PlaceDib over the file in a buffer of bfSize bytes, zero past the
// file's end. A pattern, not zero: row padding and undrawn pixels must stay
// as found.
Outcome Place(const std::string& file, int sw, int sh, bool paletteMode, int cx, int cy,
              std::int64_t bfSize = -1) {
  TestScreen s(sw, sh, paletteMode);
  for (std::size_t i = 0; i < s.pixelBytes(); ++i) s.bits()[i] = static_cast<std::uint8_t>(i * 7);
  s.rec()->currentX = cx;
  s.rec()->currentY = cy;
  Bytes pal(768, 0xCC);
  if (bfSize < 0) return {Load(s, file, pal), Snapshot(s), pal};
  Bytes whole(std::size_t(bfSize), 0);
  std::copy_n(file.begin(), std::min<std::size_t>(file.size(), whole.size()), whole.begin());
  std::int32_t x = cx < 0 || cx >= sw ? 0 : cx, y = cy < 0 || cy >= sh ? 0 : cy;
  std::int32_t status = zor::PlaceDib(s, whole.data() + 14, whole.size() - 14, x, y, pal.data());
  if (status == 0 && file.size() < whole.size()) status = -32;
  return {status, Snapshot(s), pal};
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
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks = {};
  std::int32_t refusal = 0;  // the status when the head is refused
};

TEST(BmpFastPath, MatchesTheWholeBufferPlacement) {
  const Case cases[] = {
      // Rows straight into the screen: same width, column 0; width 5 leaves
      // the screen rows padding bytes that must survive.
      {"24 same width 4", 4, 6, 24, 4, 6, false, 0, 0},
      {"24 same width 5", 5, 6, 24, 5, 6, false, 0, 0},
      {"8 same width 5 palette", 5, 4, 8, 5, 4, true, 0, 0},
      {"24 same width cut at the bottom", 5, 20, 24, 5, 9, false, 0, 4},
      {"24 same width, big header", 5, 6, 24, 5, 6, false, 0, 0, 0, 0, 1200},
      // Rows in blocks: clipped, narrower, placed at x > 0.
      {"24 wider by two", 9, 5, 24, 7, 5, false, 0, 0},
      {"24 narrower by one", 6, 5, 24, 7, 5, false, 0, 0},
      {"24 at the last column and line", 7, 5, 24, 7, 5, false, 6, 4},
      {"8 to colour odd", 11, 7, 8, 12, 6, false, 1, 0},
      // Many blocks, and rows read past across more than one block.
      {"8 to colour, many blocks", 3000, 200, 8, 3000, 180, false, 0, 0},
      {"24 same width, long skip", 1000, 200, 24, 1000, 10, false, 0, 0},
      {"24, a row longer than a block", 90000, 3, 24, 9, 2, false, 0, 0},
      // Short files: the missing bytes are drawn as zeros and give -32.
      {"24 same width, last byte missing", 5, 6, 24, 5, 6, false, 0, 0, 1},
      {"24 blocks, last byte missing", 8, 5, 24, 7, 5, false, 0, 0, 1},
      {"8 palette, rows missing", 4, 4, 8, 4, 4, true, 0, 0, 8},
      {"8 palette, table cut", 5, 4, 8, 5, 4, true, 0, 0, 1000},
      {"8 long skip, cut in the skip", 3000, 200, 8, 100, 10, false, 0, 0, 300000},
      {"rows whole, bfSize beyond", 5, 6, 24, 5, 6, false, 0, 0, 0, 10},
      {"file longer than bfSize", 5, 6, 24, 5, 6, false, 0, 0, 0, -7},
      // Refusals found in the head past the first 1,024 bytes: the screen is
      // untouched.
      {"masks past 1 KiB", 5, 4, 16, 5, 4, false, 0, 0, 0, 0, 1100, 3, {0x7C00, 0x3E0, 0x1F0}, 259},
      {"masks past the file's end", 5, 4, 16, 5, 4, false, 0, 0, 40, 0, 1100, 3, {}, 259},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DibSpec d = Picture(c.w, c.h, c.bits);
    d.headerSize = c.header;
    d.compression = c.compression;
    d.masks = c.masks;
    const auto bfSize = std::uint32_t(zt::MakeBmp(d).size() + std::max<std::int64_t>(c.extra, 0));
    std::string file = zt::MakeBmp(d, bfSize);
    if (c.extra < 0) file.append(static_cast<std::size_t>(-c.extra), '\x5A');
    file.resize(file.size() - static_cast<std::size_t>(c.cut));
    Outcome want = Place(file, c.sw, c.sh, c.paletteMode, c.cx, c.cy, bfSize);
    Outcome got = Place(file, c.sw, c.sh, c.paletteMode, c.cx, c.cy);
    EXPECT_EQ(want.status, got.status);
    EXPECT_EQ(c.refusal != 0 ? c.refusal : c.cut > 0 || c.extra > 0 ? -32 : 0, got.status);
    EXPECT_TRUE(want.pixels == got.pixels) << "pixels differ";
    EXPECT_TRUE(want.palette == got.palette) << "host palette differs";
  }
}

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
    const Outcome got = Place(zt::MakeBmp(d), sw, h, false, 1, 0);
    ASSERT_EQ(0, got.status);
    const std::size_t stride = (3 * std::size_t(sw) + 3) & ~std::size_t{3};
    Bytes want(stride * h);
    for (std::size_t i = 0; i < want.size(); ++i) want[i] = static_cast<std::uint8_t>(i * 7);
    for (int line = 0; line < h; ++line) {
      const std::uint8_t* row = d.Row(line);
      std::uint8_t* out = &want[std::size_t(h - 1 - line) * stride + 3];
      for (int x = 0; x < w; ++x) {
        const int at = x * bits;
        const std::uint32_t rgb =
            DibSpec::EntryRgb(row[at / 8] >> (8 - bits - at % 8) & ((1 << bits) - 1));
        std::memcpy(out + 3 * x, &rgb, 3);  // blue, green, red: little-endian
      }
    }
    EXPECT_TRUE(want == got.pixels) << "pixels differ";
  }
}

}  // namespace
