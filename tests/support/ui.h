// Windows, message pumping, answered message boxes, files and child
// processes for the tests, alike on the stand-in and under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/host_records.h"
#include "support/zortest.h"

namespace zt {

// A base for holders of a window, memory or this thread's hooks.
struct NoCopy {
  NoCopy() = default;
  NoCopy(const NoCopy&) = delete;
  NoCopy& operator=(const NoCopy&) = delete;
};

struct Command {
  HWND window;
  WPARAM wParam;
  LPARAM lParam;
};

// A visible top-level window, destroyed with the object. It records the
// WM_COMMANDs and WM_SYSCOMMANDs it receives and does not act on the latter
// (a move would wait for the mouse).
class TestWindow : NoCopy {
 public:
  explicit TestWindow(int x = 40, int y = 40, int width = 320, int height = 240,
                      DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ~TestWindow();
  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  static std::vector<Command>& Commands() { return commands_; }
  static std::vector<Command>& SysCommands() { return sysCommands_; }

 private:
  HWND hwnd_ = nullptr;
  static inline std::vector<Command> commands_, sysCommands_;
};

// A zero-filled host screen record in low memory, without pixels.
class WindowScreen : NoCopy {
 public:
  explicit WindowScreen(HWND window = nullptr)
      : rec_(static_cast<zor::HspScreen*>(LowAlloc(sizeof(zor::HspScreen)))) {
    rec_->window = zor::HandleAddr(window);
  }
  ~WindowScreen() { LowFree(rec_, sizeof(zor::HspScreen)); }
  zor::HspScreen* operator->() const { return rec_; }
  operator zor::HspScreen*() const { return rec_; }

 private:
  zor::HspScreen* rec_;
};

HWND AddChild(const char* cls, HWND parent, const char* text, int id, int x, int y, int width,
              int height, DWORD style = 0);

// A string variable of the given rows, each `rowBytes` long.
HostVar Strings(const std::vector<std::string>& rows, std::uint32_t rowBytes = 256);

// The bytes of a file, empty when it cannot be read.
std::string FileText(const std::string& name);

#if defined(_WIN32)
// Starts this program again with the command line `line` (empty: the
// program's quoted path) and `variable` naming a file for the child to
// write; gives that file's text once the child has ended.
std::string RunSelf(const char* variable, std::string line);
#endif

void PumpMessages();  // dispatches every message queued for this thread

// While it lives, every message box this thread shows is answered at once
// with `button`, and its texts are kept.
class MessageBoxAnswer : NoCopy {
 public:
  explicit MessageBoxAnswer(int button);
  ~MessageBoxAnswer();
  int count() const { return count_; }
  const std::string& text() const { return text_; }
  const std::string& caption() const { return caption_; }
  // Whether the last box showed the button with this IDxxx.
  bool HasButton(int id) const { return id >= 0 && id < 32 && (buttons_ >> id & 1u) != 0; }

  int button_, count_ = 0;
  std::string text_, caption_;
  HWND owner_ = nullptr;
  unsigned buttons_ = 0;  // bit i: button i present
  long style_ = -1;       // the last box's style where the platform tells (the stand-in)
};

// Ends the process with a message when it is not destroyed within the
// given time, so that a wait for a user that nobody answers cannot hang.
// Under Windows it fires from the message loop of the wait itself.
class Watchdog : NoCopy {
 public:
  explicit Watchdog(int seconds, const char* what = "a wait for the user");
  ~Watchdog();
  struct State;

 private:
  State* state_;
};

}  // namespace zt
