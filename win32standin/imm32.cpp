// imm32: input contexts keyed by window; the open status lives with the
// window, so a context taken again sees what was set before.
#include <windows.h>

#include <map>

#include "handles.h"

namespace {

std::map<HWND, BOOL>& OpenStatus() {
  static std::map<HWND, BOOL> status;
  return status;
}

// A context handle names its window: window handle + 2 keeps it distinct.
HIMC ContextOf(HWND w) { return reinterpret_cast<HIMC>(reinterpret_cast<std::uintptr_t>(w) + 2); }
HWND WindowOf(HIMC c) { return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(c) - 2); }

bool Valid(HIMC c) {
  std::uintptr_t v = reinterpret_cast<std::uintptr_t>(c);
  return v > 2 && (v & 3) == 2 && IsWindow(WindowOf(c));
}

}  // namespace

ZOR_WIN32_API HIMC WINAPI ImmGetContext(HWND window) {
  if (window == nullptr || !IsWindow(window)) return nullptr;
  ++zorw::LiveHandles();
  return ContextOf(window);
}

ZOR_WIN32_API BOOL WINAPI ImmReleaseContext(HWND window, HIMC context) {
  if (context == nullptr || ContextOf(window) != context) return FALSE;
  --zorw::LiveHandles();
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI ImmSetOpenStatus(HIMC context, BOOL open) {
  if (!Valid(context)) return FALSE;
  OpenStatus()[WindowOf(context)] = open ? TRUE : FALSE;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI ImmGetOpenStatus(HIMC context) {
  if (!Valid(context)) return FALSE;
  auto it = OpenStatus().find(WindowOf(context));
  return it != OpenStatus().end() && it->second;
}
