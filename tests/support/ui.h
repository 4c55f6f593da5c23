// Windows, message pumping and answered message boxes for the tests, alike
// on the stand-in and under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/host_records.h"

namespace zt {

// A WM_COMMAND that a test window received.
struct Command {
  HWND window;
  WPARAM wParam;
  LPARAM lParam;
};

// A visible top-level window with a caption, destroyed with the object. Its
// window procedure records every WM_COMMAND it receives, and every
// WM_SYSCOMMAND, which it does not act on (a move would wait for the mouse).
class TestWindow {
 public:
  explicit TestWindow(int x = 40, int y = 40, int width = 320, int height = 240,
                      DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  // The WM_COMMANDs received so far by any test window.
  static std::vector<Command>& Commands();
  static std::vector<Command>& SysCommands();

 private:
  HWND hwnd_ = nullptr;
};

// A zero-filled host screen record in low memory, without a pixel buffer,
// whose window is `window`; freed with the object.
class WindowScreen {
 public:
  explicit WindowScreen(HWND window = nullptr);
  ~WindowScreen();
  WindowScreen(const WindowScreen&) = delete;
  WindowScreen& operator=(const WindowScreen&) = delete;
  zor::HspScreen* rec() const { return rec_; }
  zor::HspScreen* operator->() const { return rec_; }
  operator zor::HspScreen*() const { return rec_; }

 private:
  zor::HspScreen* rec_;
};

HWND AddButton(HWND parent, const char* text, int id, int x, int y, int width, int height,
               DWORD style = 0);
HWND AddEdit(HWND parent, const char* text, int id, int x, int y, int width, int height,
             DWORD style = 0);

// Dispatches every message queued for this thread.
void PumpMessages();

// While it lives, every message box this thread shows is answered at once
// with `button`, and its texts are kept.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(int button);
  ~MessageBoxAnswer();
  MessageBoxAnswer(const MessageBoxAnswer&) = delete;
  MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
  int count() const { return count_; }
  const std::string& text() const { return text_; }
  const std::string& caption() const { return caption_; }
  HWND owner() const { return owner_; }
  // Whether the last box showed the button with this IDxxx.
  bool HasButton(int id) const;
  // The last box's style where the platform tells it (the stand-in); -1
  // under Windows.
  long style() const { return style_; }

  // Filled in by the platform branch.
  int button_;
  int count_ = 0;
  std::string text_, caption_;
  HWND owner_ = nullptr;
  unsigned buttons_ = 0;  // bit i: button i present
  long style_ = -1;
};

// Ends the process with a message when it is not destroyed within the
// given time, so that a wait for a user that nobody answers cannot hang.
// Under Windows it fires from the message loop of the wait itself.
class Watchdog {
 public:
  explicit Watchdog(int seconds, const char* what = "a wait for the user");
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  struct State;

 private:
  State* state_;
};

}  // namespace zt
