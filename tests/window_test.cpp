// The window and object exports, their effects read back with Win32 calls:
// the same checks run on the stand-in and under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/screen.h"
#include "support/ui.h"
#include "support/zortest.h"
#include "window/message_box.h"

namespace {

ZT_EXPORT(GetForeWinSize, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(ExDialog, const char*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetSysColour, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjTable, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjText, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

using zt::TestScreen;
using zt::TestWindow;
using Ints = std::vector<std::int32_t>;
constexpr std::int32_t kOutside = -268435455;
constexpr std::int32_t kNoTarget = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t k55 = 0x55555555;

// Calls the export `name` that takes a screen and three integers.
std::int32_t Call(const char* name, zor::HspScreen* s, std::int32_t a2 = 0, std::int32_t a3 = 0,
                  std::int32_t a4 = 0) {
  using Export = std::int32_t(ZOR_CALL*)(zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
  return reinterpret_cast<Export>(zt::ResolveExport(name))(s, a2, a3, a4);
}

struct Scene {
  explicit Scene(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, int w = 64, int h = 48)
      : window(60, 50, 200, 150, style), screen(w, h, false) {
    screen.rec()->window = zor::HandleAddr(window.hwnd());
  }
  TestWindow window;
  TestScreen screen;
};

bool CursorMoves() {
  SetCursorPos(123, 145);
  POINT p{};
  GetCursorPos(&p);
  return p.x == 123 && p.y == 145;
}

TEST(ExDialog, StyleButtonsAndAnswers) {
  struct Case {
    std::int32_t code, defaultButton;
    UINT style;
    std::int32_t press, status;
    std::vector<int> buttons;
  } cases[] = {
      {0x13, 0, 0x21, IDCANCEL, -4, {IDOK, IDCANCEL}},  // question, OK/Cancel
      {0x00, 0, 0x00, IDOK, -1, {IDOK}},
      {0x21, 2, 0x145, IDRETRY, -7, {IDRETRY, IDCANCEL}},
      {0x32, 3, 0x234, IDNO, -3, {IDYES, IDNO}},
      {0x44, 2, 0x113, IDYES, -2, {IDYES, IDNO, IDCANCEL}},
      {0x51, 1, 0x42, IDABORT, -5, {IDABORT, IDRETRY, IDIGNORE}},
      {0x58, 0, 0x02, IDIGNORE, -6, {IDABORT, IDRETRY, IDIGNORE}},  // other bits ignored
      {0x67, 4, 0x00, IDOK, -1, {IDOK}},                            // 6 buttons, 7 icon: none
  };
  // No SCOPED_TRACE here: together with the watchdog's thread it crashes the emulated Wine.
  for (const Case& c : cases) {
    zt::Watchdog watchdog(30, "a message box");
    zt::MessageBoxAnswer answer(c.press);
    EXPECT_EQ(c.status, ExDialog("the text", "the caption", c.code, c.defaultButton)) << c.code;
    EXPECT_EQ("the text", answer.text()) << c.code;
    EXPECT_EQ("the caption", answer.caption()) << c.code;
    unsigned buttons = 0;
    for (int id : c.buttons) buttons |= 1u << id;
    EXPECT_EQ(buttons, answer.buttons_) << c.code;
    if (answer.style_ >= 0) {
      EXPECT_EQ(long(c.style), answer.style_) << c.code;
    }
  }
  // A failed box gives 0, as do results no box gives.
  for (int pressed : {-1, 0, 8, 9}) EXPECT_EQ(0, zor::MessageBoxStatus(pressed)) << pressed;
}

TEST(ParentWindow, SetChangeClearAndOwnMessageBoxes) {
  zt::Watchdog watchdog(30, "a message box");
  Scene parent, child, hidden(WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(-1, Call("ChangeParentWnd", child.screen));  // none set
  ASSERT_EQ(0, Call("SetParentWnd", parent.screen));
  EXPECT_EQ(-1, Call("SetParentWnd", hidden.screen));     // a hidden window is not taken
  EXPECT_EQ(-2, Call("ChangeParentWnd", parent.screen));  // its own window
  EXPECT_EQ(0, Call("ChangeParentWnd", child.screen));
  EXPECT_EQ(parent.window.hwnd(), GetAncestor(child.window, GA_PARENT));
  // Clearing answers -2 even for a visible window, and leaves none set.
  EXPECT_EQ(-2, Call("SetParentWnd", child.screen, 1));
  EXPECT_EQ(-1, Call("ChangeParentWnd", child.screen));
  // The parent owns the boxes until its window is gone; then it is forgotten.
  ASSERT_EQ(0, Call("SetParentWnd", parent.screen));
  for (HWND owner : {parent.window.hwnd(), HWND{}}) {
    zt::MessageBoxAnswer answer(IDOK);
    EXPECT_EQ(-1, ExDialog("owned", "", 0, 0));
    EXPECT_EQ(owner, answer.owner_);
    DestroyWindow(parent.window);
  }
}

// GetForeWinSize gives the foreground window's outer size in two elements.
TEST(WindowState, SizeStateDragAndFlash) {
  Scene s;
  RECT before;
  GetWindowRect(s.window, &before);
  SetForegroundWindow(s.window);
  zt::PumpMessages();
  ASSERT_EQ(s.window.hwnd(), GetForegroundWindow());
  auto v = zt::HostVar::Ints(4);
  v.Fill(0x55);
  EXPECT_EQ(0, GetForeWinSize(v, 0, 0, 0));
  EXPECT_EQ((Ints{before.right - before.left, before.bottom - before.top, k55}),
            Ints(v.ints(), v.ints() + 3));
  struct Step {
    const char* call;
    std::int32_t iconic, zoomed;
  } steps[] = {{"ZorMinimize", -1, 0}, {"ZorRestore", 0, 0},   {"ZorMaximize", 0, -1},
               {"ZorRestore", 0, 0},   {"ZorMaximize", 0, -1}, {"ZorMinimize", -1, 0},
               {"ZorRestore", 0, -1}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.call);
    EXPECT_EQ(0, Call(step.call, s.screen));
    zt::PumpMessages();
    EXPECT_EQ(step.iconic, Call("Iconic", s.screen));
    EXPECT_EQ(step.zoomed, Call("Zoomed", s.screen));
  }
  // DragWin releases the capture and asks for a caption move; FlashWin
  // inverts and restores the caption.
  SetCapture(s.window);
  TestWindow::SysCommands().clear();
  EXPECT_EQ(0, Call("DragWin", s.screen));
  EXPECT_EQ(nullptr, GetCapture());
  ASSERT_EQ(1u, TestWindow::SysCommands().size());
  EXPECT_EQ(s.window.hwnd(), TestWindow::SysCommands()[0].window);
  EXPECT_EQ(0xF012u, TestWindow::SysCommands()[0].wParam);
  EXPECT_EQ(0, TestWindow::SysCommands()[0].lParam);
  for (int on : {1, 0}) {
    EXPECT_EQ(0, Call("FlashWin", s.screen, on));
#if !defined(_WIN32)
    BOOL inverted = !on;
    EXPECT_EQ(2 - on, ZorStandinFlashCount(s.window, &inverted));
    EXPECT_EQ(on, inverted);
#endif
  }
}

TEST(GetSysColour, ClampedIndexSplitIntoChannels) {
  const struct {
    std::int32_t index, read;
  } cases[] = {{-5, 0}, {0, 0}, {1, 1}, {5, 5}, {15, 15}, {30, 30}, {63, 63}, {200, 63}};
  for (auto c : cases) {
    auto v = zt::HostVar::Ints(3);
    ASSERT_EQ(0, GetSysColour(v, c.index, 0, 0)) << c.index;
    COLORREF want = GetSysColor(c.read);
    EXPECT_EQ((Ints{GetRValue(want), GetGValue(want), GetBValue(want)}),
              Ints(v.ints(), v.ints() + 3))
        << c.index;
  }
}

// Raster modes map to two-operand codes; Obj_Font gives an object the
// screen's font.
TEST(ScreenSettings, RasterOperationAndObjectFont) {
  Scene s;
  const struct {
    std::int32_t mode;
    int code;
  } cases[] = {{0, R2_COPYPEN}, {8, R2_NOTXORPEN}, {9, R2_COPYPEN}, {-1, R2_COPYPEN}};
  for (auto c : cases) {
    SetROP2(s.screen.dc(), R2_WHITE);
    EXPECT_EQ(0, Call("RasterOperation", s.screen, c.mode));
    EXPECT_EQ(c.code, GetROP2(s.screen.dc())) << "mode " << c.mode;
  }
  HWND button = zt::AddChild("BUTTON", s.window, "b", 3, 4, 4, 60, 20);
  s.screen.rec()->objects[3] = zor::HandleAddr(button);
  s.screen.rec()->font = 0x12340;
  const struct { std::int32_t number, status; } fonts[] = {{64, -1}, {-1, -1}, {5, -255}, {3, 0}};
  for (auto c : fonts) EXPECT_EQ(c.status, Call("Obj_Font", s.screen, c.number)) << c.number;
  EXPECT_EQ(0x12340, static_cast<long>(SendMessageA(button, WM_GETFONT, 0, 0)));
}

TEST(Cursor, SetAndReadInClientCoordinates) {
  Scene s;
  RECT client;
  GetClientRect(s.window, &client);
  POINT origin{0, 0};
  ClientToScreen(s.window, &origin);
  if (!CursorMoves()) GTEST_SKIP() << "SKIPPED: the cursor cannot be moved on this display";
  ASSERT_EQ(0, Call("SetCursorClient", s.screen, 10, 20));
  EXPECT_EQ(-10, Call("GetClientCurPos", s.screen, 0));
  EXPECT_EQ(-20, Call("GetClientCurPos", s.screen, 1));
  const struct {
    int x, y;
    std::int32_t axis, status;
  } cases[] = {
      {10, 20, 7, -10},
      {0, 0, 1, 0},
      {int(client.right) - 1, int(client.bottom) - 1, 0, -(int(client.right) - 1)},
      {int(client.right), 5, 0, kOutside},  // exactly on the right edge
      {5, int(client.bottom), 1, kOutside},
      {-1, 5, 0, kOutside},
      {5, -1, 1, kOutside},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " axis " << c.axis);
    SetCursorPos(origin.x + c.x, origin.y + c.y);
    EXPECT_EQ(c.status, Call("GetClientCurPos", s.screen, c.axis));
  }
  TestScreen none(8, 8, false);
  EXPECT_EQ(kOutside, Call("GetClientCurPos", none));
}

TEST(Ime_Open, SetsTheWindowsOpenStatus) {
  Scene s;
  HIMC probe = ImmGetContext(s.window);
  if (probe == nullptr) GTEST_SKIP() << "SKIPPED: no input method on this display driver";
  ImmReleaseContext(s.window, probe);
  long before = zt::OpenHandleCount();
  for (BOOL open : {TRUE, FALSE, TRUE}) {
    EXPECT_EQ(0, Call("Ime_Open", s.screen, open ? 5 : 0));
    HIMC c = ImmGetContext(s.window);
    EXPECT_EQ(open, ImmGetOpenStatus(c) != 0);
    ImmReleaseContext(s.window, c);
  }
  ZT_EXPECT_HANDLES(before);
  TestScreen none(8, 8, false);
  EXPECT_EQ(-1, Call("Ime_Open", none, 1));
}

// Fills a window's client area with red on the left half, blue on the
// right, and a green pixel at (1, 1).
void DrawPattern(HWND w, int width, int height) {
  TestScreen pattern(width, height, false);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = pattern.Pixel(x, y);  // blue, green, red
      p[0] = x < width / 2 ? 0 : 255;
      p[1] = x == 1 && y == 1 ? 255 : 0;
      p[2] = x < width / 2 && p[1] == 0 ? 255 : 0;
    }
  }
  HDC dc = GetDC(w);
  BitBlt(dc, 0, 0, width, height, pattern.dc(), 0, 0, SRCCOPY);
  ReleaseDC(w, dc);
  // Lets the platform show it before the screen is read.
#if defined(_WIN32)
  GdiFlush();
  Sleep(150);
#endif
  zt::PumpMessages();
}

// The desktop unscaled from the screen's top-left corner, the desktop alone
// with the windows hidden, and the foreground window unscaled and scaled to
// the screen; queries 1 and 2 give the screen's size, 3 and 4 the source's.
// (This program runs alone: no other program's windows share the display.)
TEST(Capture, QueriesDesktopAndForegroundWindow) {
  Scene s(WS_POPUP | WS_VISIBLE);
  SetForegroundWindow(s.window);
  HDC screen = GetDC(nullptr);  // not on Wine's null driver
  const BOOL canRead = BitBlt(s.screen.dc(), 0, 0, 4, 4, screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBare = 1;
  const char *kDesk = "PaintDesktopImage", *kFore = "PaintForeWinImage";
  const struct {
    const char* name;
    int width, height;
    std::int32_t stretch, query, desktopOnly, status;
    std::vector<std::tuple<int, int, std::uint32_t>> pixels;  // kBare: the colour at (0, 0)
  } cases[] = {
      {kDesk, 260, 200, 0, 3, 0, -sw, {{60, 50, kRed}, {61, 51, kGreen}, {259, 199, kBlue}}},
      {kDesk, 260, 200, 0, 4, 1, -sh, {{60, 50, kBare}, {61, 51, kBare}, {259, 199, kBare}}},
      {kFore, 120, 150, 0, 1, 0, -120, {{0, 0, kRed}, {1, 1, kGreen}, {119, 149, kBlue}}},
      {kFore, 100, 75, 1, 2, 0, -75, {{45, 70, kRed}, {55, 10, kBlue}, {99, 74, kBlue}}},
      {kFore, 100, 75, 1, 5, 0, 0, {{10, 10, kRed}}},
  };
  long before = zt::OpenHandleCount();
  for (const auto& c : cases) {
    DrawPattern(s.window, 200, 150);
    TestScreen d(c.width, c.height, false);
    d.Fill(0x55);
    EXPECT_EQ(c.status, Call(c.name, d, c.stretch, c.query, c.desktopOnly)) << c.name << c.query;
    if (!canRead) continue;
    const std::uint32_t bare = d.Rgb(0, 0);
    for (auto [x, y, rgb] : c.pixels)
      EXPECT_EQ(rgb == kBare ? bare : rgb, d.Rgb(x, y))
          << c.name << c.query << " " << x << "," << y;
    if (c.desktopOnly) {
      EXPECT_NE(0x555555u, bare);
#if !defined(_WIN32)
      // The stand-in paints the desktop colour; Wine paints the brush of its
      // desktop window, which is not reported as a system colour.
      EXPECT_EQ(GetSysColor(COLOR_DESKTOP), RGB(bare >> 16, bare >> 8 & 0xFF, bare & 0xFF));
#endif
    }
  }
  // A foreground window of no size leaves nothing to scale (Wine's
  // StretchBlt divides by the source's size).
  SetWindowPos(s.window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(0, Call(kFore, s.screen, 1, 3, 0));
  ZT_EXPECT_HANDLES(before);
  if (!canRead) GTEST_SKIP() << "SKIPPED: the display driver cannot read the screen";
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
    std::int32_t a3, a4, badNumber, noObject;
  } exports[] = {
      {"MoveObject", 5, 5, -1, -2}, {"ResizeObject", 5, 5, -1, -2}, {"SetTargetObj", 0, 0, -1, -2},
      {"ES_Change", 1, 1, -1, -1},  {"BS_Def", 0, 0, -1, -1},       {"BS_Multi", 0, 0, -1, -1},
      {"BS_Ext", 1, 0, -1, -1},     {"CallCursor", 0, 0, -1, -1},   {"BtnPush", 0, 0, -1, -1},
  };
  for (const auto& e : exports) {
    for (std::int32_t number : {-1, 64, INT_MIN, INT_MAX, 2, 5}) {
      ASSERT_EQ(0, Call("SetTargetObj", screen_, 1));
      EXPECT_EQ(number == 2 || number == 5 ? e.noObject : e.badNumber,
                Call(e.name, screen_, number, e.a3, e.a4))
          << e.name << " " << number;
      zt::HostVar v = zt::HostVar::Ints(4);
      EXPECT_EQ(std::string(e.name) == "SetTargetObj" ? kNoTarget : -5, GetObjText(v, 0, 0, 0))
          << e.name;
    }
  }
}

// Negative positions become 0 and sizes below 1 become 16; the other
// dimension stays, and the object is shown.
TEST_F(Objects, MoveAndResizeClampAndShow) {
  struct {
    const char* name;
    std::int32_t a, b;
    std::vector<LONG> want;  // the rectangle in the parent's client area
  } cases[] = {
      {"MoveObject", 20, 30, {20, 30, 101, 55}},    {"MoveObject", -5, 10, {0, 10, 81, 35}},
      {"MoveObject", 7, -1, {7, 0, 88, 25}},        {"MoveObject", INT_MIN, 0, {0, 0, 81, 25}},
      {"ResizeObject", 0, 30, {10, 10, 26, 40}},    {"ResizeObject", 40, -2, {10, 10, 50, 26}},
      {"ResizeObject", 100, 50, {10, 10, 110, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.a) + "," + std::to_string(c.b));
    SetWindowPos(button_, nullptr, 10, 10, 81, 25, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(button_, SW_HIDE);
    EXPECT_EQ(0, Call(c.name, screen_, 0, c.a, c.b));
    RECT r{};
    GetWindowRect(button_, &r);
    ScreenToClient(win_, reinterpret_cast<POINT*>(&r));
    ScreenToClient(win_, reinterpret_cast<POINT*>(&r) + 1);
    EXPECT_EQ(c.want, (std::vector<LONG>{r.left, r.top, r.right, r.bottom}));
    EXPECT_TRUE(IsWindowVisible(button_));
  }
}

// Style bits are only added; BS_Ext clamps its index to 20 and refuses one
// below 1; ES_Change clears its fourth argument's case before setting its
// third's.
TEST_F(Objects, StylesAreAddedOrSwitched) {
  struct {
    const char *what, *fn;
    DWORD style;
    std::int32_t a3, a4, status;
    LONG want;
  } cases[] = {
      {"default", "BS_Def", 0, 0, 0, 0, 1},
      {"multiline check box", "BS_Multi", 2, 0, 0, 0, 0x2002},
      {"radio on check box", "BS_Ext", 2, 10, 0, 0, 6},
      {"index 21 is bitmap", "BS_Ext", 0, 21, 0, 0, 0x80},
      {"index 1 text left", "BS_Ext", 0, 1, 0, 0, 0x20},
      {"index 0", "BS_Ext", 0, 0, 0, -16, 0},
      {"set 5 is lower", "ES_Change", 0x8, 5, 1, 0, 0x10},
      {"clear 9 is lower", "ES_Change", 0x10, 1, 9, 0, 0x8},
      {"equal keeps the bit", "ES_Change", 0x8, 1, 1, 0, 0x8},
      {"set 0", "ES_Change", 0x8, 0, 1, -16, 0x8},
      {"clear 0", "ES_Change", 0x8, 1, 0, -16, 0x8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool edit = std::string(c.fn) == "ES_Change";
    const LONG mask = edit ? 0x18 : 0xFFFF;  // ES_UPPERCASE | ES_LOWERCASE, or the button styles
    HWND w = zt::AddChild(edit ? "EDIT" : "BUTTON", win_, "o", 103, 150, 10, 60, 20, c.style);
    screen_->objects[3] = zor::HandleAddr(w);
    ASSERT_EQ(static_cast<LONG>(c.style), GetWindowLongA(w, GWL_STYLE) & mask);
    EXPECT_EQ(c.status, Call(c.fn, screen_, 3, c.a3, c.a4));
    EXPECT_EQ(c.want, GetWindowLongA(w, GWL_STYLE) & mask);
    DestroyWindow(w);
  }
}

// Flags are 1 where a handle differs from the snapshot, whatever the handles
// are (object 5's window is dead, its handle unchanged).
TEST_F(Objects, ChangeFlagsCompareHandles) {
  zt::HostVar flags = zt::HostVar::Ints(70);
  auto Flagged = [&] {
    flags.Fill(0x55);
    EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
    std::vector<int> on;
    for (int i = 0; i < 64; ++i)
      if (flags.ints()[i] != 0) on.push_back(i);
    for (int i = 64; i < 70; ++i) EXPECT_EQ(k55, flags.ints()[i]) << i;
    return on;
  };
  ASSERT_EQ(0, Call("SetObjTable", screen_));
  ASSERT_EQ(0, Call("CheckObjTable", screen_));
  EXPECT_EQ(std::vector<int>{}, Flagged());
  screen_->objects[0] = 0;       // went
  screen_->objects[1] = 0x1234;  // number reused by another window
  screen_->objects[2] = 0x5678;  // came
  ASSERT_EQ(0, Call("CheckObjTable", screen_));
  EXPECT_EQ((std::vector<int>{0, 1, 2}), Flagged());
}

// The target's text, at most row bytes - 2 characters and a terminator, in
// the variable made a string variable first; a row of 0 bytes gets nothing; a
// target that is gone leaves none.
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
      {"", zt::HostVar::String(16), 0, "", 15},
      {"hello", std::move(noRow), 0, nullptr, 0},
  };
  ASSERT_EQ(0, Call("SetTargetObj", screen_, 1));
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
  DestroyWindow(edit_);
  zt::HostVar v = zt::HostVar::Ints(4);
  EXPECT_EQ(kNoTarget, GetObjText(v, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, v.rec()->type);
}

// The cursor goes to the centre of the object's or the screen window's
// rectangle (halves rounded toward zero); a failure leaves it where it was.
TEST_F(Objects, CallCursorCentresOnTheObjectOrWindow) {
  if (!CursorMoves()) GTEST_SKIP() << "SKIPPED: the cursor cannot be moved on this display";
  const zor::HostAddr kValid = zor::HandleAddr(win_.hwnd()), kDead = zor::HandleAddr(dead_);
  struct {
    std::int32_t number, useWindow;
    zor::HostAddr window;  // the screen's
    std::int32_t status;
    HWND centreOf;  // null: the cursor does not move
  } cases[] = {
      {0, 0, kValid, 0, button_}, {1, 0, kValid, 0, edit_},     {0, 1, kValid, 0, win_},
      {2, -1, kValid, 0, win_},   {64, 1, kValid, -1, nullptr}, {-1, 1, kValid, -1, nullptr},
      {0, 1, 0, -1, nullptr},     {0, 1, kDead, -1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.number << ", " << c.useWindow << ", " << c.window);
    screen_->window = c.window;
    SetCursorPos(3, 4);
    EXPECT_EQ(c.status, Call("CallCursor", screen_, c.number, c.useWindow));
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
  const auto& commands = zt::TestWindow::Commands();
  auto clicks = [&] {
    return std::count_if(commands.begin(), commands.end(), [&](const zt::Command& c) {
      return c.window == win_.hwnd() && c.wParam == MAKEWPARAM(100, BN_CLICKED) &&
             reinterpret_cast<HWND>(c.lParam) == button_;
    });
  };
  EXPECT_EQ(0, Call("BtnPush", screen_));
  EXPECT_EQ(0, clicks());
  zt::PumpMessages();
  EXPECT_EQ(1, clicks());
}

}  // namespace
