// kernel32: Beep and the system version.
#pragma once

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};
typedef OSVERSIONINFOA* LPOSVERSIONINFOA;

// Records the tone and returns TRUE at once (nothing sounds, nobody waits);
// a frequency outside 37 to 32767 gives FALSE with ERROR_INVALID_PARAMETER.
ZOR_WIN32_API BOOL WINAPI Beep(DWORD frequency, DWORD duration);
// Fills the record when its size field is 148 (or 156, the extended form,
// of which the extra fields are zeroed); otherwise FALSE with
// ERROR_INSUFFICIENT_BUFFER. Reports Windows NT 6.2 build 9200 unless a
// test set another version.
ZOR_WIN32_API BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info);

// ---- stand-in bookkeeping (not Win32) ----
// The version GetVersionExA reports from now on.
ZOR_WIN32_API void ZorStandinSetVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build);
struct ZorStandinBeep {
  DWORD frequency;
  DWORD duration;
  int count;  // Beep calls so far
};
ZOR_WIN32_API const ZorStandinBeep* ZorStandinLastBeep(void);
