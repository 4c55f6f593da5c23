// A freshly loaded library: every float register +0.0, no snapshot, no
// change flags, no target object and no popup menus. Nothing here changes
// that state before it is read; the object checks run in one test, in this
// order, so that each sees the state at load.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(CheckObjTable, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjTable, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjText, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatToString, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kNone = static_cast<std::int32_t>(0x80000001u);

TEST(FreshState, EveryRegisterReadsZero) {
  for (std::int32_t r = -1; r <= 16; ++r) {
    zt::HostVar s = zt::HostVar::String(32);
    EXPECT_EQ(0, FloatToString(s, r, 8, 0)) << r;
    EXPECT_STREQ("0.00000000", s.text()) << r;
  }
}

TEST(FreshState, NothingIsSetAtLoad) {
  zt::TestWindow win;
  zt::WindowScreen screen(win.hwnd());

  // No check yet: 64 zero flags.
  zt::HostVar flags = zt::HostVar::Ints(64);
  flags.Fill(0x55);
  EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(0, flags.ints()[i]) << i;

  zt::HostVar text = zt::HostVar::Ints(4);
  EXPECT_EQ(kNone, GetObjText(text, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, text.rec()->type);

  // Every slot is free; showing one shows nothing.
  zt::Watchdog dog(60, "DoPopup on a free slot");
  for (std::int32_t slot = 0; slot < 8; ++slot) {
    EXPECT_EQ(kNone, DoPopup(screen, 10, 10, slot)) << slot;
    EXPECT_EQ(-1, DestroyPopup(256 + slot, 0, 0, 0)) << slot;
  }
  EXPECT_EQ(-1, DestroyPopup(0, 0, 0, 0));

  // No snapshot yet: it holds 64 zero handles, so every object is new.
  screen->objects[0] = 0x1234;
  screen->objects[9] = 0x5678;
  screen->objects[63] = 1;
  EXPECT_EQ(0, CheckObjTable(screen, 0, 0, 0));
  EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(i == 0 || i == 9 || i == 63, flags.ints()[i]) << i;
}

}  // namespace
