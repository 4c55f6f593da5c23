// user32: the clipboard. One process-wide clipboard; data handed over with
// SetClipboardData belongs to it and is freed when it is emptied.
#pragma once

#define CF_TEXT 1u
#define CF_BITMAP 2u
#define CF_DIB 8u
#define ERROR_CLIPBOARD_NOT_OPEN 1418u

ZOR_WIN32_API BOOL WINAPI OpenClipboard(HWND owner);
ZOR_WIN32_API BOOL WINAPI CloseClipboard(void);
ZOR_WIN32_API BOOL WINAPI EmptyClipboard(void);
ZOR_WIN32_API HANDLE WINAPI SetClipboardData(UINT format, HANDLE data);
ZOR_WIN32_API HANDLE WINAPI GetClipboardData(UINT format);
ZOR_WIN32_API BOOL WINAPI IsClipboardFormatAvailable(UINT format);
