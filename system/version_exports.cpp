// The library's version, the system's version, and the about boxes.
#include <windows.h>

#include "host/export.h"
#include "host/strings.h"
#include "window/parent_window.h"

using namespace zor;

namespace {

constexpr char kVersionText[] = "0.401 Subset";
constexpr std::int32_t kVersionNumber = 0x00040001;

// Names and family codes by OSVERSIONINFOA platform identifier.
struct OsFamily {
  DWORD platformId;
  const char* name;
  std::int32_t code;
};
constexpr OsFamily kFamilies[] = {
    {0, "Win32s", 3},      // VER_PLATFORM_WIN32s
    {1, "Windows 9x", 1},  // VER_PLATFORM_WIN32_WINDOWS
    {2, "Windows NT", 2},  // VER_PLATFORM_WIN32_NT
};
constexpr OsFamily kUnknownFamily = {0xFFFFFFFFu, "Unknown OS", 0};

constexpr char kNotice[] =
    "ZorExtSS 0.401 Subset\n"
    "Copyright (C) the ZorExtSS authors. All rights reserved.";

void ShowNotice(const char* caption) {
  MessageBoxA(OwnerWindow(), kNotice, caption, MB_OK | MB_ICONINFORMATION);
}

const OsFamily& FamilyOf(DWORD platformId) {
  for (const OsFamily& f : kFamilies) {
    if (f.platformId == platformId) return f;
  }
  return kUnknownFamily;
}

}  // namespace

static_assert(sizeof(OSVERSIONINFOA) == 148, "the record size GetVersionExA expects");

ZOR_EXPORT GetZorExtVer(std::int32_t, std::int32_t, std::int32_t, char* buffer) {
  CopyString(buffer, kVersionText);
  return -kVersionNumber;
}

ZOR_EXPORT GetWinVerEx(std::int32_t selector, std::int32_t, std::int32_t, char* buffer) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);
  const OsFamily& family = FamilyOf(info.dwPlatformId);
  const std::int32_t major = static_cast<std::int32_t>(info.dwMajorVersion);
  const std::int32_t minor = static_cast<std::int32_t>(info.dwMinorVersion);
  char number[12];
  CopyString(buffer, family.name);
  AppendString(buffer, "  ver. ");
  IntToDecimal(major, number);
  AppendString(buffer, number);
  AppendString(buffer, ".");
  IntToDecimal(minor, number);
  AppendString(buffer, number);
  const std::int32_t values[] = {family.code, major, minor, 0};
  return -values[selector & 3];
}

ZOR_EXPORT DizezOzozoz(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  ShowNotice("ZorExtSS");
  return kOk;
}

ZOR_EXPORT AboutMe(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  ShowNotice("About ZorExtSS");
  return kOk;
}
