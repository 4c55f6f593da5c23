// Popup menus: the items built from string array rows, and the exports,
// read and answered while shown (support/menu_answer.h) on both tiers. Cases
// name themselves in the failure messages: SCOPED_TRACE with the watchdog's
// thread crashes the emulated Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "support/menu_answer.h"
#include "support/ui.h"
#include "support/zortest.h"
#include "window/menu_items.h"

namespace {

ZT_EXPORT(CreatePopup, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kFree = static_cast<std::int32_t>(0x80000001u);
constexpr int kDismiss = zt::PopupMenuAnswer::kDismiss;

// "|" for a separator, else "id:text".
std::string Describe(const std::vector<zt::MenuEntry>& items) {
  std::string out;
  for (const zt::MenuEntry& e : items) {
    if (!out.empty()) out += ' ';
    out += e.separator ? "|" : std::to_string(e.id) + ":" + e.text;
  }
  return out;
}

// The same for built items; a separator with an identifier or a label shows
// as a text item.
std::string Describe(const std::vector<zor::MenuItem>& items) {
  std::vector<zt::MenuEntry> entries;
  for (const zor::MenuItem& i : items)
    entries.push_back({i.separator && i.id == 0 && i.label.empty(), i.id, i.label});
  return Describe(entries);
}

TEST(MenuItems, SeparatorsTakeNoIdentifier) {
  struct {
    std::vector<std::string> rows;
    std::uint32_t stride, count;
    std::string want;
  } cases[] = {
      {{"A", "-", "B", "-", "C"}, 8, 5, "1:A | 2:B | 3:C"},
      {{"A", "-", "B", "-", "C"}, 8, 2, "1:A |"},
      {{"-", "-", "X"}, 4, 3, "| | 1:X"},
      // Only "-" with its terminator is a separator.
      {{"--", "- ", "-x", "", "x-"}, 4, 5, "1:-- 2:-  3:-x 4: 5:x-"},
      // A row without a terminator ends at its stride: "ABCD", not
      // "ABCDEF"; the last row is read up to its end and no further.
      {{"ABCD", "EF", "WXYZ"}, 4, 3, "1:ABCD 2:EF 3:WXYZ"},
      {{"-ABC", "Q"}, 4, 2, "1:-ABC 2:Q"},
      {{"A", "B"}, 8, 0, ""},
      {{"x", "y", "z"}, 0, 3, "1: 2: 3:"},  // a stride of 0: nothing is read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    // Exactly rows x stride bytes, so a read past them is caught by the
    // address sanitizer.
    std::vector<std::uint8_t> bytes(c.rows.size() * c.stride);
    for (std::size_t i = 0; i < c.rows.size() && c.stride != 0; ++i)
      std::memcpy(bytes.data() + i * c.stride, c.rows[i].data(),
                  std::min<std::size_t>(c.rows[i].size(), c.stride));
    const std::uint8_t* data = c.stride == 0 ? nullptr : bytes.data();
    EXPECT_EQ(c.want, Describe(zor::BuildMenuItems(data, c.stride, c.count)));
  }
}

TEST(MenuItems, CountIsTheRequestWhenBelowTheRows) {
  struct {
    std::int32_t requested;
    std::uint32_t rows, want;
  } cases[] = {
      {2, 5, 2},       {4, 5, 4},       {0, 5, 5}, {-1, 5, 5}, {5, 5, 5}, {9, 5, 5},
      {INT_MIN, 3, 3}, {INT_MAX, 3, 3}, {1, 0, 0}, {0, 0, 0},  {1, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.want, zor::MenuItemCount(c.requested, c.rows)) << c.requested << " of " << c.rows;
  }
}

// One DoPopup, answered with `choice`.
struct Shown {
  std::int32_t status;
  int count;
  HMENU menu;
  std::string items;
};

class Popups : public testing::Test {
 protected:
  void SetUp() override { before_ = zt::OpenHandleCount(); }
  // Every menu the test made is destroyed again.
  void TearDown() override {
    DestroyPopup(0, 0, 0, 0);
    ZT_EXPECT_HANDLES(before_);
  }

  Shown Show(std::int32_t slot, int choice = kDismiss) {
    zt::PopupMenuAnswer answer(choice);
    std::int32_t status = DoPopup(screen_, 100, 80, slot);
    return {status, answer.count, answer.menu, Describe(answer.items)};
  }

  zt::Watchdog dog_{60, "a popup menu"};
  zt::TestWindow win_;
  zt::WindowScreen screen_{win_.hwnd()};
  long before_ = -1;
};

// The rows and the count argument reach the items; 16-byte rows.
TEST_F(Popups, ItemsFromTheStrings) {
  const std::vector<std::string> five = {"A", "-", "B", "-", "C"};
  struct {
    std::vector<std::string> rows;
    std::int32_t count;
    std::string want;
  } cases[] = {
      {five, 0, "1:A | 2:B | 3:C"},
      {five, 4, "1:A | 2:B |"},
      {{"--", "-", "Menu item text"}, 0, "1:-- | 2:Menu item text"},
  };
  for (const auto& c : cases) {
    const std::string trace = c.want + " with count " + std::to_string(c.count);
    zt::HostVar v = zt::Strings(c.rows, 16);
    ASSERT_EQ(0, CreatePopup(v, c.count, 0, 0)) << trace;
    Shown s = Show(0);
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
  zt::HostVar v = zt::Strings({"A", "-", "B", "-", "C"}, 16);
  ASSERT_EQ(0, CreatePopup(v, 0, 2, 0));
  struct {
    int choice;
    std::int32_t status;
  } cases[] = {{2, -3}, {0, -1}, {1, -2}, {kDismiss, 0}};
  for (const auto& c : cases) {
    zt::PopupMenuAnswer a(c.choice);
    EXPECT_EQ(c.status, DoPopup(screen_, 200 + c.choice, 150, 2)) << c.choice;
    ASSERT_EQ(1, a.count) << c.choice;
    EXPECT_EQ(200 + c.choice, a.position.x) << c.choice;
    EXPECT_EQ(150, a.position.y) << c.choice;
    EXPECT_EQ(win_.hwnd(), a.owner) << c.choice;
    if (a.flags >= 0) {
      EXPECT_EQ(0x100, a.flags) << c.choice;
    }
  }
}

// A string variable with no rows makes an empty menu, and without a window
// to own it a menu cannot be shown: neither is shown, and both give 0.
TEST_F(Popups, EmptyMenuOrNoOwnerShowsNothing) {
  zt::HostVar none = zt::HostVar::String(64, 0), one = zt::Strings({"A"}, 16);
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
  zt::HostVar first = zt::Strings({"first"}, 16), second = zt::Strings({"second"}, 16);
  zt::HostVar ints = zt::HostVar::Ints(4);
  EXPECT_EQ(0, CreatePopup(first, 0, 9, 0));
  for (std::int32_t slot : {0, -1, 8}) EXPECT_EQ("1:first", Show(slot).items) << slot;
  EXPECT_EQ(-1, CreatePopup(second, 0, -1, 0));
  EXPECT_EQ(-1, CreatePopup(ints, 0, 0, 0));  // the slot is checked first
  EXPECT_EQ("1:first", Show(0).items);

  EXPECT_EQ(6, CreatePopup(ints, 0, 1, 0));
  Shown s = Show(1);
  EXPECT_EQ(kFree, s.status);
  EXPECT_EQ(0, s.count);
  EXPECT_EQ(0, CreatePopup(second, 0, 1, 0));
  EXPECT_EQ("1:second", Show(1).items);
}

// 256 to 263 destroy one slot; any other value every created menu.
TEST_F(Popups, DestroyOneOrAll) {
  HMENU menus[8] = {};
  auto Create = [&](std::int32_t slot) {
    zt::HostVar v = zt::Strings({"slot " + std::to_string(slot)}, 16);
    ASSERT_EQ(0, CreatePopup(v, 0, slot, 0));
    Shown s = Show(slot);
    ASSERT_EQ("1:slot " + std::to_string(slot), s.items);
    menus[slot] = s.menu;
  };
  for (std::int32_t slot : {0, 3, 4}) Create(slot);
  EXPECT_EQ(0, DestroyPopup(260, 0, 0, 0));
  EXPECT_FALSE(IsMenu(menus[4]));
  EXPECT_TRUE(IsMenu(menus[0]));
  EXPECT_TRUE(IsMenu(menus[3]));
  EXPECT_EQ(kFree, Show(4).status);
  EXPECT_EQ("1:slot 3", Show(3).items);
  EXPECT_EQ(-1, DestroyPopup(260, 0, 0, 0));
  EXPECT_EQ(-1, DestroyPopup(263, 0, 0, 0));

  for (std::int32_t all : {0, 255, 264, -1}) {
    Create(7);
    EXPECT_EQ(0, DestroyPopup(all, 0, 0, 0)) << all;
    for (std::int32_t slot : {0, 3, 7}) {
      EXPECT_FALSE(IsMenu(menus[slot])) << all << " slot " << slot;
      EXPECT_EQ(kFree, Show(slot).status) << all << " slot " << slot;
    }
    EXPECT_EQ(-1, DestroyPopup(all, 0, 0, 0)) << all;
  }
}

}  // namespace
