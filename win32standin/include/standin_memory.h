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

#define MEM_COMMIT 0x1000u
#define MEM_RESERVE 0x2000u
#define MEM_RELEASE 0x8000u
#define PAGE_READWRITE 0x04u

// Private pages, placed below 4 GiB so their addresses fit a host record's
// 32-bit fields, as every address does in the 32-bit DLL.
ZOR_WIN32_API LPVOID WINAPI VirtualAlloc(LPVOID address, SIZE_T bytes, DWORD type, DWORD protect);
// Releases a whole block; `bytes` must be 0 with MEM_RELEASE.
ZOR_WIN32_API BOOL WINAPI VirtualFree(LPVOID address, SIZE_T bytes, DWORD type);
