// Popup menus through the exports, read and answered while shown
// (support/menu_answer.h) on both tiers. Cases name themselves in the failure
// messages: SCOPED_TRACE with the watchdog's thread crashes the emulated Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/menu_answer.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(CreatePopup, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kFree = static_cast<std::int32_t>(0x80000001u);
constexpr int kDismiss = zt::PopupMenuAnswer::kDismiss;

// A string array of 16-byte rows.
zt::HostVar Strings(const std::vector<std::string>& rows) {
  zt::HostVar v = zt::HostVar::String(16, static_cast<std::uint32_t>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::memcpy(v.text() + 16 * i, rows[i].c_str(), rows[i].size() + 1);
  }
  return v;
}

// "|" for a separator, else "id:text".
std::string Describe(const std::vector<zt::MenuEntry>& items) {
  std::string out;
  for (const zt::MenuEntry& e : items) {
    if (!out.empty()) out += ' ';
    out += e.separator ? "|" : std::to_string(e.id) + ":" + e.text;
  }
  return out;
}

// One DoPopup, answered with `choice`.
struct Shown {
  std::int32_t status;
  int count;
  HMENU menu;
  std::string items;
  POINT position;
  HWND owner;
  long flags;
};

class Popups : public testing::Test {
 protected:
  void SetUp() override { before_ = zt::OpenHandleCount(); }
  // Every menu the test made is destroyed again.
  void TearDown() override {
    DestroyPopup(0, 0, 0, 0);
    ZT_EXPECT_HANDLES(before_);
  }

  Shown Show(std::int32_t slot, int choice, int x = 100, int y = 80) {
    zt::PopupMenuAnswer answer(choice);
    std::int32_t status = DoPopup(screen_, x, y, slot);
    return {
        status,         answer.count(), answer.menu(), Describe(answer.items()), answer.position(),
        answer.owner(), answer.flags()};
  }

  zt::Watchdog dog_{60, "a popup menu"};
  zt::TestWindow win_;
  zt::WindowScreen screen_{win_.hwnd()};
  long before_ = -1;
};

// Rows of exactly "-" are separators; text items are numbered from 1; the
// count argument is used when above 0 and below the number of strings.
TEST_F(Popups, ItemsFromTheStrings) {
  const std::vector<std::string> five = {"A", "-", "B", "-", "C"};
  struct {
    std::vector<std::string> rows;
    std::int32_t count;
    std::string want;
  } cases[] = {
      // clang-format off
      {five, 0, "1:A | 2:B | 3:C"}, {five, -1, "1:A | 2:B | 3:C"}, {five, 5, "1:A | 2:B | 3:C"},
      {five, 9, "1:A | 2:B | 3:C"}, {five, 2, "1:A |"},            {five, 4, "1:A | 2:B |"},
      {{"--", "- ", "-x", "Menu item text"}, 0, "1:-- 2:-  3:-x 4:Menu item text"},
      {{"only"}, 0, "1:only"},      {{"", "-", "x"}, 0, "1: | 2:x"},
      // clang-format on
  };
  for (const auto& c : cases) {
    const std::string trace = c.want + " with count " + std::to_string(c.count);
    zt::HostVar v = Strings(c.rows);
    ASSERT_EQ(0, CreatePopup(v, c.count, 0, 0)) << trace;
    Shown s = Show(0, kDismiss);
    EXPECT_EQ(0, s.status) << trace;
    EXPECT_EQ(1, s.count) << trace;
    EXPECT_EQ(c.want, s.items) << trace;
    EXPECT_EQ(0, DestroyPopup(256, 0, 0, 0)) << trace;
  }
}

// The chosen text item's identifier comes back negated; dismissing gives 0.
// The menu is shown at the given screen position, owned by the screen's
// window, with TPM_RETURNCMD.
TEST_F(Popups, ChoiceComesBackNegated) {
  zt::HostVar v = Strings({"A", "-", "B", "-", "C"});
  ASSERT_EQ(0, CreatePopup(v, 0, 2, 0));
  struct {
    int choice;
    std::int32_t status;
  } cases[] = {{2, -3}, {0, -1}, {1, -2}, {kDismiss, 0}};
  for (const auto& c : cases) {
    Shown s = Show(2, c.choice, 200 + c.choice, 150);
    ASSERT_EQ(1, s.count) << c.choice;
    EXPECT_EQ(c.status, s.status) << c.choice;
    EXPECT_EQ(200 + c.choice, s.position.x) << c.choice;
    EXPECT_EQ(150, s.position.y) << c.choice;
    EXPECT_EQ(win_.hwnd(), s.owner) << c.choice;
    if (s.flags >= 0) {
      EXPECT_EQ(0x100, s.flags) << c.choice;
    }
  }
}

// A string variable with no rows makes an empty menu, and without a window
// to own it a menu cannot be shown: neither is shown, and both give 0.
TEST_F(Popups, EmptyMenuOrNoOwnerShowsNothing) {
  zt::HostVar none = zt::HostVar::String(64, 0), one = Strings({"A"});
  none.SetText("A");
  ASSERT_EQ(0, CreatePopup(none, 0, 0, 0));
  ASSERT_EQ(0, CreatePopup(one, 0, 1, 0));
  Shown s = Show(0, 0);
  EXPECT_EQ(0, s.status);
  EXPECT_EQ(0, s.count);
  screen_->window = 0;
  s = Show(1, 0);
  EXPECT_EQ(0, s.status);
  EXPECT_EQ(0, s.count);
  EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, GetLastError());
}

// Slot numbers outside 0 to 7 name slot 0; a created slot is kept, and a
// variable of the wrong type leaves the slot free.
TEST_F(Popups, SlotsAreClampedAndKept) {
  zt::HostVar first = Strings({"first"});
  zt::HostVar second = Strings({"second"});
  zt::HostVar ints = zt::HostVar::Ints(4);
  EXPECT_EQ(0, CreatePopup(first, 0, 9, 0));
  EXPECT_EQ("1:first", Show(0, kDismiss).items);
  EXPECT_EQ("1:first", Show(-1, kDismiss).items);
  EXPECT_EQ("1:first", Show(8, kDismiss).items);
  EXPECT_EQ(-1, CreatePopup(second, 0, -1, 0));
  EXPECT_EQ(-1, CreatePopup(ints, 0, 0, 0));  // the slot is checked first
  EXPECT_EQ("1:first", Show(0, kDismiss).items);

  EXPECT_EQ(6, CreatePopup(ints, 0, 1, 0));
  Shown s = Show(1, kDismiss);
  EXPECT_EQ(kFree, s.status);
  EXPECT_EQ(0, s.count);
  EXPECT_EQ(0, CreatePopup(second, 0, 1, 0));
  EXPECT_EQ("1:second", Show(1, kDismiss).items);
}

// 256 to 263 destroy one slot; any other value every created menu.
TEST_F(Popups, DestroyOneOrAll) {
  HMENU menus[8] = {};
  auto Create = [&](std::int32_t slot) {
    zt::HostVar v = Strings({"slot " + std::to_string(slot)});
    ASSERT_EQ(0, CreatePopup(v, 0, slot, 0));
    Shown s = Show(slot, kDismiss);
    ASSERT_EQ(1, s.count);
    ASSERT_EQ("1:slot " + std::to_string(slot), s.items);
    menus[slot] = s.menu;
  };
  for (std::int32_t slot : {0, 3, 4}) Create(slot);
  EXPECT_EQ(0, DestroyPopup(260, 0, 0, 0));
  EXPECT_FALSE(IsMenu(menus[4]));
  EXPECT_TRUE(IsMenu(menus[0]));
  EXPECT_TRUE(IsMenu(menus[3]));
  EXPECT_EQ(kFree, Show(4, kDismiss).status);
  EXPECT_EQ("1:slot 3", Show(3, kDismiss).items);
  EXPECT_EQ(-1, DestroyPopup(260, 0, 0, 0));
  EXPECT_EQ(-1, DestroyPopup(263, 0, 0, 0));

  for (std::int32_t all : {0, 255, 264, -1}) {
    Create(7);
    EXPECT_EQ(0, DestroyPopup(all, 0, 0, 0)) << all;
    for (std::int32_t slot : {0, 3, 7}) {
      EXPECT_FALSE(IsMenu(menus[slot])) << all << " slot " << slot;
      EXPECT_EQ(kFree, Show(slot, kDismiss).status) << all << " slot " << slot;
    }
    EXPECT_EQ(-1, DestroyPopup(all, 0, 0, 0)) << all;
  }
}

}  // namespace
