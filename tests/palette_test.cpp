// Palette installation and window redraw, observed through GDI calls.
#include "image/palette.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/screen.h"
#include "support/zortest.h"

namespace {

using zt::TestScreen;

std::vector<std::uint8_t> Triples(int count, int seed) {
  std::vector<std::uint8_t> t(3 * count);
  for (int i = 0; i < 3 * count; ++i) t[i] = static_cast<std::uint8_t>(seed + 7 * i);
  return t;
}

HPALETTE AsPalette(zor::HostAddr a) { return reinterpret_cast<HPALETTE>(std::uintptr_t{a}); }

TEST(InstallPalette, TwoColoursChangeTwoTableEntriesAndMakeATwoEntryPalette) {
  TestScreen s(8, 4, true);
  long before = zt::OpenHandleCount();
  HPALETTE stock = s.SelectedPalette();
  std::uint8_t rgb[6] = {10, 20, 30, 200, 150, 100};
  zor::InstallPalette(s, 2, rgb);

  std::vector<RGBQUAD> table = s.ColourTable();
  ASSERT_EQ(256u, table.size());
  EXPECT_EQ(30, table[0].rgbBlue);
  EXPECT_EQ(20, table[0].rgbGreen);
  EXPECT_EQ(10, table[0].rgbRed);
  EXPECT_EQ(100, table[1].rgbBlue);
  EXPECT_EQ(150, table[1].rgbGreen);
  EXPECT_EQ(200, table[1].rgbRed);
  for (int i = 2; i < 256; ++i) {  // the rest keeps its grey ramp
    ASSERT_EQ(i, table[i].rgbRed) << i;
    ASSERT_EQ(i, table[i].rgbBlue) << i;
  }
  EXPECT_EQ(30, s.RecordTable()[0].rgbBlue);
  EXPECT_EQ(0, s.RecordTable()[1].rgbReserved);
  EXPECT_EQ(2, s.RecordTable()[2].rgbRed);

  ASSERT_NE(nullptr, s.palette());
  EXPECT_EQ(s.palette(), s.SelectedPalette());
  EXPECT_EQ(stock, AsPalette(s.rec()->previousPalette));
  EXPECT_EQ(2, s.rec()->paletteCount);
  std::vector<PALETTEENTRY> e = TestScreen::PaletteEntries(s.palette());
  ASSERT_EQ(2u, e.size());
  EXPECT_EQ(10, e[0].peRed);
  EXPECT_EQ(20, e[0].peGreen);
  EXPECT_EQ(30, e[0].peBlue);
  EXPECT_EQ(PC_NOCOLLAPSE, e[0].peFlags);
  EXPECT_EQ(200, e[1].peRed);
  EXPECT_EQ(PC_NOCOLLAPSE, e[1].peFlags);
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the palette it keeps
}

TEST(InstallPalette, SecondInstallDeletesTheFirstAndKeepsTheOriginalPrevious) {
  TestScreen s(4, 4, true);
  long before = zt::OpenHandleCount();
  HPALETTE stock = s.SelectedPalette();
  std::vector<std::uint8_t> a = Triples(256, 1), b = Triples(16, 99);
  zor::InstallPalette(s, 256, a.data());
  HPALETTE first = s.palette();
  EXPECT_EQ(256, s.rec()->paletteCount);
  zor::InstallPalette(s, 16, b.data());
  EXPECT_NE(first, s.palette());
  EXPECT_EQ(0u, GetObjectType(first));  // deleted
  EXPECT_EQ(static_cast<DWORD>(OBJ_PAL), GetObjectType(s.palette()));
  EXPECT_EQ(stock, AsPalette(s.rec()->previousPalette));
  EXPECT_EQ(s.palette(), s.SelectedPalette());
  EXPECT_EQ(16, s.rec()->paletteCount);
  EXPECT_EQ(16u, TestScreen::PaletteEntries(s.palette()).size());
  std::vector<RGBQUAD> table = s.ColourTable();
  EXPECT_EQ(b[0], table[0].rgbRed);
  EXPECT_EQ(b[3 * 15 + 2], table[15].rgbBlue);
  EXPECT_EQ(a[3 * 16], table[16].rgbRed);  // left from the first install
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));
}

TEST(InstallPalette, FullColourScreenGetsAPaletteButNoTableChange) {
  TestScreen s(4, 4, false);
  std::vector<std::uint8_t> a = Triples(256, 5);
  zor::InstallPalette(s, 256, a.data());
  EXPECT_EQ(0, s.RecordTable()[0].rgbRed);
  EXPECT_EQ(9, s.RecordTable()[9].rgbGreen);
  ASSERT_NE(nullptr, s.palette());
  EXPECT_EQ(s.palette(), s.SelectedPalette());
  EXPECT_EQ(256, s.rec()->paletteCount);
  std::vector<PALETTEENTRY> e = TestScreen::PaletteEntries(s.palette());
  ASSERT_EQ(256u, e.size());
  EXPECT_EQ(a[3 * 255 + 1], e[255].peGreen);
}

// A 24-bit screen whose pixel (x, y) holds blue x, green y, red 7.
void Pattern(const TestScreen& s) {
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      std::uint8_t* p = s.Pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = 7;
    }
  }
}

TEST(PaintScreen, CopiesTheVisibleAreaFromTheScrollPosition) {
  TestScreen src(20, 16, false), dst(12, 10, false);
  Pattern(src);
  dst.Fill(0xEE);
  src.rec()->clientWidth = 5;
  src.rec()->clientHeight = 3;
  src.rec()->scrollX = 4;
  src.rec()->scrollY = 6;
  std::vector<std::uint8_t> a = Triples(8, 3);
  zor::InstallPalette(src, 8, a.data());
  HPALETTE dstPalette = dst.SelectedPalette();
  long before = zt::OpenHandleCount();
  zor::PaintScreen(dst.dc(), src);
  ZT_EXPECT_HANDLES(before);
  EXPECT_EQ(dstPalette, dst.SelectedPalette());  // put back after the copy
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      std::uint32_t want = x < 5 && y < 3 ? 0x070000u | ((6u + y) << 8) | (4u + x) : 0xEEEEEEu;
      ASSERT_EQ(want, dst.Rgb(x, y)) << x << "," << y;
    }
  }
}

TEST(PaintScreen, PaletteScreenIsDrawnThroughItsColourTable) {
  TestScreen src(4, 2, true), dst(4, 2, false);
  std::uint8_t rgb[6] = {255, 0, 0, 0, 0, 255};
  zor::InstallPalette(src, 2, rgb);
  *src.Pixel(0, 0) = 1;
  *src.Pixel(1, 1) = 0;
  zor::PaintScreen(dst.dc(), src);
  EXPECT_EQ(0x0000FFu, dst.Rgb(0, 0));
  EXPECT_EQ(0xFF0000u, dst.Rgb(1, 1));
}

TEST(PaintScreen, ScreenType2SelectsThePaletteButCopiesNothing) {
  TestScreen src(4, 4, false), dst(4, 4, false);
  Pattern(src);
  dst.Fill(0x11);
  std::vector<std::uint8_t> a = Triples(4, 3);
  zor::InstallPalette(src, 4, a.data());
  src.rec()->screenType = 2;
  HPALETTE dstPalette = dst.SelectedPalette();
  zor::PaintScreen(dst.dc(), src);
  EXPECT_EQ(0x111111u, dst.Rgb(1, 1));
  EXPECT_EQ(dstPalette, dst.SelectedPalette());
}

TEST(PaintScreen, WithoutPaletteCopiesAndSelectsNothing) {
  TestScreen src(4, 4, false), dst(4, 4, false);
  Pattern(src);
  HPALETTE dstPalette = dst.SelectedPalette();
  zor::PaintScreen(dst.dc(), src);
  EXPECT_EQ(0x070302u, dst.Rgb(2, 3));
  EXPECT_EQ(dstPalette, dst.SelectedPalette());
}

TEST(RedrawScreen, ModeZeroLeavesTheDisplayAlone) {
  TestScreen s(4, 4, true);
  std::vector<std::uint8_t> a = Triples(4, 3);
  zor::InstallPalette(s, 4, a.data());
  long before = zt::OpenHandleCount();
#if !defined(_WIN32)
  long requests = ZorStandinDcRequests();
#endif
  s.rec()->redrawMode = 0;
  s.rec()->reserved76 = 0xFFFF;  // only the 16-bit field counts
  zor::RedrawScreen(s);
#if !defined(_WIN32)
  EXPECT_EQ(requests, ZorStandinDcRequests());
#endif
  ZT_EXPECT_HANDLES(before);
}

TEST(RedrawScreen, ModeNonZeroPaintsThroughAWindowDcAndReleasesIt) {
  TestScreen s(4, 4, true);
  std::vector<std::uint8_t> a = Triples(4, 3);
  zor::InstallPalette(s, 4, a.data());
  long before = zt::OpenHandleCount();
#if !defined(_WIN32)
  long requests = ZorStandinDcRequests();
#endif
  s.rec()->redrawMode = 1;
  s.rec()->window = 0;  // the whole display
  zor::RedrawScreen(s);
#if !defined(_WIN32)
  EXPECT_EQ(requests + 1, ZorStandinDcRequests());
#endif
  ZT_EXPECT_HANDLES(before);
  EXPECT_EQ(s.palette(), s.SelectedPalette());
}

}  // namespace
