#include "support/ui.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#if !defined(_WIN32)
#include <chrono>
#include <future>
#include <thread>
#endif

namespace zt {

namespace {

LRESULT CALLBACK TestWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND || msg == WM_SYSCOMMAND) {
    (msg == WM_COMMAND ? TestWindow::Commands() : TestWindow::SysCommands()).push_back({w, wp, lp});
  }
  return msg == WM_SYSCOMMAND ? 0 : DefWindowProcA(w, msg, wp, lp);
}

MessageBoxAnswer* g_answer = nullptr;

#if defined(_WIN32)
HHOOK g_hook = nullptr;

// Reads the box's texts and buttons when it is activated and presses the
// answer.
LRESULT CALLBACK AnswerBox(int code, WPARAM wp, LPARAM lp) {
  HWND box = reinterpret_cast<HWND>(wp);
  char cls[32] = {};
  if (code == HCBT_ACTIVATE && box != nullptr && GetClassNameA(box, cls, sizeof cls) &&
      std::string(cls) == "#32770" && g_answer != nullptr) {
    char buf[1024] = {};
    GetWindowTextA(box, buf, sizeof buf);
    g_answer->caption_ = buf;
    buf[0] = 0;
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
    g_answer->text_ = buf;
    g_answer->owner_ = GetWindow(box, GW_OWNER);
    g_answer->buttons_ = 0;
    for (int id = IDOK; id <= IDNO; ++id) {
      if (GetDlgItem(box, id) != nullptr) g_answer->buttons_ |= 1u << id;
    }
    ++g_answer->count_;
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(g_answer->button_), 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}
#else
int AnswerBox(const ZorStandinMessageBox* box, void*) {
  g_answer->caption_ = box->caption;
  g_answer->text_ = box->text;
  g_answer->owner_ = box->owner;
  g_answer->style_ = static_cast<long>(box->type);
  // The buttons each MB_ type shows, bit i for IDi.
  static constexpr unsigned kButtons[] = {0x2, 0x6, 0x38, 0xC4, 0xC0, 0x14};
  unsigned kind = box->type & 0xF;
  g_answer->buttons_ = kind < 6 ? kButtons[kind] : 0;
  ++g_answer->count_;
  return g_answer->button_;
}
#endif

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height, DWORD style) {
  static const bool registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = TestWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "ZtTestWindow";
    return RegisterClassA(&cls) != 0;
  }();
  hwnd_ = CreateWindowExA(0, "ZtTestWindow", "zt test window", style, x, y, width, height, nullptr,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!registered || hwnd_ == nullptr) {
    std::fprintf(stderr, "cannot create a test window (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
    std::exit(2);
  }
  PumpMessages();
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  PumpMessages();
}

HWND AddChild(const char* cls, HWND parent, const char* text, int id, int x, int y, int width,
              int height, DWORD style) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

HostVar Strings(const std::vector<std::string>& rows, std::uint32_t rowBytes) {
  HostVar v = HostVar::String(rowBytes, static_cast<std::uint32_t>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i)
    std::memcpy(v.text() + i * rowBytes, rows[i].c_str(), rows[i].size() + 1);
  return v;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

MessageBoxAnswer::MessageBoxAnswer(int button) : button_(button) {
  g_answer = this;
#if defined(_WIN32)
  g_hook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
#else
  ZorStandinSetMessageBoxAnswerer(AnswerBox, nullptr);
#endif
}

MessageBoxAnswer::~MessageBoxAnswer() {
#if defined(_WIN32)
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
#else
  ZorStandinSetMessageBoxAnswerer(nullptr, nullptr);
#endif
  g_answer = nullptr;
}

#if defined(_WIN32)
// Two guards, no second thread (under the emulated Wine, threads that start
// and end around GoogleTest's per-thread bookkeeping can crash the process):
// a thread timer, which the modal message loop of every wait for a user
// dispatches, and a deadline written to the file that scripts/wine-run.sh
// names in ZT_WATCHDOG_FILE, so that the runner ends a program blocked
// outside any message loop too.
struct Watchdog::State {
  UINT_PTR timer;
  std::string previous;  // the enclosing watchdog's deadline line
};

namespace {
int g_watchSeconds = 0;
const char* g_watchWhat = "";

void CALLBACK WatchdogTimer(HWND, UINT, UINT_PTR, DWORD) {
  std::fprintf(stderr, "watchdog: %s did not end within %d s\n", g_watchWhat, g_watchSeconds);
  std::fflush(stderr);
  ExitProcess(3);
}

// Replaces the deadline file's content; returns the old content.
std::string SwapDeadline(const std::string& line) {
  const char* path = std::getenv("ZT_WATCHDOG_FILE");
  if (path == nullptr) return "";
  std::string old = FileText(path);
  WriteTempFile(path, line);
  return old;
}
}  // namespace

Watchdog::Watchdog(int seconds, const char* what) : state_(new State{0, ""}) {
  g_watchSeconds = seconds;
  g_watchWhat = what;
  state_->timer = SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, WatchdogTimer);
  state_->previous = SwapDeadline(std::to_string(std::time(nullptr) + seconds) + " " + what + " (" +
                                  std::to_string(seconds) + " s)\n");
}

Watchdog::~Watchdog() {
  KillTimer(nullptr, state_->timer);
  SwapDeadline(state_->previous);
  delete state_;
}
#else
struct Watchdog::State {
  std::promise<void> done;
  std::thread thread;
};

Watchdog::Watchdog(int seconds, const char* what) : state_(new State) {
  state_->thread = std::thread([ended = state_->done.get_future(), seconds, what] {
    if (ended.wait_for(std::chrono::seconds(seconds)) == std::future_status::timeout) {
      std::fprintf(stderr, "watchdog: %s did not end within %d s\n", what, seconds);
      std::fflush(stderr);
      std::_Exit(3);
    }
  });
}

Watchdog::~Watchdog() {
  state_->done.set_value();
  state_->thread.join();
  delete state_;
}
#endif

}  // namespace zt
