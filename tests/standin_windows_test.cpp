// Return values and side effects of the user32 window calls the library
// makes, pinned down on the platform and the stand-in alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "support/ui.h"

namespace {

const HWND kNoWindow = reinterpret_cast<HWND>(std::uintptr_t{0x7FFFF0});

TEST(StandinWindows, GetWindowTextCountsTheTerminator) {
  zt::TestWindow w;
  SetWindowTextA(w, "hello");
  const struct {
    int count, result;
    const char* text;
  } cases[] = {{0, 0, "#######"}, {1, 0, ""}, {3, 2, "he"}, {6, 5, "hello"}, {50, 5, "hello"}};
  for (auto c : cases) {
    char buf[64];
    std::memset(buf, '#', sizeof buf);
    buf[7] = 0;
    EXPECT_EQ(c.result, GetWindowTextA(w, buf, c.count)) << c.count;
    EXPECT_STREQ(c.text, buf) << c.count;
  }
  EXPECT_EQ(5, GetWindowTextLengthA(w));
}

TEST(StandinWindows, CallsOnAWindowThatIsNone) {
  long (*const calls[])() = {
      [] { return long(GetWindowTextA(kNoWindow, nullptr, 0)); },
      [] { return long(GetWindowLongA(kNoWindow, GWL_STYLE)); },
      [] {
        RECT r;
        return long(GetWindowRect(kNoWindow, &r));
      },
      [] { return long(PostMessageA(kNoWindow, WM_USER, 0, 0)); },
      [] { return long(SetParent(kNoWindow, nullptr) != nullptr); },
      [] { return long(IsWindow(kNoWindow)); },
      // Documented as 0; Wine answers -1, as a dialog box does.
      [] { return long(MessageBoxA(kNoWindow, "x", "y", 0) > 0); },
  };
  // Should a box appear after all, it is answered.
  zt::Watchdog watchdog(30, "a message box");
  zt::MessageBoxAnswer answer(IDOK);
  int n = 0;
  for (auto call : calls) {
    SetLastError(0);
    EXPECT_EQ(0, call()) << "call " << n;
    if (GetLastError() != 0) {
      EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, GetLastError()) << n;
    }
    ++n;
  }
  EXPECT_EQ(0, answer.count());
}

TEST(StandinWindows, ShowWindowReturnsThePreviousVisibility) {
  zt::TestWindow w(10, 10, 100, 80, WS_OVERLAPPEDWINDOW);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(0, ShowWindow(w, SW_SHOW));
  EXPECT_NE(0, ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_NE(0, ShowWindow(w, SW_HIDE));
  EXPECT_EQ(0, ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(w));
}

TEST(StandinWindows, StyleParentAndGeometry) {
  zt::TestWindow parent(30, 40, 200, 150, WS_POPUP | WS_VISIBLE);
  zt::TestWindow child(5, 6, 50, 40, WS_POPUP | WS_VISIBLE);
  // A popup window has no frame: client and window rectangles agree.
  RECT r, c;
  GetWindowRect(parent, &r);
  GetClientRect(parent, &c);
  EXPECT_EQ(30, r.left);
  EXPECT_EQ(40, r.top);
  EXPECT_EQ(200, c.right);
  EXPECT_EQ(150, c.bottom);
  POINT p{0, 0};
  ClientToScreen(parent, &p);
  EXPECT_EQ(30, p.x);
  ScreenToClient(parent, &p);
  EXPECT_EQ(0, p.x);

  LONG style = GetWindowLongA(child, GWL_STYLE);
  EXPECT_EQ(style, SetWindowLongA(child, GWL_STYLE, style | 0x8));
  EXPECT_EQ(style | 0x8, GetWindowLongA(child, GWL_STYLE));

  EXPECT_EQ(GetDesktopWindow(), SetParent(child, parent));
  EXPECT_EQ(parent.hwnd(), GetAncestor(child, GA_PARENT));
  EXPECT_EQ(nullptr, SetParent(child, kNoWindow));
  EXPECT_EQ(parent.hwnd(), GetAncestor(child, GA_PARENT));
}

TEST(StandinWindows, PostedClickReachesTheParentOnlyWhenDispatched) {
  zt::TestWindow w;
  HWND button = zt::AddButton(w, "b", 77, 4, 4, 60, 20);
  zt::PumpMessages();
  zt::TestWindow::Commands().clear();
  ASSERT_TRUE(PostMessageA(button, BM_CLICK, 0, 0));
  EXPECT_TRUE(zt::TestWindow::Commands().empty());
  zt::PumpMessages();
  ASSERT_EQ(1u, zt::TestWindow::Commands().size());
  EXPECT_EQ(MAKEWPARAM(77, BN_CLICKED), zt::TestWindow::Commands()[0].wParam);
  EXPECT_EQ(reinterpret_cast<LPARAM>(button), zt::TestWindow::Commands()[0].lParam);
}

TEST(StandinWindows, FontOfAControl) {
  zt::TestWindow w;
  HWND edit = zt::AddButton(w, "", 5, 4, 4, 60, 20);
  EXPECT_EQ(0, SendMessageA(edit, WM_GETFONT, 0, 0));
  SendMessageA(edit, WM_SETFONT, 0x5670, 0);
  EXPECT_EQ(0x5670, SendMessageA(edit, WM_GETFONT, 0, 0));
}

}  // namespace
