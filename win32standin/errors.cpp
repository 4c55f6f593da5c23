#include <windows.h>

namespace {
DWORD g_lastError = 0;
}

ZOR_WIN32_API DWORD WINAPI GetLastError(void) { return g_lastError; }
ZOR_WIN32_API void WINAPI SetLastError(DWORD code) { g_lastError = code; }
