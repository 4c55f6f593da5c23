// kernel32 tones and the reported system version.
#include <windows.h>

#include <cstring>

namespace {

OSVERSIONINFOA g_version = {148, 6, 2, 9200, VER_PLATFORM_WIN32_NT, ""};
ZorStandinBeep g_beep{};

}  // namespace

ZOR_WIN32_API BOOL WINAPI Beep(DWORD frequency, DWORD duration) {
  g_beep.frequency = frequency;
  g_beep.duration = duration;
  ++g_beep.count;
  if (frequency < 37 || frequency > 32767) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  constexpr DWORD kExtendedSize = 156;
  if (info == nullptr || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) &&
                          info->dwOSVersionInfoSize != kExtendedSize)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const DWORD size = info->dwOSVersionInfoSize;
  if (size == kExtendedSize) std::memset(info + 1, 0, kExtendedSize - sizeof(OSVERSIONINFOA));
  std::memcpy(info, &g_version, sizeof g_version);
  info->dwOSVersionInfoSize = size;
  return TRUE;
}

ZOR_WIN32_API void ZorStandinSetVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build) {
  g_version.dwPlatformId = platformId;
  g_version.dwMajorVersion = major;
  g_version.dwMinorVersion = minor;
  g_version.dwBuildNumber = build;
}

ZOR_WIN32_API const ZorStandinBeep* ZorStandinLastBeep(void) { return &g_beep; }
