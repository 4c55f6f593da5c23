// kernel32: global memory, as the clipboard uses it.
#pragma once

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_DDESHARE 0x2000u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define ERROR_NOT_LOCKED 158u

// Moveable blocks only: handles are small integers, GlobalLock gives the
// address. A block of 0 bytes exists but cannot be locked.
ZOR_WIN32_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
ZOR_WIN32_API LPVOID WINAPI GlobalLock(HGLOBAL mem);
ZOR_WIN32_API BOOL WINAPI GlobalUnlock(HGLOBAL mem);
ZOR_WIN32_API SIZE_T WINAPI GlobalSize(HGLOBAL mem);
// Returns NULL on success, the handle on failure.
ZOR_WIN32_API HGLOBAL WINAPI GlobalFree(HGLOBAL mem);
