// user32 windows over plain records: a tree of windows with styles,
// rectangles in screen coordinates, texts and fonts, a per-thread posted
// message queue, the foreground window, the cursor and mouse capture.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "handles.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// Frame of a window with a caption, as on a classic theme.
constexpr int kFrame = 3;
constexpr int kCaption = 19;
const HWND kDesktop = reinterpret_cast<HWND>(std::uintptr_t{0x10010});

enum class Builtin { kNone, kButton, kEdit, kStatic };

struct Window {
  std::string cls;
  Builtin builtin = Builtin::kNone;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG id = 0;
  HWND parent = nullptr;  // 0: top level
  RECT rect{};            // screen coordinates
  RECT normal{};          // rectangle to restore to
  std::string text;
  HFONT font = nullptr;
  bool restoreMaximized = false;  // minimised from the maximised state
  bool activeCaption = true;
  bool inverted = false;
  int flashes = 0;
};

std::map<std::uintptr_t, Window>& Windows() {
  static std::map<std::uintptr_t, Window> windows;
  return windows;
}
std::map<std::string, WNDPROC>& Classes() {
  static std::map<std::string, WNDPROC> classes;
  return classes;
}
std::uintptr_t g_next = 0x10020;
thread_local std::deque<MSG> t_queue;
HWND g_foreground = nullptr;
HWND g_capture = nullptr;
POINT g_cursor{kScreenWidth / 2, kScreenHeight / 2};
ZorStandinSysCommand g_sysCommand{};
ZorStandinInvalidation g_invalidation{};

Window* Find(HWND w) {
  auto it = Windows().find(reinterpret_cast<std::uintptr_t>(w));
  return it == Windows().end() ? nullptr : &it->second;
}

// Looks the window up, setting ERROR_INVALID_WINDOW_HANDLE when it is none.
Window* Need(HWND w) {
  Window* win = Find(w);
  if (win == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return win;
}

std::string Lower(const char* s) {
  std::string out = s == nullptr ? "" : s;
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return out;
}

// Client rectangle in screen coordinates.
RECT ClientArea(const Window& w) {
  RECT r = w.rect;
  if ((w.style & WS_CAPTION) == WS_CAPTION) {
    r.left += kFrame;
    r.right -= kFrame;
    r.bottom -= kFrame;
    r.top += kFrame + kCaption;
  } else if (w.style & (WS_BORDER | WS_THICKFRAME)) {
    r.left += 1;
    r.top += 1;
    r.right -= 1;
    r.bottom -= 1;
  }
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

// Origin of the coordinates a window's position is given in: its parent's
// client area, or the screen.
POINT Origin(const Window& w) {
  if (const Window* p = Find(w.parent)) {
    RECT c = ClientArea(*p);
    return {c.left, c.top};
  }
  return {0, 0};
}

void MoveTo(HWND h, LONG left, LONG top) {
  Window* w = Find(h);
  LONG dx = left - w->rect.left, dy = top - w->rect.top;
  if (dx == 0 && dy == 0) return;
  w->rect.left += dx;
  w->rect.right += dx;
  w->rect.top += dy;
  w->rect.bottom += dy;
  for (auto& [handle, child] : Windows()) {
    if (child.parent == h) {
      MoveTo(reinterpret_cast<HWND>(handle), child.rect.left + dx, child.rect.top + dy);
    }
  }
}

// Moves a point by the client origin of a window: +1 from client to screen
// coordinates, -1 back.
BOOL ShiftByClient(HWND h, LPPOINT p, int sign) {
  if (h == kDesktop) return TRUE;
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  RECT c = ClientArea(*w);
  p->x += sign * c.left;
  p->y += sign * c.top;
  return TRUE;
}

LRESULT BuiltinProc(HWND h, Window& w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFONT:
      w.font = reinterpret_cast<HFONT>(wp);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w.font);
    case BM_CLICK:
      if (w.builtin == Builtin::kButton && w.parent != nullptr) {
        SendMessageA(w.parent, WM_COMMAND, MAKEWPARAM(w.id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(h));
      }
      return 0;
    default:
      return DefWindowProcA(h, msg, wp, lp);
  }
}

void Destroy(HWND h) {
  std::vector<HWND> children;
  for (auto& [handle, child] : Windows()) {
    if (child.parent == h) children.push_back(reinterpret_cast<HWND>(handle));
  }
  for (HWND c : children) Destroy(c);
  SendMessageA(h, WM_DESTROY, 0, 0);
  Windows().erase(reinterpret_cast<std::uintptr_t>(h));
  --zorw::LiveHandles();
  if (g_foreground == h) g_foreground = nullptr;
  if (g_capture == h) g_capture = nullptr;
  t_queue.erase(
      std::remove_if(t_queue.begin(), t_queue.end(), [h](const MSG& m) { return m.hwnd == h; }),
      t_queue.end());
}

}  // namespace

ZOR_WIN32_API ATOM WINAPI RegisterClassA(const WNDCLASSA* cls) {
  std::string name = Lower(cls->lpszClassName);
  if (Classes().count(name)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  Classes()[name] = cls->lpfnWndProc;
  return static_cast<ATOM>(0xC000 + Classes().size());
}

ZOR_WIN32_API BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
  return Classes().erase(Lower(name)) ? TRUE : FALSE;
}

ZOR_WIN32_API HMODULE WINAPI GetModuleHandleA(LPCSTR) {
  return reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});
}

ZOR_WIN32_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR text, DWORD style,
                                          int x, int y, int width, int height, HWND parent,
                                          HMENU menuOrId, HINSTANCE, LPVOID) {
  if (parent != nullptr && parent != kDesktop && Find(parent) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  Window w;
  w.cls = Lower(cls);
  if (w.cls == "button") {
    w.builtin = Builtin::kButton;
  } else if (w.cls == "edit") {
    w.builtin = Builtin::kEdit;
  } else if (w.cls == "static") {
    w.builtin = Builtin::kStatic;
  } else {
    auto it = Classes().find(w.cls);
    if (it == Classes().end()) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    w.proc = it->second;
  }
  if (parent == kDesktop) parent = nullptr;
  w.style = style;
  w.exStyle = exStyle;
  w.parent = parent;
  if (style & WS_CHILD) w.id = static_cast<LONG>(reinterpret_cast<std::uintptr_t>(menuOrId));
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  w.text = text == nullptr ? "" : text;
  POINT o = Origin(w);
  w.rect = {o.x + x, o.y + y, o.x + x + width, o.y + y + height};
  w.normal = w.rect;
  HWND h = reinterpret_cast<HWND>(g_next);
  g_next += 4;
  Windows()[reinterpret_cast<std::uintptr_t>(h)] = w;
  ++zorw::LiveHandles();
  SendMessageA(h, WM_CREATE, 0, 0);
  if (Find(h) != nullptr && parent == nullptr && (style & WS_VISIBLE)) g_foreground = h;
  return h;
}

ZOR_WIN32_API BOOL WINAPI DestroyWindow(HWND w) {
  if (Need(w) == nullptr) return FALSE;
  Destroy(w);
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI IsWindow(HWND w) { return w == kDesktop || Find(w) != nullptr; }

ZOR_WIN32_API BOOL WINAPI IsWindowVisible(HWND w) {
  for (const Window* win = Find(w); win != nullptr; win = Find(win->parent)) {
    if (!(win->style & WS_VISIBLE)) return FALSE;
    if (win->parent == nullptr) return TRUE;
  }
  return w == kDesktop;
}

ZOR_WIN32_API HWND WINAPI GetDesktopWindow(void) { return kDesktop; }

ZOR_WIN32_API LONG WINAPI GetWindowLongA(HWND h, int index) {
  Window* w = Need(h);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWL_ID:
      return w->id;
    default:
      SetLastError(1413);  // ERROR_INVALID_INDEX
      return 0;
  }
}

ZOR_WIN32_API LONG WINAPI SetWindowLongA(HWND h, int index, LONG value) {
  Window* w = Need(h);
  if (w == nullptr) return 0;
  LONG old = GetWindowLongA(h, index);
  switch (index) {
    case GWL_STYLE:
      w->style = static_cast<DWORD>(value);
      break;
    case GWL_EXSTYLE:
      w->exStyle = static_cast<DWORD>(value);
      break;
    case GWL_ID:
      w->id = value;
      break;
    default:
      return 0;
  }
  return old;
}

ZOR_WIN32_API BOOL WINAPI GetWindowRect(HWND h, LPRECT r) {
  if (h == kDesktop) {
    *r = {0, 0, kScreenWidth, kScreenHeight};
    return TRUE;
  }
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  *r = w->rect;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI GetClientRect(HWND h, LPRECT r) {
  if (h == kDesktop) return GetWindowRect(h, r);
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  RECT c = ClientArea(*w);
  *r = {0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI ClientToScreen(HWND h, LPPOINT p) { return ShiftByClient(h, p, 1); }

ZOR_WIN32_API BOOL WINAPI ScreenToClient(HWND h, LPPOINT p) { return ShiftByClient(h, p, -1); }

ZOR_WIN32_API BOOL WINAPI SetWindowPos(HWND h, HWND, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  if (!(flags & SWP_NOMOVE)) {
    POINT o = Origin(*w);
    MoveTo(h, o.x + x, o.y + y);
  }
  if (!(flags & SWP_NOSIZE)) {
    w->rect.right = w->rect.left + std::max(cx, 0);
    w->rect.bottom = w->rect.top + std::max(cy, 0);
  }
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normal = w->rect;
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL) {
  return SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER);
}

ZOR_WIN32_API BOOL WINAPI ShowWindow(HWND h, int cmd) {
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  auto restore = [w] {
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    w->rect = w->normal;
  };
  switch (cmd) {
    case SW_HIDE:
      w->style &= ~WS_VISIBLE;
      return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      if (!(w->style & WS_MINIMIZE)) w->restoreMaximized = (w->style & WS_MAXIMIZE) != 0;
      w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
      w->rect = {-32000, -32000, -32000 + 160, -32000 + 24};
      break;
    case SW_SHOWMAXIMIZED:
      w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
      w->rect = {-kFrame, -kFrame, kScreenWidth + kFrame, kScreenHeight + kFrame};
      break;
    case SW_RESTORE:
      // A window minimised from the maximised state is restored to it.
      if ((w->style & WS_MINIMIZE) && w->restoreMaximized) {
        w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        w->rect = {-kFrame, -kFrame, kScreenWidth + kFrame, kScreenHeight + kFrame};
        break;
      }
      restore();
      break;
    case SW_SHOWNORMAL:
      restore();
      break;
    default:
      break;
  }
  w->style |= WS_VISIBLE;
  if (w->parent == nullptr && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE &&
      cmd != SW_SHOWMINNOACTIVE && cmd != SW_MINIMIZE) {
    g_foreground = h;
  }
  return wasVisible;
}

ZOR_WIN32_API BOOL WINAPI IsIconic(HWND h) {
  Window* w = Find(h);
  return w != nullptr && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

ZOR_WIN32_API BOOL WINAPI IsZoomed(HWND h) {
  Window* w = Find(h);
  return w != nullptr && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

ZOR_WIN32_API HWND WINAPI SetParent(HWND child, HWND parent) {
  Window* w = Need(child);
  if (w == nullptr) return nullptr;
  if (parent == kDesktop) parent = nullptr;
  if (parent != nullptr && Need(parent) == nullptr) return nullptr;
  // A window cannot become its own descendant.
  for (HWND p = parent; p != nullptr; p = Find(p)->parent) {
    if (p == child) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  }
  HWND old = w->parent == nullptr ? kDesktop : w->parent;
  // The position relative to the old parent's client area is kept and now
  // counts from the new parent's.
  POINT o = Origin(*w);
  LONG rx = w->rect.left - o.x, ry = w->rect.top - o.y;
  w->parent = parent;
  o = Origin(*w);
  MoveTo(child, o.x + rx, o.y + ry);
  return old;
}

ZOR_WIN32_API HWND WINAPI GetParent(HWND h) {
  Window* w = Need(h);
  if (w == nullptr) return nullptr;
  return (w->style & WS_CHILD) ? w->parent : nullptr;
}

ZOR_WIN32_API HWND WINAPI GetAncestor(HWND h, UINT flags) {
  Window* w = Find(h);
  if (w == nullptr || flags != GA_PARENT) return nullptr;
  return w->parent == nullptr ? kDesktop : w->parent;
}

ZOR_WIN32_API int WINAPI GetWindowTextA(HWND h, LPSTR buf, int count) {
  if (Need(h) == nullptr || count <= 0) return 0;
  return static_cast<int>(
      SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buf)));
}

ZOR_WIN32_API int WINAPI GetWindowTextLengthA(HWND h) {
  if (Need(h) == nullptr) return 0;
  return static_cast<int>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0));
}

ZOR_WIN32_API BOOL WINAPI SetWindowTextA(HWND h, LPCSTR text) {
  if (Need(h) == nullptr) return FALSE;
  return static_cast<BOOL>(SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

ZOR_WIN32_API int WINAPI GetDlgCtrlID(HWND h) {
  Window* w = Need(h);
  return w == nullptr ? 0 : w->id;
}

ZOR_WIN32_API HWND WINAPI GetDlgItem(HWND dialog, int id) {
  for (auto& [handle, w] : Windows()) {
    if (w.parent == dialog && w.id == id) return reinterpret_cast<HWND>(handle);
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return nullptr;
}

ZOR_WIN32_API LRESULT WINAPI SendMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Window* w = Need(h);
  if (w == nullptr) return 0;
  if (w->builtin != Builtin::kNone) return BuiltinProc(h, *w, msg, wp, lp);
  if (w->proc != nullptr) return w->proc(h, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

ZOR_WIN32_API BOOL WINAPI PostMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (h != nullptr && Need(h) == nullptr) return FALSE;
  t_queue.push_back(MSG{h, msg, wp, lp, 0, g_cursor});
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND h, UINT first, UINT last, UINT remove) {
  for (auto it = t_queue.begin(); it != t_queue.end(); ++it) {
    if (h != nullptr && it->hwnd != h) continue;
    if ((first != 0 || last != 0) && (it->message < first || it->message > last)) continue;
    *msg = *it;
    if (remove & PM_REMOVE) t_queue.erase(it);
    return TRUE;
  }
  return FALSE;
}

ZOR_WIN32_API BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

ZOR_WIN32_API LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (msg->hwnd == nullptr) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

ZOR_WIN32_API LRESULT WINAPI DefWindowProcA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Window* w = Find(h);
  if (w == nullptr) return 0;
  switch (msg) {
    case WM_SETTEXT:
      w->text = lp == 0 ? "" : reinterpret_cast<const char*>(lp);
      return TRUE;
    case WM_GETTEXT: {
      if (wp == 0) return 0;
      std::size_t n = std::min<std::size_t>(w->text.size(), wp - 1);
      char* buf = reinterpret_cast<char*>(lp);
      std::memcpy(buf, w->text.data(), n);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SYSCOMMAND:
      g_sysCommand.window = h;
      g_sysCommand.wParam = wp;
      g_sysCommand.lParam = lp;
      ++g_sysCommand.count;
      return 0;
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    default:
      return 0;
  }
}

ZOR_WIN32_API BOOL WINAPI InvalidateRect(HWND h, const RECT* r, BOOL erase) {
  if (h != nullptr && Need(h) == nullptr) return FALSE;
  g_invalidation.window = h;
  g_invalidation.whole = r == nullptr;
  g_invalidation.rect = r == nullptr ? RECT{} : *r;
  g_invalidation.erase = erase;
  ++g_invalidation.count;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI UpdateWindow(HWND h) { return Need(h) != nullptr; }

ZOR_WIN32_API HWND WINAPI GetForegroundWindow(void) { return g_foreground; }

ZOR_WIN32_API BOOL WINAPI SetForegroundWindow(HWND h) {
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  while (w->parent != nullptr) {
    h = w->parent;
    w = Find(h);
  }
  g_foreground = h;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI GetCursorPos(LPPOINT p) {
  *p = g_cursor;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI SetCursorPos(int x, int y) {
  g_cursor = {std::clamp(x, 0, kScreenWidth - 1), std::clamp(y, 0, kScreenHeight - 1)};
  return TRUE;
}

ZOR_WIN32_API HWND WINAPI SetCapture(HWND h) {
  HWND old = g_capture;
  if (Find(h) != nullptr) g_capture = h;
  return old;
}

ZOR_WIN32_API BOOL WINAPI ReleaseCapture(void) {
  g_capture = nullptr;
  return TRUE;
}

ZOR_WIN32_API HWND WINAPI GetCapture(void) { return g_capture; }

ZOR_WIN32_API int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return kScreenWidth;
    case SM_CYSCREEN:
      return kScreenHeight;
    default:
      return 0;
  }
}

ZOR_WIN32_API BOOL WINAPI FlashWindow(HWND h, BOOL invert) {
  Window* w = Need(h);
  if (w == nullptr) return FALSE;
  BOOL before = w->inverted ? !w->activeCaption : w->activeCaption;
  w->inverted = invert ? !w->inverted : false;
  ++w->flashes;
  return before;
}

ZOR_WIN32_API const ZorStandinSysCommand* ZorStandinLastSysCommand(void) { return &g_sysCommand; }
ZOR_WIN32_API const ZorStandinInvalidation* ZorStandinLastInvalidation(void) {
  return &g_invalidation;
}
ZOR_WIN32_API int ZorStandinFlashCount(HWND h, BOOL* inverted) {
  Window* w = Find(h);
  if (w == nullptr) return -1;
  if (inverted != nullptr) *inverted = w->inverted ? TRUE : FALSE;
  return w->flashes;
}

ZOR_WIN32_API DWORD WINAPI GetSysColor(int index) {
  static constexpr COLORREF kColours[] = {
      RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
      RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
      RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
      RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240),
      RGB(192, 192, 192), RGB(49, 106, 197),  RGB(236, 233, 216)};
  if (index < 0 || index >= static_cast<int>(std::size(kColours))) return 0;
  return kColours[index];
}
