// The system exports. Under Wine the exact command line and other systems'
// versions (set per program in Wine's registry) only reach a child process,
// so the program starts itself as one. The stand-in records the tones and
// sounds it was asked for; under Wine only their statuses are checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/ui.h"
#include "support/zortest.h"
#include "system/command_line.h"
#include "system/file_mask.h"

namespace {

using namespace std::string_literals;

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

using VarCall = std::int32_t(ZOR_CALL*)(zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

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
      {"\"C:\\my p\\run.exe\"x y", 1, "\"C:\\my p\\run.exe\"x y"}, // no space after the quote
      {"\"C:\\my p\\run.exe a b", 1, "\"C:\\my p\\run.exe a b"},   // no closing quote
      {"run.exe  x", 1, " x"},
      {"run.exe", 1, "run.exe"},
      {"run.exe ", 1, "run.exe "},
      {"a\"b c\" d", 1, "d"},              // the quote comes first: it decides
      {"ab c\"d\" e", 1, "c\"d\" e"},      // the space comes first
      {"run.exe obj x", 1, "obj x"},
      {"run.exe obj x", 0x80, "x"},
      {"run.exe obj x", 0x100, "obj x"},   // only bits 4 to 7 skip "obj "
      {"run.exe obj ", 16, "obj "},
      {"run.exe objx y", 16, "objx y"},
      {"run.exe OBJ x", 16, "OBJ x"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.line << "' mode " << c.mode);
    EXPECT_STREQ(c.want, c.line + zor::CommandLineStart(c.line, c.mode));
  }
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

// Pairs that would not leave room for the closing bytes are left out whole.
TEST(BuildFileMask, PairsAsTerminatedStringsWhileTheyFit) {
  // The cut rows: pair 1 is 2,000 bytes and n bytes, pair 2 is "b" and "c";
  // each row takes one separator, the list three closing bytes.
  const std::string a(2000, 'a');
  const std::uint32_t all = zor::kFileMaskBytes, fill = all - 2000 - 5;  // pair 1 fills it
  auto cut = [&](std::size_t n) {
    return std::vector<std::string>{a, std::string(n, 'a'), "b", "c"};
  };
  auto pair1 = [&](std::size_t n) { return a + '\0' + std::string(n, 'a') + '\0'; };
  struct {
    std::vector<std::string> rows;
    std::uint32_t rowBytes, count, pairs;
    std::string want;  // up to and with the closing zeros; zeros follow
  } cases[] = {
      {{"Text", "*.txt", "All", "*.*"}, 16, 2, 1, "Text\0*.txt\0\0\0\0"s},
      // Control bytes 1 to 7 end a string too; 8 and above stay.
      {{"a\1b", "c\7\x08", "", ""}, 8, 2, 1, "a\0b\0c\0\x08\0\0\0\0"s},
      // A row as long as the row holds no terminator and ends at the row.
      {{"abcdefgh", "ijkl"}, 8, 2, 1, "abcdefgh\0ijkl\0\0\0\0"s},
      {cut(fill), all, 4, 1, pair1(fill)},
      {cut(fill + 1), all, 4, 0, ""},                           // one byte too many: nothing fits
      {cut(fill - 4), all, 4, 2, pair1(fill - 4) + "b\0c\0"s},  // pair 2 fills the rest
      {cut(fill - 3), all, 4, 1, pair1(fill - 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows[0].substr(0, 8) + " " + std::to_string(c.want.size()));
    std::vector<char> rows = Rows(c.rows, c.rowBytes);
    std::vector<char> out(zor::kFileMaskBytes, 'z');
    EXPECT_EQ(c.pairs, zor::BuildFileMask({rows.data(), c.rowBytes, c.count}, out.data()));
    EXPECT_EQ(c.want, std::string(out.data(), c.want.size()));
    EXPECT_EQ(std::string(zor::kFileMaskBytes - c.want.size(), '\0'),
              std::string(out.data() + c.want.size(), out.size() - c.want.size()));
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
  auto call = reinterpret_cast<VarCall>(zt::ResolveExport("GetCmdLine"));
  zt::HostVar v = zt::HostVar::String(rowBytes, 2);
  v.Fill('x');
  std::int32_t status = call(v, mode, 0, 0);
  std::string out = std::to_string(status) + "|" + v.text();
  if (std::string(v.text() + rowBytes, rowBytes) != std::string(rowBytes, 'x')) out += "!";
  return out;
}

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
// The child: ZT_CHILD names the output file, ZT_CMDLINE_CASES the calls
// ("mode rowBytes ..."), one result line each; without calls it writes the
// version report. It ends before any test runs.
struct Child {
  Child() {
    char out[MAX_PATH], cases[4096] = {};
    if (GetEnvironmentVariableA("ZT_CHILD", out, sizeof out) == 0) return;
    std::ofstream file(out, std::ios::binary);
    if (GetEnvironmentVariableA("ZT_CMDLINE_CASES", cases, sizeof cases) == 0)
      file << VersionReport();
    std::istringstream list(cases);
    std::int32_t mode;
    std::uint32_t rowBytes;
    while (list >> mode >> rowBytes) file << RunGetCmdLine(mode, rowBytes) << '\n';
    file.close();
    ExitProcess(0);
  }
} g_child;
#endif

TEST(GetCmdLine, SkipsAfterCuttingToTheRow) {
  const std::string many = "run.exe " + std::string(12000, 'a');
  struct {
    std::string line;
    std::vector<CmdCase> calls;
  } cases[] = {
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
    std::vector<std::string> got;  // for a process started with exactly c.line
#if defined(_WIN32)
    std::string list;
    for (const CmdCase& k : c.calls)
      list += std::to_string(k.mode) + " " + std::to_string(k.rowBytes) + " ";
    SetEnvironmentVariableA("ZT_CMDLINE_CASES", list.c_str());
    std::istringstream in(zt::RunSelf("ZT_CHILD", c.line));
    SetEnvironmentVariableA("ZT_CMDLINE_CASES", nullptr);
    for (std::string r; std::getline(in, r);) got.push_back(r);
#else
    ZorStandinSetCommandLine(c.line.c_str());
    for (const CmdCase& k : c.calls) got.push_back(RunGetCmdLine(k.mode, k.rowBytes));
    ZorStandinSetCommandLine(nullptr);
#endif
    ASSERT_EQ(c.calls.size(), got.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      SCOPED_TRACE(c.calls[i].mode);
      EXPECT_EQ(c.calls[i].want.size(), got[i].size());
      EXPECT_TRUE(c.calls[i].want == got[i]) << got[i].substr(0, 80);
    }
  }
}

// The platform's result n passes as 0 when it is at most R, else as -n;
// nothing is written past the row.
void ExpectSizeRule(VarCall call, const std::string& want) {
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

// Folders below the current one whose full paths (with the terminator, and
// for the temporary one its closing separator) are a multiple of 4 bytes, so
// a row can hold them exactly.
TEST(Directories, GetCurDirAndGetWinTempFollowThePlatform) {
#if defined(_WIN32)
  const char* variable = "TMP";
#else
  const char* variable = "TMPDIR";
#endif
  char cwd[MAX_PATH];
  const std::string base = std::string(cwd, GetCurrentDirectoryA(sizeof cwd, cwd)) + kSep;
  std::string cur = "zt_cur", tmp = "zt_tmp";
  while ((base.size() + cur.size() + 1) % 4 != 0) cur += 'd';
  while ((base.size() + tmp.size() + 2) % 4 != 0) tmp += 'd';
  ASSERT_TRUE(CreateDirectoryA(cur.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(tmp.c_str(), nullptr));
  char saved[MAX_PATH];
  DWORD had = GetEnvironmentVariableA(variable, saved, sizeof saved);
  SetEnvironmentVariableA(variable, (base + tmp).c_str());
  ExpectSizeRule(GetWinTemp, base + tmp + kSep);
  SetEnvironmentVariableA(variable, had != 0 ? saved : nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(cur.c_str()));
  ExpectSizeRule(GetCurDir, base + cur);
  SetCurrentDirectoryA(base.c_str());
  EXPECT_TRUE(RemoveDirectoryA(cur.c_str()));
  EXPECT_TRUE(RemoveDirectoryA(tmp.c_str()));
}

// RemoveDirectory's answer: a second call finds nothing left to remove.
TEST(Directories, RmDirRemovesTheDirectory) {
  CreateDirectoryA("zt_rm", nullptr);          // or left by a run that failed
  EXPECT_EQ(0, RmDir(0x1234, "zt_rm", 0, 0));  // argument 1 is not used
  EXPECT_EQ(-1, RmDir(0, "zt_rm", 0, 0));
}

TEST(Environment, GetEnvVarExpandsTheReference) {
  SetEnvironmentVariableA("ZT_ENV_A", "value");
  SetEnvironmentVariableA("ZT_ENV_REF", "a%ZT_ENV_A%b");
  const std::string longName(4097, 'N'), tooLong(4098, 'N');
  struct {
    std::string name;
    std::uint32_t rowBytes;
    std::int32_t status;
    const char* want;  // null: not checked (the expansion did not fit)
  } cases[] = {
      {"ZT_ENV_A", 16, -6, "value"},
      {"ZT_ENV_REF", 32, -13, "a%ZT_ENV_A%b"},  // expanded once only
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
  SetEnvironmentVariableA("ZT_ENV_A", nullptr);
  SetEnvironmentVariableA("ZT_ENV_REF", nullptr);
}

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kUser = kExplorer + "User Shell Folders", kPlain = kExplorer + "Shell Folders";

// Gives the value `name` of the user's subkey `path`, which it creates, these
// bytes; without a name it only creates the subkey.
void SetValue(const std::string& path, const char* name, DWORD type, const std::string& bytes) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  if (name != nullptr) {
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())));
  }
  RegCloseKey(key);
}

// One of the user's subkeys as it was, put back when this goes.
struct SavedKey {
  explicit SavedKey(const std::string& p) : path(p) {
    HKEY key;
    existed = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    char name[512];
    std::vector<BYTE> data(65536);
    for (DWORD i = 0; existed; ++i) {
      DWORD nameSize = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
      if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size) != 0) break;
      values.emplace_back(name, type, std::string(data.begin(), data.begin() + size));
    }
    if (existed) RegCloseKey(key);
  }
  ~SavedKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    if (existed) SetValue(path, nullptr, 0, "");
    for (const auto& [name, type, bytes] : values) SetValue(path, name.c_str(), type, bytes);
  }
  std::string path;
  bool existed = false;
  std::vector<std::tuple<std::string, DWORD, std::string>> values;
};

class ShellFolders : public testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableA("ZT_SHELL", "Q:"); }
  void TearDown() override { SetEnvironmentVariableA("ZT_SHELL", nullptr); }

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

  SavedKey user_{kUser}, plain_{kPlain};
};

// Indexes outside 0 to 6 read the desktop.
TEST_F(ShellFolders, IndexNamesTheValue) {
  const char* const names[] = {"Desktop", "Start Menu", "Programs", "Startup",
                               "SendTo",  "Recent",     "Favorites"};
  for (const char* name : names)
    SetValue(kUser, name, REG_EXPAND_SZ, "%ZT_SHELL%" + kSep + name + '\0');
  for (std::int32_t index : {0, 1, 2, 3, 4, 5, 6, 7, -1, 65536}) {
    const std::string want = "Q:" + kSep + names[index >= 0 && index < 7 ? index : 0];
    EXPECT_EQ("-" + std::to_string(want.size() + 1) + "|" + want, Call(index)) << index;
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
      {noKey, noKey, "-65535"},
      {dword, plain, "-4|abc"},                                // the value's type is not looked at
      {full, plain, "-4097|" + std::string(4096, 'a'), 4100},  // no terminator: cut at 4,096
      {user, plain, "-5", 4},                                  // does not fit: the size needed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.want.substr(0, 20) << " " << c.rowBytes);
    for (const auto& [path, value] : {std::pair{kUser, c.user}, std::pair{kPlain, c.plain}}) {
      RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
      if (value.key) SetValue(path, value.present ? "Favorites" : nullptr, value.type, value.bytes);
    }
    std::string got = Call(6, c.rowBytes);
    EXPECT_EQ(c.want.size(), got.size());
    EXPECT_TRUE(c.want == got) << got.substr(0, 60);
  }
}

// Tones are clamped to 37 to 32,767 Hz and to at least 1 ms; Bell2 plays
// an alert sound by index. The stand-in records them and does not wait, so
// only there is a long tone asked for: the duration has no upper limit.
TEST(Bell, TonesAndAlertSounds) {
  struct {
    bool alert;  // Bell2 with index a, else Bell with a Hz for b ms
    std::int32_t a, b;
    DWORD played, lasted;  // the tone, or in `played` the alert's sound type
  } cases[] = {
      {false, 20, 3, 37, 3},        {false, 36, 1, 37, 1},        {false, 37, 2, 37, 2},
      {false, 32768, 1, 32767, 1},  {false, 440, 0, 440, 1},      {false, 440, INT32_MIN, 440, 1},
      {true, 0, 0, 0xFFFFFFFFu, 0}, {true, 1, 0, 0x40, 0},        {true, 4, 0, 0x20, 0},
      {true, 5, 0, 0x00, 0},        {true, 6, 0, 0xFFFFFFFFu, 0}, {true, -1, 0, 0xFFFFFFFFu, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.alert ? "Bell2 " : "Bell ") << c.a << ", " << c.b);
    EXPECT_EQ(0, c.alert ? Bell2(c.a, 0, 0, 0) : Bell(c.a, c.b, 0, 0));
#if !defined(_WIN32)
    EXPECT_EQ(c.played,
              c.alert ? ZorStandinLastSound()->beepType : ZorStandinLastBeep()->frequency);
    EXPECT_EQ(c.lasted, c.alert ? 0 : ZorStandinLastBeep()->duration);
#endif
  }
#if !defined(_WIN32)
  EXPECT_EQ(0, Bell(440, 600000, 0, 0));
  EXPECT_EQ(600000u, ZorStandinLastBeep()->duration);
#endif
}

TEST(PlayWave, Statuses) {
  // A 44-byte header (PCM, mono, 8,000 samples a second, 8 bits) and four
  // samples of silence.
  zt::WriteTempFile(
      "zt_tiny.wav",
      "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\4\0\0\0"s +
          std::string(4, '\x80'));
  zt::WriteTempFile("zt_text.wav", "not a wave file at all, only some text");
  zt::HostVar number = zt::HostVar::Ints(4);
  zt::HostVar missing = zt::Strings({"zt_missing.wav"});
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
  zt::HostVar wave = zt::Strings({"zt_tiny.wav"}), text = zt::Strings({"zt_text.wav"});
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
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(-262145, GetZorExtVer(-1, INT32_MAX, 7, buffer));
  EXPECT_EQ(std::string("0.401 Subset\0x", 14), std::string(buffer, 14));
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
  char path[MAX_PATH];
  const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  const std::string key = "Software\\Wine\\AppDefaults\\" + exe.substr(exe.find_last_of("\\/") + 1);
  SetValue(key, "Version", REG_SZ, version + "\0"s);
  std::string report = zt::RunSelf("ZT_CHILD", "");
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
