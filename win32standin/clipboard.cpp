// user32 clipboard: one process-wide clipboard holding global memory blocks.
// While it is open it counts as one live handle, so tests see a missing
// CloseClipboard; blocks it accepted stop counting as the caller's.
#include <windows.h>

#include <map>

#include "handles.h"
#include "memory_blocks.h"

namespace {

bool g_open = false;

std::map<UINT, HANDLE>& Formats() {
  static std::map<UINT, HANDLE> formats;
  return formats;
}

void Clear() {
  for (auto& [format, h] : Formats()) zorw::ReleaseBlock(h);
  Formats().clear();
}

}  // namespace

ZOR_WIN32_API BOOL WINAPI OpenClipboard(HWND) {
  if (g_open) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  g_open = true;
  ++zorw::LiveHandles();
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI CloseClipboard(void) {
  if (!g_open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  g_open = false;
  --zorw::LiveHandles();
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI EmptyClipboard(void) {
  if (!g_open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  Clear();
  return TRUE;
}

ZOR_WIN32_API HANDLE WINAPI SetClipboardData(UINT format, HANDLE data) {
  zorw::Block* b = zorw::FindBlock(data);
  if (!g_open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (b == nullptr || format == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto it = Formats().find(format);
  if (it != Formats().end() && it->second != data) zorw::ReleaseBlock(it->second);
  if (!b->clipboard) {
    b->clipboard = true;
    --zorw::LiveHandles();
  }
  Formats()[format] = data;
  return data;
}

ZOR_WIN32_API HANDLE WINAPI GetClipboardData(UINT format) {
  if (!g_open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  auto it = Formats().find(format);
  return it == Formats().end() ? nullptr : it->second;
}

ZOR_WIN32_API BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  return Formats().count(format) != 0;
}
