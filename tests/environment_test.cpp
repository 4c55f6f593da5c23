// The system exports: command line, temporary and current directories,
// directory removal, environment variables, shell folders, the file-type
// list (its text steps called directly, then the exports), tones, alert
// sounds, wave files, versions and the about boxes. Under Wine the exact
// command line and other systems' versions (set per program in Wine's
// registry) only reach a child process, so the program starts itself as
// one. The stand-in records the tones and sounds it was asked for; under
// Wine only their statuses are checked. The shell folder tests change the
// user's two Explorer subkeys and put them back after every test.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/ui.h"
#include "support/zortest.h"
#include "system/command_line.h"
#include "system/file_mask.h"

namespace {

ZT_EXPORT(GetCmdLine, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetWinTemp, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetCurDir, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(RmDir, std::int32_t, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetEnvVar, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetShellDir, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Bell, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Bell2, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(PlayWave, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetZorExtVer, std::int32_t, std::int32_t, std::int32_t, char*);
ZT_EXPORT(GetWinVerEx, std::int32_t, std::int32_t, std::int32_t, char*);
ZT_EXPORT(DizezOzozoz, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(AboutMe, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

#if defined(_WIN32)
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

TEST(CommandLineStart, SkipsTheProgramNameAndObj) {
  struct {
    const char* line;
    std::int32_t mode;
    const char* want;
  } cases[] = {
      // clang-format off
      {"C:\\p\\run.exe a b", 0, "C:\\p\\run.exe a b"},
      {"C:\\p\\run.exe a b", 1, "a b"},
      {"\"C:\\my p\\run.exe\" a b", 1, "a b"},
      {"\"C:\\my p\\run.exe\"", 1, "\"C:\\my p\\run.exe\""},
      {"\"C:\\my p\\run.exe\" ", 1, "\"C:\\my p\\run.exe\" "},   // nothing after the space
      {"\"C:\\my p\\run.exe\"x y", 1, "\"C:\\my p\\run.exe\"x y"}, // no space after the quote
      {"\"C:\\my p\\run.exe a b", 1, "\"C:\\my p\\run.exe a b"},   // no closing quote
      {"run.exe  x", 1, " x"},
      {"run.exe", 1, "run.exe"},
      {"run.exe ", 1, "run.exe "},
      {"", 1, ""},
      {"a\"b c\" d", 1, "d"},              // the quote comes first: it decides
      {"ab c\"d\" e", 1, "c\"d\" e"},      // the space comes first
      {"run.exe obj x", 16, "x"},
      {"run.exe obj x", 1, "obj x"},
      {"run.exe obj x", 0x80, "x"},
      {"run.exe obj x", 0x100, "obj x"},   // only bits 4 to 7 skip "obj "
      {"run.exe obj ", 16, "obj "},
      {"obj x", 16, "x"},                  // the whole line, then "obj "
      {"run.exe obj", 16, "obj"},
      {"run.exe objx", 16, "objx"},
      {"run.exe OBJ x", 16, "OBJ x"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.line << "' mode " << c.mode);
    EXPECT_STREQ(c.want, c.line + zor::CommandLineStart(c.line, c.mode));
  }
}

template <std::size_t N>
std::string Lit(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// Rows of `rowBytes` bytes each, every row filled with '#' after its text.
std::vector<char> Rows(const std::vector<std::string>& texts, std::uint32_t rowBytes) {
  std::vector<char> rows(texts.size() * rowBytes, '#');
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::string t = texts[i].substr(0, rowBytes);
    std::copy(t.begin(), t.end(), rows.begin() + i * rowBytes);
    if (t.size() < rowBytes) rows[i * rowBytes + t.size()] = 0;
  }
  return rows;
}

TEST(BuildFileMask, PairsAsTerminatedStrings) {
  struct {
    std::vector<std::string> rows;
    std::uint32_t rowBytes, count, pairs;
    std::string want;  // up to and with the closing zeros
  } cases[] = {
      {{"Text", "*.txt", "All", "*.*"}, 16, 4, 2, Lit("Text\0*.txt\0All\0*.*\0\0\0\0")},
      {{"Text", "*.txt", "All", "*.*"}, 16, 2, 1, Lit("Text\0*.txt\0\0\0\0")},
      {{"", "", "", ""}, 4, 4, 2, std::string(7, '\0')},
      // Control bytes 1 to 7 end a string too; 8 and above stay.
      {{"a\x01"
        "b",
        "c\x07\x08", "", ""},
       8,
       2,
       1,
       Lit("a\0b\0c\0\x08\0\0\0\0")},
      // A row as long as the row holds no terminator and ends at the row.
      {{"abcdefgh", "ijkl"}, 8, 2, 1, Lit("abcdefgh\0ijkl\0\0\0\0")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows[0]);
    std::vector<char> rows = Rows(c.rows, c.rowBytes);
    std::vector<char> out(zor::kFileMaskBytes, 'z');
    EXPECT_EQ(c.pairs, zor::BuildFileMask({rows.data(), c.rowBytes, c.count}, out.data()));
    EXPECT_EQ(c.want, std::string(out.data(), c.want.size()));
    EXPECT_EQ(std::string(zor::kFileMaskBytes - c.want.size(), '\0'),
              std::string(out.data() + c.want.size(), out.size() - c.want.size()));
  }
}

// Pairs that would not leave room for the closing bytes are left out whole.
TEST(BuildFileMask, CutsAtTheLastPairThatFits) {
  // Pair 1 is 2,000 bytes and `second` bytes, pair 2 is "b" and "c"; each
  // row takes one separator, the list three closing bytes.
  const std::uint32_t row = zor::kFileMaskBytes;
  struct {
    std::size_t second;
    std::uint32_t pairs;
  } cases[] = {
      {4128 - 2000 - 5, 1},      // pair 1 fills the buffer exactly
      {4128 - 2000 - 5 + 1, 0},  // one byte too many: nothing fits
      {4128 - 2000 - 5 - 4, 2},  // pair 2 fills the rest exactly
      {4128 - 2000 - 5 - 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    std::vector<char> rows =
        Rows({std::string(2000, 'a'), std::string(c.second, 'a'), "b", "c"}, row);
    std::vector<char> out(zor::kFileMaskBytes, 'z');
    EXPECT_EQ(c.pairs, zor::BuildFileMask({rows.data(), row, 4}, out.data()));
    if (c.pairs == 0) continue;
    std::size_t end = 2000 + c.second + 2;
    EXPECT_EQ(0, out[2000]);
    if (c.pairs == 2) {
      EXPECT_EQ(std::string("b\0c\0", 4), std::string(out.data() + end, 4));
      end += 4;
    }
    EXPECT_EQ(std::string(zor::kFileMaskBytes - end, '\0'),
              std::string(out.data() + end, zor::kFileMaskBytes - end));
  }
}

struct CmdCase {
  std::int32_t mode;
  std::uint32_t rowBytes;
  std::string want;  // "status|text", "!" when the second row was written
};

// "status|text" for one call of GetCmdLine on a fresh two-row variable,
// plus "!" when the call wrote into the second row.
std::string RunGetCmdLine(std::int32_t mode, std::uint32_t rowBytes) {
  auto call = reinterpret_cast<std::int32_t(ZOR_CALL*)(
      zor::HspVar*, std::int32_t, std::int32_t, std::int32_t)>(zt::ResolveExport("GetCmdLine"));
  zt::HostVar v = zt::HostVar::String(rowBytes, 2);
  v.Fill('x');
  std::int32_t status = call(v, mode, 0, 0);
  std::string out = std::to_string(status) + "|" + v.text();
  if (std::string(v.text() + rowBytes, rowBytes) != std::string(rowBytes, 'x')) out += "!";
  return out;
}

#if defined(_WIN32)
// The child: ZT_CMDLINE_CHILD names the output file, ZT_CMDLINE_CASES the
// calls ("mode:rowBytes,..."); one result line each, then the child ends
// before any test runs.
struct CommandLineChild {
  CommandLineChild() {
    char out[MAX_PATH], cases[4096];
    if (GetEnvironmentVariableA("ZT_CMDLINE_CHILD", out, sizeof out) == 0) return;
    GetEnvironmentVariableA("ZT_CMDLINE_CASES", cases, sizeof cases);
    std::ofstream file(out, std::ios::binary);
    std::istringstream list(cases);
    std::int32_t mode;
    std::uint32_t rowBytes;
    char colon, comma;
    while (list >> mode >> colon >> rowBytes) {
      file << RunGetCmdLine(mode, rowBytes) << '\n';
      list >> comma;
    }
    file.close();
    ExitProcess(0);
  }
} g_child;
#endif

// The results of the calls for a process started with exactly `line`.
std::vector<std::string> CmdLineResults(const std::string& line,
                                        const std::vector<CmdCase>& calls) {
  std::vector<std::string> results;
#if defined(_WIN32)
  std::string list;
  for (const CmdCase& c : calls)
    list += std::to_string(c.mode) + ":" + std::to_string(c.rowBytes) + ",";
  SetEnvironmentVariableA("ZT_CMDLINE_CASES", list.c_str());
  std::istringstream in(zt::RunSelf("ZT_CMDLINE_CHILD", line));
  SetEnvironmentVariableA("ZT_CMDLINE_CASES", nullptr);
  for (std::string r; std::getline(in, r);) results.push_back(r);
#else
  ZorStandinSetCommandLine(line.c_str());
  for (const CmdCase& c : calls) results.push_back(RunGetCmdLine(c.mode, c.rowBytes));
  ZorStandinSetCommandLine(nullptr);
#endif
  return results;
}

TEST(GetCmdLine, SkipsAfterCuttingToTheRow) {
  const std::string many = "run.exe " + std::string(12000, 'a');
  struct {
    std::string line;
    std::vector<CmdCase> calls;
  } cases[] = {
      {"C:\\p\\run.exe a b", {{0, 64, "0|C:\\p\\run.exe a b"}, {1, 64, "0|a b"}}},
      {"\"C:\\my p\\run.exe\" a b", {{2, 64, "0|a b"}}},
      {"run.exe obj x", {{16, 64, "0|x"}, {0x40, 64, "0|x"}}},
      // Cut to R - 1 bytes first: the skip sees the shorter line.
      {"run.exe abcdefghijklmnop",
       {{0, 16, "0|run.exe abcdefg"}, {1, 16, "0|abcdefg"}, {1, 8, "0|run.exe"}}},
      // The copy holds 10,243 bytes; a row of 10,240 is cut to its own size.
      {many,
       {{0, 12288, "0|" + many.substr(0, 10243)},
        {0, 10240, "0|" + many.substr(0, 10239)},
        {1, 10240, "0|" + many.substr(8, 10231)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 40));
    std::vector<std::string> got = CmdLineResults(c.line, c.calls);
    ASSERT_EQ(c.calls.size(), got.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      SCOPED_TRACE(c.calls[i].mode);
      EXPECT_EQ(c.calls[i].want.size(), got[i].size());
      EXPECT_TRUE(c.calls[i].want == got[i]) << got[i].substr(0, 80);
    }
  }
}

std::string CurrentDirectory() {
  char cwd[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof cwd, cwd);
  return std::string(cwd, n);
}

// A folder below the current one whose full path P has (P + terminator)
// a multiple of 4 bytes, so a row can hold it exactly.
std::string FolderOfFittingLength(const std::string& stem, std::size_t extra) {
  std::string name = stem;
  while ((CurrentDirectory().size() + 1 + name.size() + extra + 1) % 4 != 0) name += 'd';
  return name;
}

// The platform's result n passes as 0 when it is at most R, else as -n;
// nothing is written past the row.
void ExpectSizeRule(std::int32_t(ZOR_CALL* call)(zor::HspVar*, std::int32_t, std::int32_t,
                                                 std::int32_t),
                    const std::string& want) {
  const std::uint32_t fit = static_cast<std::uint32_t>(want.size() + 1);
  ASSERT_EQ(0u, fit % 4);
  struct {
    std::uint32_t rowBytes;
    std::int32_t status;
  } cases[] = {{fit, 0}, {fit + 4, 0}, {fit - 4, -static_cast<std::int32_t>(fit)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rowBytes);
    zt::HostVar v = zt::HostVar::String(c.rowBytes, 2);
    v.Fill('x');
    EXPECT_EQ(c.status, call(v, 0, 0, 0));
    if (c.status == 0) {
      EXPECT_EQ(want, v.text());
    }
    EXPECT_EQ(std::string(c.rowBytes, 'x'), std::string(v.text() + c.rowBytes, c.rowBytes));
  }
  zt::HostVar n = zt::HostVar::Ints(64);
  EXPECT_EQ(6, call(n, 0, 0, 0));
}

TEST(Directories, GetCurDirFollowsTheCurrentDirectory) {
  const std::string base = CurrentDirectory();
  const std::string name = FolderOfFittingLength("zt_cur", 0);
  ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryA(name.c_str()));
  ExpectSizeRule(GetCurDir, base + kSep + name);
  SetCurrentDirectoryA(base.c_str());
  EXPECT_TRUE(RemoveDirectoryA(name.c_str()));
}

TEST(Directories, GetWinTempIsTheTemporaryDirectory) {
#if defined(_WIN32)
  const char* variable = "TMP";
#else
  const char* variable = "TMPDIR";
#endif
  char saved[MAX_PATH];
  DWORD had = GetEnvironmentVariableA(variable, saved, sizeof saved);
  const std::string name = FolderOfFittingLength("zt_tmp", 1);
  ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr));
  const std::string full = CurrentDirectory() + kSep + name;
  SetEnvironmentVariableA(variable, full.c_str());
  ExpectSizeRule(GetWinTemp, full + kSep);
  SetEnvironmentVariableA(variable, had != 0 ? saved : nullptr);
  EXPECT_TRUE(RemoveDirectoryA(name.c_str()));
}

TEST(Directories, RmDirRemovesOnlyEmptyDirectories) {
  struct {
    const char* name;
    bool create, fill;
    std::int32_t status;
  } cases[] = {
      {"zt_rm_empty", true, false, 0},
      {"zt_rm_full", true, true, -1},
      {"zt_rm_missing", false, false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string inside = std::string(c.name) + kSep + "f.txt";
    if (c.create) {
      ASSERT_TRUE(CreateDirectoryA(c.name, nullptr));
    }
    if (c.fill) zt::WriteTempFile(inside, "x");
    EXPECT_EQ(c.status, RmDir(0x1234, c.name, 0, 0));  // argument 1 is not used
    // The directory is there afterwards exactly when it was not removed.
    bool created = CreateDirectoryA(c.name, nullptr);
    EXPECT_EQ(c.status == 0 || !c.create, created);
    if (!created) {
      EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    }
    if (c.fill) std::remove(inside.c_str());
    EXPECT_TRUE(RemoveDirectoryA(c.name));
  }
}

class Environment : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("ZT_ENV_A", "value");
    SetEnvironmentVariableA("ZT_ENV_REF", "a%ZT_ENV_A%b");
  }
  void TearDown() override {
    SetEnvironmentVariableA("ZT_ENV_A", nullptr);
    SetEnvironmentVariableA("ZT_ENV_REF", nullptr);
  }
};

TEST_F(Environment, GetEnvVarExpandsTheReference) {
  const std::string longName(4097, 'N'), tooLong(4098, 'N');
  struct {
    std::string name;
    std::uint32_t rowBytes;
    std::int32_t status;
    const char* want;  // null: not checked (the expansion did not fit)
  } cases[] = {
      {"ZT_ENV_A", 16, -6, "value"},
      {"zt_env_a", 16, -6, "value"},                    // names compare without case
      {"ZT_ENV_REF", 32, -13, "a%ZT_ENV_A%b"},          // expanded once only
      {"ZT_NO_SUCH_VAR", 32, -17, "%ZT_NO_SUCH_VAR%"},  // left as it stands
      {"", 8, -3, "%%"},
      {"ZT_ENV_A", 4, -6, nullptr},  // too small: the size needed
      {longName, 4100, -4100, nullptr},
      {tooLong, 8192, 3, nullptr},  // refused: longer than 4,097
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.substr(0, 20));
    zt::HostVar v = zt::HostVar::String(c.rowBytes, 2);
    v.Fill('x');
    EXPECT_EQ(c.status, GetEnvVar(v, c.name.c_str(), 0, 0));
    if (c.want != nullptr) {
      EXPECT_STREQ(c.want, v.text());
    }
    if (c.status == 3) {
      EXPECT_EQ('x', v.text()[0]);
    }
    EXPECT_EQ(std::string(c.rowBytes, 'x'), std::string(v.text() + c.rowBytes, c.rowBytes));
  }
}

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char* const kUser = "User Shell Folders";
const char* const kPlain = "Shell Folders";

struct SavedValue {
  std::string name;
  DWORD type;
  std::string bytes;
};

struct SavedKey {
  std::string path;
  bool existed = false;
  std::vector<SavedValue> values;
};

SavedKey Save(const std::string& path) {
  SavedKey saved{path, false, {}};
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return saved;
  saved.existed = true;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD nameSize = sizeof name, type = 0, size = 0;
    std::vector<BYTE> data(65536);
    size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
      break;
    saved.values.push_back({name, type, std::string(data.begin(), data.begin() + size)});
  }
  RegCloseKey(key);
  return saved;
}

void Restore(const SavedKey& saved) {
  RegDeleteKeyA(HKEY_CURRENT_USER, saved.path.c_str());
  if (!saved.existed) return;
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, saved.path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  for (const SavedValue& v : saved.values) {
    RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.bytes.data()),
                   static_cast<DWORD>(v.bytes.size()));
  }
  RegCloseKey(key);
}

class ShellFolders : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = {Save(kExplorer + kUser), Save(kExplorer + kPlain)};
    SetEnvironmentVariableA("ZT_SHELL", "Q:");
  }
  void TearDown() override {
    for (const SavedKey& k : saved_) Restore(k);
    SetEnvironmentVariableA("ZT_SHELL", nullptr);
  }

  static void Set(const char* subkey, const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (kExplorer + subkey).c_str(), 0,
                                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
  }
  // "status|text" of GetShellDir on a two-row variable; "!" when it wrote
  // into the second row. Every key it opened is closed again.
  static std::string Call(std::int32_t index, std::uint32_t rowBytes = 256) {
    zt::HostVar v = zt::HostVar::String(rowBytes, 2);
    v.Fill('x');
    long before = zt::OpenHandleCount();
    std::int32_t status = GetShellDir(v, index, 0, 0);
    ZT_EXPECT_HANDLES(before);
    std::string out = std::to_string(status);
    // The text, when the platform says it fitted.
    if (status < -1 && static_cast<std::uint32_t>(-status) <= rowBytes)
      out += "|" + std::string(v.text(), strnlen(v.text(), rowBytes));
    if (std::string(v.text() + rowBytes, rowBytes) != std::string(rowBytes, 'x')) out += "!";
    return out;
  }

  std::vector<SavedKey> saved_;
};

const char* const kNames[] = {"Desktop", "Start Menu", "Programs", "Startup",
                              "SendTo",  "Recent",     "Favorites"};

TEST_F(ShellFolders, AFreshProfileRefersToTheUserProfile) {
  char profile[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
  ASSERT_GT(n, 0u);
  for (auto [index, tail] : {std::pair<int, const char*>{0, "Desktop"}, {6, "Favorites"}}) {
    std::string want = std::string(profile, n) + kSep + tail;
    EXPECT_EQ(std::to_string(-static_cast<int>(want.size() + 1)) + "|" + want, Call(index));
  }
}

// Indexes outside 0 to 6 read the desktop.
TEST_F(ShellFolders, IndexNamesTheValue) {
  for (int i = 0; i < 7; ++i)
    Set(kUser, kNames[i], REG_EXPAND_SZ, "%ZT_SHELL%" + kSep + kNames[i] + '\0');
  for (std::int32_t index : {0, 1, 2, 3, 4, 5, 6, 7, -1, 65536}) {
    std::string want = "Q:" + kSep + kNames[index >= 0 && index < 7 ? index : 0];
    EXPECT_EQ(std::to_string(-static_cast<int>(want.size() + 1)) + "|" + want, Call(index))
        << index;
  }
}

// Which subkey the value comes from, and the codes when it is in none.
TEST_F(ShellFolders, UserValueFirstThenThePlainOne) {
  struct Value {
    bool key, present;
    DWORD type;
    std::string bytes;
  };
  const Value user{true, true, REG_EXPAND_SZ, "%ZT_SHELL%" + kSep + "u" + '\0'},
      plain{true, true, REG_SZ, "%ZT_SHELL%" + kSep + "p" + '\0'}, missing{true, false, 0, ""},
      noKey{false, false, 0, ""}, tooLong{true, true, REG_EXPAND_SZ, std::string(5000, 'l') + '\0'},
      dword{true, true, REG_DWORD, std::string("abc\0", 4)},
      full{true, true, REG_BINARY, std::string(4096, 'a')};
  struct {
    Value user, plain;
    std::string want;
    std::uint32_t rowBytes = 256;
  } cases[] = {
      {user, plain, "-5|Q:" + kSep + "u"},
      {missing, plain, "-5|Q:" + kSep + "p"},  // the plain value is expanded as well
      {tooLong, plain, "-5|Q:" + kSep + "p"},  // more than 4,096 bytes: not read
      {missing, missing, "-65548"},
      {noKey, plain, "-5|Q:" + kSep + "p"},
      {noKey, missing, "-65544"},
      {missing, noKey, "-65540"},
      {user, noKey, "-5|Q:" + kSep + "u"},
      {noKey, noKey, "-65535"},
      {dword, plain, "-4|abc"},                                // the value's type is not looked at
      {full, plain, "-4097|" + std::string(4096, 'a'), 4100},  // no terminator: cut at 4,096
      {user, plain, "-5", 4},                                  // does not fit: the size needed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.want.substr(0, 20) << " " << c.rowBytes);
    TearDown();
    SetUp();
    const char* subkeys[] = {kUser, kPlain};
    const Value* values[] = {&c.user, &c.plain};
    for (int k = 0; k < 2; ++k) {
      const std::string path = kExplorer + subkeys[k];
      HKEY key;
      if (!values[k]->key) {
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()));
      } else if (!values[k]->present) {
        if (!RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key)) {
          RegDeleteValueA(key, "Favorites");
          RegCloseKey(key);
        }
      } else {
        Set(subkeys[k], "Favorites", values[k]->type, values[k]->bytes);
      }
    }
    std::string got = Call(6, c.rowBytes);
    EXPECT_EQ(c.want.size(), got.size());
    EXPECT_TRUE(c.want == got) << got.substr(0, 60);
  }
}

using zt::HostVar;

// GetWinVerEx's text and its statuses for the selectors 0 to 7.
std::string VersionReport() {
  char text[64];
  std::string report;
  for (std::int32_t selector = 0; selector < 8; ++selector) {
    std::memset(text, 'x', sizeof text);
    report += std::to_string(GetWinVerEx(selector, 0, 0, text)) + " ";
  }
  return report + text;
}

#if defined(_WIN32)
// In the child that VersionUnderWine starts: write the report and end.
const bool kChild = [] {
  char out[MAX_PATH];
  if (GetEnvironmentVariableA("ZT_VERSION_REPORT", out, sizeof out) == 0) return false;
  std::ofstream(out) << VersionReport();
  std::fflush(nullptr);
  ExitProcess(0);
}();
#endif

TEST(Bell, ClampsFrequencyAndDuration) {
  struct {
    std::int32_t frequency, duration;
    DWORD played, lasted;
  } cases[] = {
      {20, 3, 37, 3},       {36, 1, 37, 1},       {37, 2, 37, 2},
      {40000, 1, 32767, 1}, {32768, 1, 32767, 1}, {-5, 1, 37, 1},
      {440, 0, 440, 1},     {440, -5, 440, 1},    {440, INT32_MIN, 440, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frequency << " Hz, " << c.duration << " ms");
    EXPECT_EQ(0, Bell(c.frequency, c.duration, 0, 0));
#if !defined(_WIN32)
    EXPECT_EQ(c.played, ZorStandinLastBeep()->frequency);
    EXPECT_EQ(c.lasted, ZorStandinLastBeep()->duration);
#endif
  }
#if !defined(_WIN32)
  // No upper limit on the duration (the stand-in does not wait).
  EXPECT_EQ(0, Bell(440, 600000, 0, 0));
  EXPECT_EQ(600000u, ZorStandinLastBeep()->duration);
#endif
}

TEST(Bell2, AlertSoundByIndex) {
  struct {
    std::int32_t index;
    UINT type;
  } cases[] = {
      {0, 0xFFFFFFFFu}, {1, 0x40}, {4, 0x20}, {5, 0x00}, {6, 0xFFFFFFFFu}, {-1, 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(0, Bell2(c.index, 0, 0, 0));
#if !defined(_WIN32)
    EXPECT_EQ(c.type, ZorStandinLastSound()->beepType);
#endif
  }
}

// A 44-byte header and four samples of silence: 8 kHz, mono, 8 bits.
std::string TinyWave() {
  auto le = [](std::uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
  };
  return "RIFF" + le(40, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
         le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(4, 4) + std::string(4, '\x80');
}

TEST(PlayWave, Statuses) {
  zt::WriteTempFile("zt_tiny.wav", TinyWave());
  zt::WriteTempFile("zt_text.wav", "not a wave file at all, only some text");
  HostVar number = HostVar::Ints(4);
  HostVar missing = zt::Strings({"zt_missing.wav"});
#if !defined(_WIN32)
  const int plays = ZorStandinLastSound()->plays;
#endif
  EXPECT_EQ(-255, PlayWave(number, 0, 0, 0));
#if defined(_WIN32)
  // The status follows the platform's own answer for the same call (Wine
  // starts an asynchronous sound before it opens the file, and says TRUE).
  BOOL direct = PlaySoundA("zt_missing.wav", nullptr, 0x22001);
  EXPECT_EQ(direct ? 0 : -1, PlayWave(missing, 0, 0, 0));
#else
  HostVar wave = zt::Strings({"zt_tiny.wav"}), text = zt::Strings({"zt_text.wav"});
  EXPECT_EQ(plays, ZorStandinLastSound()->plays);  // refused before playing
  EXPECT_EQ(-1, PlayWave(missing, 0, 0, 0));
  EXPECT_EQ(-1, PlayWave(text, 0, 0, 0));
  EXPECT_EQ(0, PlayWave(wave, 0, 0, 0));
  EXPECT_STREQ("zt_tiny.wav", ZorStandinLastSound()->name);
  EXPECT_EQ(0x22001u, ZorStandinLastSound()->flags);
  EXPECT_EQ(plays + 3, ZorStandinLastSound()->plays);
#endif
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));  // stop whatever plays
}

TEST(GetZorExtVer, TextAndNumber) {
  const std::int32_t args[][3] = {{0, 0, 0}, {1, 2, 3}, {-1, INT32_MAX, 7}};
  for (const auto& a : args) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-262145, GetZorExtVer(a[0], a[1], a[2], buffer));
    EXPECT_EQ(std::string("0.401 Subset\0x", 14), std::string(buffer, 14));
  }
}

// Reported versions of other systems: on Linux set in the stand-in, under
// Wine per program in the registry, which a new process reads at start.
struct OtherSystem {
  const char* wineName;  // HKCU\Software\Wine\AppDefaults\<exe>\Version
  DWORD platform, major, minor;
  const char* report;
};
const OtherSystem kSystems[] = {
    {"win98", 1, 4, 10, "-1 -4 -10 0 -1 -4 -10 0 Windows 9x  ver. 4.10"},
    {"win31", 0, 3, 10, "-3 -3 -10 0 -3 -3 -10 0 Win32s  ver. 3.10"},
    {"nt40", 2, 4, 0, "-2 -4 0 0 -2 -4 0 0 Windows NT  ver. 4.0"},
    {nullptr, 3, 5, 1, "0 -5 -1 0 0 -5 -1 0 Unknown OS  ver. 5.1"},  // the stand-in only
};

#if defined(_WIN32)
std::string ReportOfChild(const char* version) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string base = std::string(exe).substr(std::string(exe).find_last_of("\\/") + 1);
  const std::string key = "Software\\Wine\\AppDefaults\\" + base;
  HKEY h = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                      nullptr) != ERROR_SUCCESS) {
    return "<no registry key>";
  }
  RegSetValueExA(h, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 static_cast<DWORD>(std::strlen(version) + 1));
  std::string report = zt::RunSelf("ZT_VERSION_REPORT", "");
  RegDeleteValueA(h, "Version");
  RegCloseKey(h);
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  return report;
}
#endif

TEST(GetWinVerEx, OtherSystems) {
  for (const OtherSystem& s : kSystems) {
    SCOPED_TRACE(s.report);
#if defined(_WIN32)
    if (s.wineName != nullptr) {
      EXPECT_EQ(s.report, ReportOfChild(s.wineName));
    }
#else
    ZorStandinSetVersion(s.platform, s.major, s.minor, 0);
    EXPECT_EQ(s.report, VersionReport());
    ZorStandinSetVersion(VER_PLATFORM_WIN32_NT, 6, 2, 9200);
#endif
  }
}

TEST(About, NoticesInMessageBoxes) {
  struct {
    std::int32_t(ZOR_CALL* show)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
    const char* caption;
  } cases[] = {{DizezOzozoz, "ZorExtSS"}, {AboutMe, "About ZorExtSS"}};
  for (const auto& c : cases) {
    // No SCOPED_TRACE beside the watchdog's thread: together they crash the
    // emulated Wine.
    zt::Watchdog watchdog(60, "an about box");
    zt::MessageBoxAnswer answer(IDOK);
    EXPECT_EQ(0, c.show(0, 0, 0, 0)) << c.caption;
    ASSERT_EQ(1, answer.count()) << c.caption;
    EXPECT_EQ(c.caption, answer.caption());
    EXPECT_EQ(0u, answer.text().find("ZorExtSS 0.401 Subset\n")) << answer.text();
    EXPECT_NE(std::string::npos, answer.text().find("Copyright")) << c.caption;
    EXPECT_EQ(nullptr, answer.owner_) << c.caption;
    EXPECT_TRUE(answer.HasButton(IDOK)) << c.caption;
    EXPECT_FALSE(answer.HasButton(IDCANCEL)) << c.caption;
  }
}

}  // namespace
