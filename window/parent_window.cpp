#include "window/parent_window.h"

namespace zor {

namespace {
HWND g_parent = nullptr;
}

HWND ParentWindowRaw() { return g_parent; }

void SetParentWindowHandle(HWND window) { g_parent = window; }

HWND OwnerWindow() {
  if (g_parent != nullptr && !IsWindow(g_parent)) g_parent = nullptr;
  return g_parent;
}

}  // namespace zor
