// The DLL's version resource, read the way Explorer and installers read it.
// Windows build only: the Linux library has no resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(VersionResource, FixedVersionAndStrings) {
  char path[MAX_PATH] = {};
  ASSERT_NE(0u, GetModuleFileNameA(LoadLibraryA("zorextss.dll"), path, MAX_PATH));
  std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
  ASSERT_FALSE(info.empty()) << "no version resource, error " << GetLastError();
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(401, 0), fixed->dwFileVersionMS);
  EXPECT_EQ(0u, fixed->dwFileVersionLS);
  EXPECT_EQ(MAKELONG(401, 0), fixed->dwProductVersionMS);
  EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

  for (auto [name, value] : {std::pair{"FileVersion", "0.401"},
                             {"ProductVersion", "0.401"},
                             {"ProductName", "ZorExtSS"},
                             {"OriginalFilename", "zorextss.dll"}}) {
    char* text = nullptr;
    std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
        << name;
    EXPECT_STREQ(value, text) << name;
  }
}

}  // namespace
