// Paths of the user's shell folders, read from the Explorer keys of the
// user's registry and expanded.
#include <windows.h>

#include <cstring>

#include "host/capacity.h"
#include "host/export.h"

using namespace zor;

namespace {

constexpr const char* kFolderNames[] = {"Desktop", "Start Menu", "Programs", "Startup",
                                        "SendTo",  "Recent",     "Favorites"};
constexpr const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
// Tried in this order; the bit values sum to the set of subkeys open.
constexpr const char* kSubkeys[] = {"User Shell Folders", "Shell Folders"};
constexpr DWORD kValueBytes = 4096;

}  // namespace

ZOR_EXPORT GetShellDir(HspVar* var, std::int32_t index, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  if (var->lengths[1] < 1) return kBadArg;
  if (index < 0 || index > 6) index = 0;
  HKEY user = nullptr, explorer = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &user) != ERROR_SUCCESS) return 0;
  if (RegOpenKeyExA(user, kExplorerKey, 0, KEY_READ, &explorer) != ERROR_SUCCESS) {
    RegCloseKey(user);
    return 0;
  }
  HKEY folders[2] = {nullptr, nullptr};
  std::int32_t open = 0;
  for (int k = 0; k < 2; ++k) {
    if (RegOpenKeyExA(explorer, kSubkeys[k], 0, KEY_READ, &folders[k]) == ERROR_SUCCESS)
      open |= 1 << k;
    else
      folders[k] = nullptr;
  }
  std::int32_t status = -65535;
  if (open != 0) {
    // One byte more than the query may fill: a value without a terminator
    // still ends inside the buffer.
    // Zeroed before each query, as a stored text need not end in one.
    char value[kValueBytes + 1];
    bool found = false;
    for (int k = 0; k < 2 && !found; ++k) {
      if (folders[k] == nullptr) continue;
      std::memset(value, 0, sizeof value);
      DWORD size = kValueBytes;
      found = RegQueryValueExA(folders[k], kFolderNames[index], nullptr, nullptr,
                               reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
    }
    status = found ? -static_cast<std::int32_t>(
                         ExpandEnvironmentStringsA(value, VarText(*var), RowBytes(*var)))
                   : -65536 - 4 * open;
  }
  for (HKEY k : folders) {
    if (k != nullptr) RegCloseKey(k);
  }
  RegCloseKey(explorer);
  RegCloseKey(user);
  return status;
}
