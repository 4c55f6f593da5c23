// Palette installation and painting, observed through GDI calls.
#include "image/palette.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "support/screen.h"
#include "support/zortest.h"

namespace {

using zt::TestScreen;

// Installs 2, then 256, then 16 colours: each makes a logical palette of
// its colours (flags PC_NOCOLLAPSE) selected into the DC, deletes the one
// before (one palette kept), keeps the DC's original palette as the previous
// one, and on a palette screen only sets the first `count` colour-table
// entries.
TEST(InstallPalette, InstallsAndReplacesOnBothScreens) {
  for (bool paletteMode : {true, false}) {
    TestScreen s(8, 4, paletteMode);
    long before = zt::OpenHandleCount();
    HPALETTE stock = s.SelectedPalette();
    std::vector<RGBQUAD> want(s.RecordTable(), s.RecordTable() + 256);  // the grey ramp
    for (int count : {2, 256, 16}) {
      SCOPED_TRACE(testing::Message() << "palette " << paletteMode << " count " << count);
      std::vector<std::uint8_t> rgb(3 * count);
      for (int i = 0; i < 3 * count; ++i) rgb[i] = static_cast<std::uint8_t>(count + 7 * i);
      zor::InstallPalette(s, count, rgb.data());
      for (int i = 0; paletteMode && i < count; ++i) {
        want[i] = RGBQUAD{rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 0};
      }
      EXPECT_EQ(0, std::memcmp(want.data(), s.RecordTable(), 1024));
      EXPECT_EQ(stock, reinterpret_cast<HPALETTE>(std::uintptr_t{s.rec()->previousPalette}));
      std::vector<PALETTEENTRY> e = TestScreen::PaletteEntries(s.palette());
      ASSERT_EQ(std::size_t(count), e.size());
      for (int i = 0; i < count; ++i) {
        PALETTEENTRY w{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], PC_NOCOLLAPSE};
        ASSERT_EQ(0, std::memcmp(&w, &e[i], 4)) << i;
      }
      ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the palette it keeps
    }
  }
}

// Copies clientWidth x clientHeight from (scrollX, scrollY) unless the
// screen type is 2, and leaves the target's palette as it found it.
TEST(PaintScreen, CopiesTheVisibleAreaWithThePaletteRealized) {
  for (auto [withPalette, screenType] : {std::pair{true, 0}, {true, 2}, {false, 0}}) {
    SCOPED_TRACE(testing::Message() << withPalette << " type " << screenType);
    TestScreen src(20, 16, false), dst(12, 10, false);
    for (std::size_t i = 0; i < src.pixelBytes(); ++i) src.bits()[i] = std::uint8_t(i * 7 + 1);
    dst.Fill(0xEE);
    src.rec()->clientWidth = 5;
    src.rec()->clientHeight = 3;
    src.rec()->scrollX = 4;
    src.rec()->scrollY = 6;
    src.rec()->screenType = screenType;
    std::vector<std::uint8_t> rgb(24, 0x40);
    if (withPalette) zor::InstallPalette(src, 8, rgb.data());
    HPALETTE dstPalette = dst.SelectedPalette();
    zor::PaintScreen(dst.dc(), src);
    EXPECT_EQ(dstPalette, dst.SelectedPalette());
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 12; ++x) {
        bool copied = screenType != 2 && x < 5 && y < 3;
        ASSERT_EQ(copied ? src.Rgb(4 + x, 6 + y) : 0xEEEEEEu, dst.Rgb(x, y)) << x << "," << y;
      }
    }
  }
}

}  // namespace
