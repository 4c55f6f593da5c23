// Every file of BMP Suite into a palette screen and a full-colour screen:
// the status follows the loader's rules (checked here from the file's own
// bytes), failures change nothing, and sanitizers see every read.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/screen.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(BmpLoad, zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);

#if defined(ZT_SHARED_DIR)
// The folder as this platform names it: under Wine the Unix root is Z:.
std::string SuitePath(const std::string& rel) {
  std::string p = std::string(ZT_SHARED_DIR) + "/bmpsuite/" + rel;
#if defined(_WIN32)
  std::replace(p.begin(), p.end(), '/', '\\');
  p = "Z:" + p;
#endif
  return p;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | (at + i < b.size() ? b[at + i] : 0);
  return v;
}

// The status the loader's rules give for a file, in the order the tests are
// made. `bigAlloc` is set when bfSize is large enough that the allocation
// may fail (-16) on a 32-bit process.
std::int32_t Expected(const std::vector<std::uint8_t>& f, bool palette, bool* bigAlloc) {
  *bigAlloc = false;
  if (f.size() < 58) return -2;
  if (f[0] != 'B' || f[1] != 'M' || f[6] != 0 || f[7] != 0) return -3;
  std::uint32_t size = U32(f, 2);
  if (size < 58) return -4;
  *bigAlloc = size >= (1u << 28);
  // The whole-file buffer: bfSize bytes, zero past what the file holds.
  std::vector<std::uint8_t> b(f.begin(), f.begin() + std::min<std::size_t>(f.size(), size));
  std::uint64_t avail = size - 14;
  auto at = [&](std::uint64_t off) { return U32(b, 14 + off); };
  std::uint64_t hs = at(0);
  if (hs < 40) return -259;
  int bits = int(at(14) & 0xFFFF);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return -256;
  if (palette && bits > 8) return -512;
  std::uint32_t comp = at(16);
  if ((comp == 3 && at(32) != 0) || (comp != 0 && comp != 3)) return -257;
  if (comp == 3) {
    if (hs + 12 > avail) return -259;
    std::uint32_t r = at(hs), g = at(hs + 4), bl = at(hs + 8);
    bool ok = (r == 0x7C00 || r == 0xF800 || r == 0xFF0000) &&
              (g == 0x3E0 || g == 0x7E0 || g == 0xFF00) && (bl == 0x1F || bl == 0xFF);
    if (!ok) return 259;
  }
  long double w = std::int32_t(at(4)), h = std::int32_t(at(8));
  long double row = std::floor((std::trunc((w * bits + 7) / 8) + 3) / 4) * 4;
  long double table = hs + (comp == 3 ? 12 : 0) + (bits <= 8 ? 4 << bits : 0);
  long double needed = row * h + table;
  if (needed < 0 || needed > avail || table > avail) return -259;
  return f.size() < size ? -32 : 0;
}

TEST(BmpSuite, EveryFileLoadsOrIsRefusedByTheRules) {
  std::map<std::string, int> counts;
  std::vector<std::string> files;
  for (const char* group : {"g", "q", "b", "x"}) {
    for (auto& e : std::filesystem::directory_iterator(SuitePath(group))) {
      files.push_back(std::string(group) + "/" + e.path().filename().string());
    }
  }
  ASSERT_GT(files.size(), 80u);
  std::vector<std::uint8_t> pal(768);
  for (const std::string& rel : files) {
    std::string path = SuitePath(rel);
    std::vector<std::uint8_t> bytes = ReadAll(path);
    for (bool palette : {true, false}) {
      zt::TestScreen s(160, 100, palette);
      s.Fill(0x5A);
      pal.assign(768, 0xC3);
      bool big = false;
      std::int32_t want = Expected(bytes, palette, &big);
      long handles = zt::OpenHandleCount();
      std::int32_t got = BmpLoad(s, path.c_str(), 0, pal.data());
      if (big && got == -16) got = want;  // the allocation may fail
      EXPECT_EQ(want, got) << rel << (palette ? " palette" : " full colour");
      ++counts[std::to_string(got)];
      if (got != 0 && got != -32) {
        EXPECT_TRUE(std::all_of(s.bits(), s.bits() + s.pixelBytes(), [](int b) {
          return b == 0x5A;
        })) << rel;
        EXPECT_EQ(0u, s.rec()->palette) << rel;
        EXPECT_EQ(std::vector<std::uint8_t>(768, 0xC3), pal) << rel;
      }
      ZT_EXPECT_HANDLES(handles + (s.rec()->palette != 0 && handles >= 0 ? 1 : 0));
    }
  }
  // The suite exercises drawing and most refusals.
  EXPECT_GE(counts["0"], 30);
  for (const char* code : {"-3", "-4", "-256", "-257", "-259", "-512", "-32", "259"}) {
    EXPECT_GT(counts[code], 0) << code;
  }
}

#else
TEST(BmpSuite, DISABLED_SharedFolderNotFound) {}
#endif

}  // namespace
