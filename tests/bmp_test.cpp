// BmpLoad and BmpInfo through their exports.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <vector>

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

// An 8-bit picture whose pixel (x, y) is 16 y + x + 1.
DibSpec Pal8(int w, int h) {
  DibSpec d = DibSpec::Of(w, h, 8);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) d.Row(y)[x] = static_cast<std::uint8_t>(16 * y + x + 1);
  }
  return d;
}

Bytes Snapshot(const TestScreen& s) { return Bytes(s.bits(), s.bits() + s.pixelBytes()); }

// The index on a palette screen, 0x00RRGGBB on a full-colour one.
std::uint32_t At(const TestScreen& s, int x, int y) {
  return s.paletteMode() ? s.Index(x, y) : s.Rgb(x, y);
}

// Expects 8-bit picture d with its top-left at (ox, oy), cut at the screen's
// edges, as indices or table colours, and `fill` bytes everywhere else.
void ExpectPlaced(const TestScreen& s, DibSpec d, int ox, int oy, std::uint8_t fill) {
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      int px = x - ox, py = y - oy;
      bool in = px >= 0 && py >= 0 && px < d.width && py < d.height;
      std::uint32_t i = in ? d.Row(py)[px] : 0, f = s.paletteMode() ? fill : fill * 0x010101u;
      std::uint32_t want = !in ? f : s.paletteMode() ? i : DibSpec::EntryRgb(int(i));
      ASSERT_EQ(want, At(s, x, y)) << x << "," << y << " palette " << s.paletteMode();
    }
  }
}

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

// An 8-bit file at the current position, or at 0 on an axis where that lies
// outside the screen, cut at the right and bottom edges: indices and its
// palette on a palette screen, table colours on a full-colour one.
TEST(BmpLoad, EightBitAtTheCurrentPositionOnBothScreens) {
  DibSpec d = Pal8(6, 5);
  struct {
    int width, height, cx, cy, ox, oy;
  } cases[] = {
      // clang-format off
      {64, 48, 10, 20, 10, 20}, {8, 4, -1, -7, 0, 0}, {8, 4, 8, 4, 0, 0},
      {8, 4, 100, 0, 0, 0}, {8, 4, 5, 2, 5, 2},  // cut at both edges
      // clang-format on
  };
  for (const auto& c : cases) {
    for (bool paletteMode : {true, false}) {
      TestScreen s(c.width, c.height, paletteMode);
      s.Fill(0xEE);
      s.rec()->currentX = c.cx;
      s.rec()->currentY = c.cy;
      Bytes pal(768, 0xCC);
      ASSERT_EQ(0, Load(s, zt::MakeBmp(d), pal));
      ExpectPlaced(s, d, c.ox, c.oy, 0xEE);
      if (!paletteMode) {
        EXPECT_EQ(Bytes(768, 0xCC), pal);
        EXPECT_EQ(0u, s.rec()->palette);
        continue;
      }
      std::vector<RGBQUAD> table = s.ColourTable();
      ASSERT_EQ(256u, table.size());
      ASSERT_EQ(0, std::memcmp(d.table.data(), table.data(), 1024));
      for (int i = 0; i < 256; ++i) {  // red, green, blue of each entry
        ASSERT_EQ(DibSpec::EntryRgb(i),
                  std::uint32_t(pal[3 * i] << 16 | pal[3 * i + 1] << 8 | pal[3 * i + 2]));
      }
      EXPECT_EQ(256, s.rec()->paletteCount);
      EXPECT_EQ(s.palette(), s.SelectedPalette());
    }
  }
}

// Every other conversion, on lines long enough for the four-pixel paths and
// their tails; the pixel after the picture keeps the fill. Indexed formats
// run on both screens (indices, then table colours), the rest on full colour.
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
      {16, {}, "\xFF\x7F\x00\x84\x1F\x00\xE0\x03\x00\x7C"s,  // bit 15 ignored
       {0xFFFFFF, 0x080000, 0x0000FF, 0x00FF00, 0xFF0000}},
      {16, {0xF800, 0x7E0, 0x1F}, "\x00\xF8\xE0\x07\x20\x00\x1F\x00\xFF\xFF"s,  // e6(1) = 4
       {0xFF0000, 0x00FF00, 0x000400, 0x0000FF, 0xFFFFFF}},
      {16, {0xFF0000, 0x3E0, 0x1F}, "\xFF\x7F\x00\x84"s, {0xFFFFFF, 0x080000}},  // mixed: 5-5-5
      {32, {}, "\1\2\3\xFF\4\5\6\xFF\7\x08\x09\0\x0A\x0B\x0C\x80\x0D\x0E\x0F\1"s,
       {0x030201, 0x060504, 0x090807, 0x0C0B0A, 0x0F0E0D}},  // fourth byte ignored
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
      TestScreen s(12, 2, paletteMode);
      s.Fill(0xEE);
      Bytes pal(768, 0xCC);
      ASSERT_EQ(0, Load(s, zt::MakeBmp(d), pal));
      for (std::size_t x = 0, n = c.want.size(); x <= n; ++x) {
        std::uint32_t i = x < n ? c.want[x] : 0, fill = paletteMode ? 0xEE : 0xEEEEEE;
        std::uint32_t want = x == n                      ? fill
                             : paletteMode || c.bits > 8 ? i
                                                         : DibSpec::EntryRgb(int(i));
        EXPECT_EQ(want, At(s, int(x), 0)) << x;
      }
      EXPECT_EQ(paletteMode ? 1 << c.bits : 0, s.rec()->paletteCount);
      EXPECT_EQ(paletteMode, pal != Bytes(768, 0xCC));
    }
  }
}

// Every refusal, and which of two wins: screen, host palette and screen
// palette stay as they were.
TEST(BmpLoad, FailureCodesChangeNothing) {
  std::string ok = zt::MakeBmp(Pal8(4, 4)), sig = ok;
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
      {-257, WithField(ok, 30, 2), true, "RLE4"},
      {-257, masks({0x7C00, 0x3E0, 0x1F}, 2), false, "bitfields with biClrUsed"},
      {259, masks({0x7C00, 0x3E0, 0x3F}), false, "blue mask"},
      {259, masks({0xFF000000, 0xFF00, 0xFF}), false, "red mask"},
      // Masks or a table past the data are a size fault, never read.
      {-259, WithField(bf, 14, std::uint32_t(bf.size() - 14 - 8)), false, "masks outside"},
      {-259, WithField(bf, 14, 0xFFFFFFF0u), false, "masks far outside"},
      {-259, WithField(topTable, 2, std::uint32_t(topTable.size() - 4)), true, "top-down, table"},
      {-259, WithField(ok, 2, std::uint32_t(ok.size() - 1)), true, "data beyond bfSize"},
      {-259, WithField(ok, 18, 0x7FFFFFFF), false, "huge width"},
      {-259, WithField(WithField(ok, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF), false, "huge both"},
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
    EXPECT_EQ(0u, s.rec()->palette) << c.what;
    EXPECT_EQ(Bytes(768, 0xCC), pal) << c.what;
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

// Sizes that pass but leave nothing to draw: an 8-bit top-down picture
// whose header and table outweigh its rows (its palette is installed), and
// a negative width (rows of 0 bytes).
TEST(BmpLoad, PassingSizesThatDrawNothing) {
  std::string negativeWidth = WithField(zt::MakeBmp(Pal8(4, 4)), 14 + 4, std::uint32_t(-1));
  for (const std::string& bmp : {zt::MakeBmp(DibSpec::Of(4, -10, 8)), negativeWidth}) {
    for (bool paletteMode : {true, false}) {
      Bytes pal(768, 0xCC);
      TestScreen s(8, 8, paletteMode);
      s.Fill(0x33);
      EXPECT_EQ(0, Load(s, bmp, pal));
      EXPECT_EQ(Bytes(s.pixelBytes(), 0x33), Snapshot(s));
      EXPECT_EQ(paletteMode ? 256 : 0, s.rec()->paletteCount);
      EXPECT_EQ(paletteMode ? (9 ^ 0x5A) : 0xCC, pal[27]);  // red of entry 9
    }
  }
}

// bfSize beyond the file: drawn from a buffer whose missing part is zero.
TEST(BmpLoad, ShortFileIsDrawnWithTheMissingPartZero) {
  DibSpec d = Pal8(4, 4);
  std::string full = zt::MakeBmp(d);
  std::fill(d.Row(1), d.Row(1) + 4, 0);  // the top two lines are missing
  std::fill(d.Row(0), d.Row(0) + 4, 0);
  for (bool paletteMode : {true, false}) {
    Bytes pal(768, 0xCC);
    TestScreen s(4, 4, paletteMode);
    s.Fill(0x77);
    EXPECT_EQ(-32, Load(s, full.substr(0, full.size() - 8), pal));
    ExpectPlaced(s, d, 0, 0, 0x77);
  }
}

TEST(BmpInfo, ReportsHeaderValuesAndCompressionCodes) {
  DibSpec d = Pal8(5, 3);
  d.xPels = 2835;
  d.yPels = -7;
  zt::HostVar v = zt::HostVar::Ints(7);
  std::string name = "zt_bmp_info.bmp";
  for (auto [compression, code] :
       {std::pair{0u, 0}, {3u, 1}, {2u, 2}, {1u, 3}, {4u, 65535}, {0x80000000u, 65535}}) {
    zt::WriteTempFile(name, WithField(zt::MakeBmp(d), 30, compression));
    long before = zt::OpenHandleCount();
    EXPECT_EQ(0, BmpInfo(v, name.c_str(), 0, 0));
    ZT_EXPECT_HANDLES(before);
    EXPECT_EQ(Ints({code, 5, 3, 8, 14 + 40 + 1024 + 8 * 3, 2835, -7}),
              Ints(v.ints(), v.ints() + 7));
    ExpectClosedAndRemove(name);
  }
}

// Refusals write nothing, except bfSize for -19; the file is closed.
TEST(BmpInfo, FailureCodes) {
  std::string good = zt::MakeBmp(Pal8(2, 2)), sig = good;
  sig[0] = 'b';
  std::string name = zt::WriteTempFile("zt_bmp_info2.bmp", good);
  // Type, then size, then the file: a short string variable and a missing
  // file still give -1; six elements and a missing file give -2.
  zt::HostVar str = zt::HostVar::String(16), six = zt::HostVar::Ints(6), v = zt::HostVar::Ints(7);
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

}  // namespace
