// Shell folder paths through GetShellDir. The test changes the user's two
// Explorer subkeys with the registry calls and puts them back as they were
// after every test, so the same checks run on the stand-in and under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/zortest.h"

namespace {

ZT_EXPORT(GetShellDir, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

#if defined(_WIN32)
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif

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
  static void Remove(const char* subkey, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (kExplorer + subkey).c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
      return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
  static void RemoveKey(const char* subkey) {
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, (kExplorer + subkey).c_str()));
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
      if (!values[k]->key) {
        RemoveKey(subkeys[k]);
      } else if (!values[k]->present) {
        Remove(subkeys[k], "Favorites");
      } else {
        Set(subkeys[k], "Favorites", values[k]->type, values[k]->bytes);
      }
    }
    std::string got = Call(6, c.rowBytes);
    EXPECT_EQ(c.want.size(), got.size());
    EXPECT_TRUE(c.want == got) << got.substr(0, 60);
  }
}

}  // namespace
