// The file calls the library makes, pinned down on both platforms: the Linux
// stand-in must answer as Windows does.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/zortest.h"

namespace {

TEST(Files, MissingFileFailsWithFileNotFound) {
  HANDLE h = CreateFileA("zt_no_such_file.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(Files, ReadsInPiecesAndReportsShortCountAtEnd) {
  std::string name = zt::WriteTempFile("zt_files_read.bin", "0123456789");
  long before = zt::OpenHandleCount();
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));
  EXPECT_EQ(10u, GetFileSize(h, nullptr));
  char buf[16] = {};
  DWORD got = 99;
  EXPECT_TRUE(ReadFile(h, buf, 4, &got, nullptr));
  EXPECT_EQ(4u, got);
  EXPECT_EQ(0, std::memcmp(buf, "0123", 4));
  EXPECT_TRUE(ReadFile(h, buf, 16, &got, nullptr));
  EXPECT_EQ(6u, got);
  EXPECT_EQ(0, std::memcmp(buf, "456789", 6));
  EXPECT_TRUE(ReadFile(h, buf, 16, &got, nullptr));  // at the end: success, 0 bytes
  EXPECT_EQ(0u, got);
  EXPECT_TRUE(CloseHandle(h));
  ZT_EXPECT_HANDLES(before);
  std::remove(name.c_str());
}

TEST(Files, OpenWithoutSharingLocksOutASecondOpen) {
  std::string name = zt::WriteTempFile("zt_files_share.bin", "x");
  HANDLE a = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, a);
  HANDLE b = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(INVALID_HANDLE_VALUE, b);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
  EXPECT_TRUE(CloseHandle(a));
  b = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                  nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, b);
  CloseHandle(b);
  std::remove(name.c_str());
}

TEST(Files, DirectoryCannotBeOpenedAsFile) {
  HANDLE h =
      CreateFileA(".", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
}

}  // namespace
