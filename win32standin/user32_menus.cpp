// user32 popup menus over plain records: each menu is a list of items
// (flags, identifier, text). TrackPopupMenu asks the test's answerer.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "handles.h"

namespace {

struct Item {
  UINT flags;
  UINT_PTR id;
  std::string text;
};

using Menu = std::vector<Item>;

std::map<std::uintptr_t, Menu>& Menus() {
  static std::map<std::uintptr_t, Menu> menus;
  return menus;
}
// Apart from the window handles, still small enough for a 32-bit field.
std::uintptr_t g_next = 0x200020;
ZorStandinPopupMenuAnswerer g_answerer = nullptr;
void* g_answererCtx = nullptr;

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

// Looks the menu up, setting ERROR_INVALID_MENU_HANDLE when it is none.
Menu* Need(HMENU m) {
  auto it = Menus().find(reinterpret_cast<std::uintptr_t>(m));
  if (it != Menus().end()) return &it->second;
  SetLastError(ERROR_INVALID_MENU_HANDLE);
  return nullptr;
}

// The item named by position or by identifier, or null.
Item* Lookup(Menu& menu, UINT item, UINT flags) {
  if (flags & MF_BYPOSITION) return item < menu.size() ? &menu[item] : nullptr;
  for (Item& i : menu) {
    if (i.id == item) return &i;
  }
  return nullptr;
}

}  // namespace

ZOR_WIN32_API HMENU WINAPI CreatePopupMenu(void) {
  HMENU h = reinterpret_cast<HMENU>(g_next);
  g_next += 4;
  Menus()[reinterpret_cast<std::uintptr_t>(h)];
  ++zorw::LiveHandles();
  return h;
}

ZOR_WIN32_API BOOL WINAPI AppendMenuA(HMENU m, UINT flags, UINT_PTR id, LPCSTR text) {
  Menu* menu = Need(m);
  if (menu == nullptr) return FALSE;
  if (flags & ~(MF_SEPARATOR | kStateFlags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string label = (flags & MF_SEPARATOR) || text == nullptr ? "" : text;
  menu->push_back({flags, id, label});
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI DestroyMenu(HMENU m) {
  if (Need(m) == nullptr) return FALSE;
  Menus().erase(reinterpret_cast<std::uintptr_t>(m));
  --zorw::LiveHandles();
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI IsMenu(HMENU m) {
  return Menus().count(reinterpret_cast<std::uintptr_t>(m)) ? TRUE : FALSE;
}

ZOR_WIN32_API int WINAPI GetMenuItemCount(HMENU m) {
  Menu* menu = Need(m);
  return menu == nullptr ? -1 : static_cast<int>(menu->size());
}

ZOR_WIN32_API UINT WINAPI GetMenuItemID(HMENU m, int position) {
  Menu* menu = Need(m);
  if (menu == nullptr || position < 0 || static_cast<std::size_t>(position) >= menu->size()) {
    return static_cast<UINT>(-1);
  }
  return static_cast<UINT>((*menu)[static_cast<std::size_t>(position)].id);
}

ZOR_WIN32_API int WINAPI GetMenuStringA(HMENU m, UINT item, LPSTR buf, int most, UINT flags) {
  Menu* menu = Need(m);
  if (buf != nullptr && most > 0) buf[0] = 0;
  if (menu == nullptr) return 0;
  Item* i = Lookup(*menu, item, flags);
  if (i == nullptr) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return 0;
  }
  if (i->flags & MF_SEPARATOR) return 0;
  if (buf == nullptr || most <= 0) return static_cast<int>(i->text.size());
  std::size_t n = std::min<std::size_t>(i->text.size(), static_cast<std::size_t>(most) - 1);
  std::memcpy(buf, i->text.data(), n);
  buf[n] = 0;
  return static_cast<int>(n);
}

ZOR_WIN32_API UINT WINAPI GetMenuState(HMENU m, UINT item, UINT flags) {
  Menu* menu = Need(m);
  if (menu == nullptr) return static_cast<UINT>(-1);
  Item* i = Lookup(*menu, item, flags);
  return i == nullptr ? static_cast<UINT>(-1) : i->flags;
}

ZOR_WIN32_API BOOL WINAPI TrackPopupMenu(HMENU m, UINT flags, int x, int y, int, HWND owner,
                                         const tagRECT*) {
  if (owner == nullptr || !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Menu* menu = Need(m);
  if (menu == nullptr) return FALSE;
  // A menu without items is not shown, as under Wine: nothing is chosen.
  if (menu->empty()) return flags & TPM_RETURNCMD ? 0 : TRUE;
  UINT chosen = 0;
  if (g_answerer != nullptr) {
    ZorStandinPopupMenu popup{m, flags, x, y, owner};
    chosen = g_answerer(&popup, g_answererCtx);
  }
  // The user can pick only an enabled text item; the answerer may have
  // destroyed the menu.
  menu = Need(m);
  bool picked = false;
  if (menu != nullptr && chosen != 0) {
    for (const Item& i : *menu) {
      if (i.id == chosen && !(i.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED))) picked = true;
    }
  }
  if (flags & TPM_RETURNCMD) return picked ? static_cast<BOOL>(chosen) : 0;
  if (picked) PostMessageA(owner, WM_COMMAND, chosen, 0);
  return TRUE;
}

ZOR_WIN32_API void ZorStandinSetPopupMenuAnswerer(ZorStandinPopupMenuAnswerer answerer, void* ctx) {
  g_answerer = answerer;
  g_answererCtx = ctx;
}
