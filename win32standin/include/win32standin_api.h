// Declarations of the stand-in's Win32 calls, grouped by the DLL that
// provides them on Windows. Extend by group as the library needs more.
#pragma once

// ---- kernel32: errors ----
ZOR_WIN32_API DWORD WINAPI GetLastError(void);
ZOR_WIN32_API void WINAPI SetLastError(DWORD code);

// ---- stand-in bookkeeping (not Win32): lets tests check that every call
// released what it took. Returns the number of live stand-in handles.
ZOR_WIN32_API long ZorStandinOpenHandles(void);

// Number of GetDC calls so far (not Win32): lets tests check that a call did
// not touch the display at all.
ZOR_WIN32_API long ZorStandinDcRequests(void);
