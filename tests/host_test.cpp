// The host interface: a freshly loaded library's state (every float register
// +0.0, no snapshot, no change flags, no target object, no popup menus; read
// first, before any test changes it), capacity rules and ChkPval.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>

#include "host/capacity.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(ChkPval, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CheckObjTable, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjTable, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjText, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatToString, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kNone = static_cast<std::int32_t>(0x80000001u);

TEST(FreshState, NothingIsSetAtLoad) {
  for (std::int32_t r = -1; r <= 16; ++r) {
    zt::HostVar s = zt::HostVar::String(32);
    EXPECT_EQ(0, FloatToString(s, r, 8, 0)) << r;
    EXPECT_STREQ("0.00000000", s.text()) << r;
  }
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

TEST(ChkPval, SizeWordsNegatedUnsignedWhateverTypeAndExtended) {
  zt::HostVar v = zt::HostVar::String(64, 3);
  v.rec()->lengths[0] = 7;
  v.rec()->lengths[3] = 40000;  // read unsigned, not as -25536
  for (int pass = 0; pass < 2; ++pass) {
    const std::int32_t words[] = {-7, -16, -3, -40000};
    for (std::int32_t k = 0; k < 4; ++k) EXPECT_EQ(words[k], ChkPval(v, k, 0, 0)) << k;
    v.SetExtended(99, 99);
    v.rec()->type = 4;
  }
  // Any other k reads nothing, not even the neighbouring extended word.
  v.rec()->extended = 0x7777;
  for (std::int32_t k : {5, -1, INT_MIN, INT_MAX}) EXPECT_EQ(0, ChkPval(v, k, 0, 0)) << k;
}

// 64-byte rows: row count N, extended, the extended record's words 2 and 3.
TEST(Capacity, TextLimitByteCapacityAndRowBytes) {
  const struct {
    std::uint32_t rows;
    std::int32_t extended, extRow, extCount;
    std::uint32_t textLimit, capacity;
  } cases[] = {{1, 0, 0, 0, 63, 64},   {0, 0, 0, 0, 63, 64},    {2, 0, 0, 0, 126, 128},
               {3, 0, 0, 0, 189, 192}, {1, 1, 32, 1, 127, 128}, {1, 1, 32, -5, 127, 128},
               {1, -1, 32, 4, 63, 64}};  // word 3 is signed; only extended > 0 counts
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64, c.rows);
    v.SetExtended(c.extRow, c.extCount);
    v.rec()->extended = static_cast<std::int16_t>(c.extended);
    EXPECT_EQ(c.textLimit, zor::TextLimit(*v.rec())) << c.rows << " " << c.extended;
    EXPECT_EQ(c.capacity, zor::ByteCapacity(*v.rec())) << c.rows << " " << c.extended;
    EXPECT_EQ(64u, zor::RowBytes(*v.rec())) << c.rows << " " << c.extended;
  }
}

}  // namespace
