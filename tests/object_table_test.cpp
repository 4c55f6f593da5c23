// The object exports on a test window's buttons and edit boxes, observed
// through Win32 calls (window rectangles, styles, texts, the cursor, the
// WM_COMMANDs the window receives), so the same checks run on both tiers.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "support/ui.h"
#include "support/zortest.h"

namespace {

using Export = std::int32_t(ZOR_CALL*)(zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);

ZT_EXPORT(MoveObject, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(ResizeObject, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetObjTable, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CheckObjTable, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjTable, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetTargetObj, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjText, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(ES_Change, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(BS_Def, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(BS_Multi, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(BS_Ext, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CallCursor, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(BtnPush, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kNoTarget = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t k55 = 0x55555555;

// The window's rectangle in its parent's client coordinates.
RECT InParent(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  POINT a{r.left, r.top}, b{r.right, r.bottom};
  ScreenToClient(GetParent(w), &a);
  ScreenToClient(GetParent(w), &b);
  return {a.x, a.y, b.x, b.y};
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

LONG Style(HWND w) { return GetWindowLongA(w, GWL_STYLE); }

// Clicks the window received from its control `id`, `button`.
int Clicks(HWND window, int id, HWND button) {
  int n = 0;
  for (const zt::Command& c : zt::TestWindow::Commands()) {
    n += c.window == window && c.wParam == MAKEWPARAM(id, BN_CLICKED) &&
         reinterpret_cast<HWND>(c.lParam) == button;
  }
  return n;
}

// A test window with a button as object 0, an edit box as object 1, no
// object 2 and a destroyed window as object 5.
class Objects : public testing::Test {
 protected:
  void SetUp() override {
    button_ = zt::AddChild("BUTTON", win_, "Push", 100, 10, 10, 81, 25);
    edit_ = zt::AddChild("EDIT", win_, "hello", 101, 10, 50, 121, 21);
    dead_ = zt::AddChild("BUTTON", win_, "gone", 102, 10, 90, 40, 20);
    DestroyWindow(dead_);
    screen_->objects[0] = zor::HandleAddr(button_);
    screen_->objects[1] = zor::HandleAddr(edit_);
    screen_->objects[5] = zor::HandleAddr(dead_);
    zt::PumpMessages();
    zt::TestWindow::Commands().clear();
  }

  zt::TestWindow win_;
  zt::WindowScreen screen_{win_.hwnd()};
  HWND button_ = nullptr, edit_ = nullptr, dead_ = nullptr;
};

// Every export that takes an object number gives its own status for a number
// outside 0 to 63 and for a number with no live window; a failed
// SetTargetObj leaves no target.
TEST_F(Objects, FailedReferencesGiveTheirStatus) {
  struct {
    const char* name;
    Export fn;
    std::int32_t a3, a4, badNumber, noObject;
  } exports[] = {
      {"MoveObject", MoveObject, 5, 5, -1, -2},
      {"ResizeObject", ResizeObject, 5, 5, -1, -2},
      {"SetTargetObj", SetTargetObj, 0, 0, -1, -2},
      {"ES_Change", ES_Change, 1, 1, -1, -1},
      {"BS_Def", BS_Def, 0, 0, -1, -1},
      {"BS_Multi", BS_Multi, 0, 0, -1, -1},
      {"BS_Ext", BS_Ext, 1, 0, -1, -1},
      {"CallCursor", CallCursor, 0, 0, -1, -1},
      {"BtnPush", BtnPush, 0, 0, -1, -1},
  };
  for (const auto& e : exports) {
    for (std::int32_t number : {-1, 64, INT_MIN, INT_MAX, 2, 5}) {
      ASSERT_EQ(0, SetTargetObj(screen_, 1, 0, 0));
      EXPECT_EQ(number == 2 || number == 5 ? e.noObject : e.badNumber,
                e.fn(screen_, number, e.a3, e.a4))
          << e.name << " " << number;
      zt::HostVar v = zt::HostVar::Ints(4);
      EXPECT_EQ(e.fn == SetTargetObj ? kNoTarget : -5, GetObjText(v, 0, 0, 0)) << e.name;
    }
  }
  zt::PumpMessages();
  EXPECT_TRUE(zt::TestWindow::Commands().empty());
}

// Negative positions become 0 and sizes below 1 become 16; the other
// dimension stays, and the object is shown. A failed call leaves it alone.
TEST_F(Objects, MoveAndResizeClampAndShow) {
  struct {
    const char* name;
    Export fn;
    std::int32_t number, a, b, status;
    RECT want;
  } cases[] = {
      {"move", MoveObject, 0, 20, 30, 0, {20, 30, 101, 55}},
      {"move", MoveObject, 0, -5, 10, 0, {0, 10, 81, 35}},
      {"move", MoveObject, 0, 7, -1, 0, {7, 0, 88, 25}},
      {"move", MoveObject, 0, INT_MIN, 0, 0, {0, 0, 81, 25}},
      {"size", ResizeObject, 0, 0, 30, 0, {10, 10, 26, 40}},
      {"size", ResizeObject, 0, 40, -2, 0, {10, 10, 50, 26}},
      {"size", ResizeObject, 0, 100, 50, 0, {10, 10, 110, 60}},
      {"move", MoveObject, 64, 20, 30, -1, {10, 10, 91, 35}},
      {"size", ResizeObject, -1, 20, 30, -1, {10, 10, 91, 35}},
      {"size", ResizeObject, 2, 20, 30, -2, {10, 10, 91, 35}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.a) + "," + std::to_string(c.b));
    SetWindowPos(button_, nullptr, 10, 10, 81, 25, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(button_, SW_HIDE);
    EXPECT_EQ(c.status, c.fn(screen_, c.number, c.a, c.b));
    EXPECT_EQ(Text(c.want), Text(InParent(button_)));
    EXPECT_EQ(c.status == 0, IsWindowVisible(button_) != FALSE);
  }
}

// Style bits are only added; BS_Ext clamps its index to 20 and refuses one
// below 1; ES_Change clears its fourth argument's case before setting its
// third's.
TEST_F(Objects, StylesAreAddedOrSwitched) {
  constexpr LONG kCases = 0x18;  // ES_UPPERCASE | ES_LOWERCASE
  struct {
    const char* what;
    Export fn;
    bool button;
    DWORD style;
    std::int32_t a3, a4, status;
    LONG mask, want;
  } cases[] = {
      {"default", BS_Def, true, 0, 0, 0, 0, 0xFFFF, 1},
      {"multiline", BS_Multi, true, 0, 0, 0, 0, 0xFFFF, 0x2000},
      {"multiline check box", BS_Multi, true, 2, 0, 0, 0, 0xFFFF, 0x2002},
      {"radio on check box", BS_Ext, true, 2, 10, 0, 0, 0xFFFF, 6},
      {"index 21 is bitmap", BS_Ext, true, 0, 21, 0, 0, 0xFFFF, 0x80},
      {"index 18 adds nothing", BS_Ext, true, 0x20, 18, 0, 0, 0xFFFF, 0x20},
      {"index 1 text left", BS_Ext, true, 0, 1, 0, 0, 0xFFFF, 0x20},
      {"index 7 centred vertically", BS_Ext, true, 0, 7, 0, 0, 0xFFFF, 0xC00},
      {"index 14 auto radio", BS_Ext, true, 0, 14, 0, 0, 0xFFFF, 9},
      {"index 17 owner drawn", BS_Ext, true, 0, 17, 0, 0, 0xFFFF, 0xB},
      {"index 0", BS_Ext, true, 0, 0, 0, -16, 0xFFFF, 0},
      {"index -3", BS_Ext, true, 0, -3, 0, -16, 0xFFFF, 0},
      {"upper to lower", ES_Change, false, 0x8, 2, 1, 0, kCases, 0x10},
      {"set 5 is lower", ES_Change, false, 0x8, 5, 1, 0, kCases, 0x10},
      {"lower to upper", ES_Change, false, 0x10, 1, 2, 0, kCases, 0x8},
      {"clear 9 is lower", ES_Change, false, 0x10, 1, 9, 0, kCases, 0x8},
      {"equal keeps the bit", ES_Change, false, 0x8, 1, 1, 0, kCases, 0x8},
      {"lower from none", ES_Change, false, 0, 2, 2, 0, kCases, 0x10},
      {"set 0", ES_Change, false, 0x8, 0, 1, -16, kCases, 0x8},
      {"clear 0", ES_Change, false, 0x8, 1, 0, -16, kCases, 0x8},
      {"clear -7", ES_Change, false, 0x10, 2, -7, -16, kCases, 0x10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND w = zt::AddChild(c.button ? "BUTTON" : "EDIT", win_, "o", 103, 150, 10, 60, 20, c.style);
    screen_->objects[3] = zor::HandleAddr(w);
    ASSERT_EQ(static_cast<LONG>(c.style), Style(w) & c.mask);
    EXPECT_EQ(c.status, c.fn(screen_, 3, c.a3, c.a4));
    EXPECT_EQ(c.want, Style(w) & c.mask);
    DestroyWindow(w);
  }
}

// Flags are 1 where a handle differs from the snapshot, whatever the handles
// are; the snapshot is not tied to a screen and the flags stay until the
// next check.
TEST_F(Objects, ChangeFlagsCompareHandles) {
  zt::HostVar flags = zt::HostVar::Ints(70);
  auto Flagged = [&] {
    flags.Fill(0x55);
    EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
    std::vector<int> on;
    for (int i = 0; i < 64; ++i) {
      if (flags.ints()[i] != 0) on.push_back(i);
      EXPECT_TRUE(flags.ints()[i] == 0 || flags.ints()[i] == 1) << i;
    }
    for (int i = 64; i < 70; ++i) EXPECT_EQ(k55, flags.ints()[i]) << i;
    return on;
  };
  ASSERT_EQ(0, SetObjTable(screen_, 0, 0, 0));
  ASSERT_EQ(0, CheckObjTable(screen_, 0, 0, 0));
  EXPECT_EQ(std::vector<int>{}, Flagged());

  HWND other = zt::AddChild("EDIT", win_, "new", 104, 150, 50, 60, 20);
  HWND came = zt::AddChild("BUTTON", win_, "new", 105, 150, 80, 60, 20);
  screen_->objects[0] = 0;                       // went
  screen_->objects[1] = zor::HandleAddr(other);  // number reused by another window
  screen_->objects[2] = zor::HandleAddr(came);   // came
  screen_->objects[5] = zor::HandleAddr(dead_);  // a dead handle, unchanged
  screen_->objects[63] = zor::HandleAddr(came);  // came
  screen_->objects[63] = 0;                      // and went again: same value as saved
  ASSERT_EQ(0, CheckObjTable(screen_, 0, 0, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 2}), Flagged());

  // The same snapshot against another screen; a new snapshot leaves the
  // flags as they are.
  zt::WindowScreen blank;
  ASSERT_EQ(0, CheckObjTable(blank, 0, 0, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 5}), Flagged());
  ASSERT_EQ(0, SetObjTable(screen_, 0, 0, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 5}), Flagged());
  ASSERT_EQ(0, CheckObjTable(screen_, 0, 0, 0));
  EXPECT_EQ(std::vector<int>{}, Flagged());
}

// The target's text, at most row bytes - 2 characters and a terminator; the
// variable becomes a string variable first. A row of 0 bytes gets nothing.
TEST_F(Objects, GetObjTextCopiesWithinTheRow) {
  zt::HostVar noRow = zt::HostVar::Ints(1);
  noRow.rec()->lengths[1] = 0;
  struct {
    const char* text;
    zt::HostVar var;
    std::int32_t status;
    const char* want;
    std::size_t firstUntouched;  // bytes from here on are never written
  } cases[] = {
      {"hello", zt::HostVar::String(64), -5, "hello", 63},
      {"hello", zt::HostVar::String(4), -2, "he", 3},
      {"abcdefghij", zt::HostVar::String(8, 3), -6, "abcdef", 7},
      {"hello", zt::HostVar::Ints(2), -5, "hello", 7},
      {"hello", zt::HostVar::Ints(1), -2, "he", 3},
      {"", zt::HostVar::String(16), 0, "", 15},
      {"hello", std::move(noRow), 0, nullptr, 0},
  };
  ASSERT_EQ(0, SetTargetObj(screen_, 1, 0, 0));
  for (auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " into " + std::to_string(c.var.storageBytes()));
    ASSERT_TRUE(SetWindowTextA(edit_, c.text));
    c.var.Fill(0x55);
    EXPECT_EQ(c.status, GetObjText(c.var, 0, 0, 0));
    EXPECT_EQ(zor::kTypeString, c.var.rec()->type);
    if (c.want != nullptr) {
      EXPECT_STREQ(c.want, c.var.text());
    }
    for (std::size_t i = c.firstUntouched; i < c.var.storageBytes(); ++i) {
      ASSERT_EQ(0x55, c.var.bytes()[i]) << i;
    }
  }
}

// A target that is gone leaves no target; the variable still becomes a
// string variable.
TEST_F(Objects, GetObjTextWithoutTarget) {
  HWND temp = zt::AddChild("EDIT", win_, "temp", 106, 150, 110, 60, 20);
  screen_->objects[6] = zor::HandleAddr(temp);
  ASSERT_EQ(0, SetTargetObj(screen_, 6, 0, 0));
  DestroyWindow(temp);
  zt::HostVar v = zt::HostVar::Ints(4);
  EXPECT_EQ(kNoTarget, GetObjText(v, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, v.rec()->type);
  EXPECT_EQ(0, v.ints()[0]);
}

// The cursor goes to the centre of the object's or the screen window's
// rectangle (halves rounded toward zero); a failure leaves it where it was.
TEST_F(Objects, CallCursorCentresOnTheObjectOrWindow) {
  SetCursorPos(123, 145);
  POINT probe{};
  GetCursorPos(&probe);
  if (probe.x != 123 || probe.y != 145) {
    GTEST_SKIP() << "this display does not keep the cursor position SetCursorPos gives (got "
                 << probe.x << "," << probe.y << ")";
  }
  enum Window { kValid, kZero, kDead };
  struct {
    std::int32_t number, useWindow;
    Window window;
    std::int32_t status;
    HWND centreOf;  // null: the cursor does not move
  } cases[] = {
      {0, 0, kValid, 0, button_},  {1, 0, kValid, 0, edit_},     {0, 1, kValid, 0, win_},
      {2, -1, kValid, 0, win_},    {64, 1, kValid, -1, nullptr}, {-1, 1, kValid, -1, nullptr},
      {0, 1, kZero, -1, nullptr},  {0, 1, kDead, -1, nullptr},   {2, 0, kValid, -1, nullptr},
      {5, 0, kValid, -1, nullptr}, {64, 0, kValid, -1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.number) + " use window " + std::to_string(c.useWindow) +
                 " window " + std::to_string(c.window));
    screen_->window = c.window == kValid  ? zor::HandleAddr(win_.hwnd())
                      : c.window == kDead ? zor::HandleAddr(dead_)
                                          : 0;
    SetCursorPos(3, 4);
    EXPECT_EQ(c.status, CallCursor(screen_, c.number, c.useWindow, 0));
    POINT want{3, 4}, got{};
    if (c.centreOf != nullptr) {
      RECT r{};
      GetWindowRect(c.centreOf, &r);
      want = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    }
    GetCursorPos(&got);
    EXPECT_EQ(want.x, got.x);
    EXPECT_EQ(want.y, got.y);
  }
}

// The click is posted: the button reports it when the messages are
// processed, not during the call.
TEST_F(Objects, BtnPushPostsAClick) {
  EXPECT_EQ(0, BtnPush(screen_, 0, 0, 0));
  EXPECT_EQ(0, Clicks(win_, 100, button_));
  zt::PumpMessages();
  EXPECT_EQ(1, Clicks(win_, 100, button_));
}

}  // namespace
