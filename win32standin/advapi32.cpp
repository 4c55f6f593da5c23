// advapi32 registry: an in-memory tree under HKEY_CURRENT_USER.
#include <strings.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "handles.h"

namespace {

struct Value {
  std::string name;
  DWORD type;
  std::string bytes;
};

struct Key {
  std::vector<Value> values;  // in the order first set
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Keys by their lower-case path below HKEY_CURRENT_USER ("" is the root).
std::map<std::string, Key>& Tree();

std::string Join(const std::string& base, const char* sub) {
  std::string s = sub != nullptr ? sub : "";
  while (!s.empty() && s.back() == '\\') s.pop_back();
  if (s.empty()) return base;
  return Lower(base.empty() ? s : base + "\\" + s);
}

Key& Create(const std::string& path) {
  for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
    Tree()[path.substr(0, at)];
  return Tree()[path];
}

void SetText(const std::string& path, const char* name, DWORD type, const std::string& text) {
  Create(path).values.push_back({name, type, text + '\0'});
}

// The shell folders of a new profile: the user's values refer to
// %USERPROFILE%, the plain ones hold them expanded.
std::map<std::string, Key>& Tree() {
  static std::map<std::string, Key> tree;
  static bool seeded = false;
  if (!seeded) {
    seeded = true;
    tree[""];
    const std::string explorer = "software\\microsoft\\windows\\currentversion\\explorer";
    const char* home = std::getenv("USERPROFILE");
    std::string profile = home != nullptr ? home : "/tmp";
    const char* folders[][2] = {
        {"Desktop", "/Desktop"},
        {"Start Menu", "/AppData/Roaming/Microsoft/Windows/Start Menu"},
        {"Programs", "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"},
        {"Startup", "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"},
        {"SendTo", "/AppData/Roaming/Microsoft/Windows/SendTo"},
        {"Recent", "/AppData/Roaming/Microsoft/Windows/Recent"},
        {"Favorites", "/Favorites"},
    };
    for (auto& f : folders) {
      SetText(explorer + "\\user shell folders", f[0], REG_EXPAND_SZ,
              std::string("%USERPROFILE%") + f[1]);
      SetText(explorer + "\\shell folders", f[0], REG_SZ, profile + f[1]);
    }
  }
  return tree;
}

// Open handles 0x3000, 0x3004, ...: the path each names.
std::map<std::uintptr_t, std::string> g_handles;
std::uintptr_t g_nextHandle = 0x3000;

// The path `key` names; false for a handle that is not open.
bool PathOf(HKEY key, std::string* path) {
  if (key == HKEY_CURRENT_USER) {
    path->clear();
    return true;
  }
  auto it = g_handles.find(reinterpret_cast<std::uintptr_t>(key));
  if (it == g_handles.end()) return false;
  *path = it->second;
  return true;
}

Key* Find(const std::string& path) {
  auto it = Tree().find(path);
  return it == Tree().end() ? nullptr : &it->second;
}

// Key of an open handle; `error` says why there is none.
Key* KeyOf(HKEY key, LONG* error) {
  std::string path;
  if (!PathOf(key, &path)) {
    *error = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  Key* k = Find(path);
  if (k == nullptr) *error = ERROR_KEY_DELETED;
  return k;
}

Value* FindValue(Key* k, const char* name) {
  const char* n = name != nullptr ? name : "";
  for (Value& v : k->values) {
    if (strcasecmp(v.name.c_str(), n) == 0) return &v;
  }
  return nullptr;
}

HKEY NewHandle(const std::string& path) {
  if (path.empty()) return HKEY_CURRENT_USER;
  std::uintptr_t h = g_nextHandle;
  g_nextHandle += 4;
  g_handles[h] = path;
  ++zorw::LiveHandles();
  return reinterpret_cast<HKEY>(h);
}

}  // namespace

ZOR_WIN32_API LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subkey, DWORD, REGSAM, PHKEY result) {
  std::string base;
  if (!PathOf(key, &base)) return ERROR_INVALID_HANDLE;
  if (Find(base) == nullptr) return ERROR_KEY_DELETED;
  std::string path = Join(base, subkey);
  if (Find(path) == nullptr) return ERROR_FILE_NOT_FOUND;
  // A null or empty subkey under an open handle is a new handle to it.
  if (path == base && key == HKEY_CURRENT_USER) {
    *result = HKEY_CURRENT_USER;
    return ERROR_SUCCESS;
  }
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subkey, DWORD, LPSTR, DWORD, REGSAM,
                                          LPSECURITY_ATTRIBUTES, PHKEY result,
                                          LPDWORD disposition) {
  std::string base;
  if (!PathOf(key, &base)) return ERROR_INVALID_HANDLE;
  if (Find(base) == nullptr) return ERROR_KEY_DELETED;
  std::string path = Join(base, subkey);
  bool existed = Find(path) != nullptr;
  Create(path);
  if (disposition != nullptr)
    *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  if (g_handles.erase(reinterpret_cast<std::uintptr_t>(key)) == 0) return ERROR_INVALID_HANDLE;
  --zorw::LiveHandles();
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subkey) {
  std::string base;
  if (!PathOf(key, &base)) return ERROR_INVALID_HANDLE;
  std::string path = Join(base, subkey);
  if (subkey == nullptr || subkey[0] == 0 || Find(path) == nullptr) return ERROR_FILE_NOT_FOUND;
  auto next = Tree().upper_bound(path);
  if (next != Tree().end() && next->first.compare(0, path.size() + 1, path + "\\") == 0)
    return ERROR_ACCESS_DENIED;
  Tree().erase(path);
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data,
                                         DWORD size) {
  LONG error = ERROR_SUCCESS;
  Key* k = KeyOf(key, &error);
  if (k == nullptr) return error;
  std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
  if (Value* v = FindValue(k, name)) {
    v->type = type;
    v->bytes = bytes;
  } else {
    k->values.push_back({name != nullptr ? name : "", type, bytes});
  }
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type,
                                           LPBYTE data, LPDWORD size) {
  LONG error = ERROR_SUCCESS;
  Key* k = KeyOf(key, &error);
  if (k == nullptr) return error;
  Value* v = FindValue(k, name);
  if (v == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = v->type;
  DWORD need = static_cast<DWORD>(v->bytes.size());
  if (data != nullptr && (size == nullptr || *size < need)) {
    if (size != nullptr) *size = need;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr) std::memcpy(data, v->bytes.data(), need);
  if (size != nullptr) *size = need;
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegDeleteValueA(HKEY key, LPCSTR name) {
  LONG error = ERROR_SUCCESS;
  Key* k = KeyOf(key, &error);
  if (k == nullptr) return error;
  Value* v = FindValue(k, name);
  if (v == nullptr) return ERROR_FILE_NOT_FOUND;
  k->values.erase(k->values.begin() + (v - k->values.data()));
  return ERROR_SUCCESS;
}

ZOR_WIN32_API LONG WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize,
                                        LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  LONG error = ERROR_SUCCESS;
  Key* k = KeyOf(key, &error);
  if (k == nullptr) return error;
  if (index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
  const Value& v = k->values[index];
  if (*nameSize < v.name.size() + 1) return ERROR_MORE_DATA;
  std::memcpy(name, v.name.c_str(), v.name.size() + 1);
  *nameSize = static_cast<DWORD>(v.name.size());
  if (type != nullptr) *type = v.type;
  DWORD need = static_cast<DWORD>(v.bytes.size());
  if (data != nullptr && (dataSize == nullptr || *dataSize < need)) {
    if (dataSize != nullptr) *dataSize = need;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr) std::memcpy(data, v.bytes.data(), need);
  if (dataSize != nullptr) *dataSize = need;
  return ERROR_SUCCESS;
}
