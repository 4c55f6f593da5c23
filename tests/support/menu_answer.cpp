#include "support/menu_answer.h"

namespace zt {

namespace {

PopupMenuAnswer* g_menuAnswer = nullptr;

std::vector<MenuEntry> ReadMenu(HMENU menu) {
  std::vector<MenuEntry> items;
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    MenuEntry e{};
    e.separator = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    e.id = GetMenuItemID(menu, i);
    if (!e.separator) {
      char buf[256] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
      e.text = buf;
    }
    items.push_back(e);
  }
  return items;
}

// 0 when there is no such text item.
UINT ChosenId(const std::vector<MenuEntry>& items, int choice) {
  for (const MenuEntry& e : items) {
    if (!e.separator && choice-- == 0) return e.id;
  }
  return 0;
}

#if defined(_WIN32)
constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK FindMenuWindow(HWND w, LPARAM out) {
  char cls[16] = {};
  if (IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "#32768") {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}

void PostKey(HWND w, WPARAM key) {
  PostMessageA(w, WM_KEYDOWN, key, 1);
  PostMessageA(w, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Runs inside TrackPopupMenu's modal loop: reads the open menu and answers
// it with keys (Down moves through the text items, the first press selects
// the first one).
VOID CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  PopupMenuAnswer* a = g_menuAnswer;
  HWND w = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&w));
  if (a == nullptr || w == nullptr || w == a->lastWindow) return;
  a->lastWindow = w;
  a->items = ReadMenu(reinterpret_cast<HMENU>(SendMessageA(w, kGetMenu, 0, 0)));
  RECT r{};
  GetWindowRect(w, &r);
  a->position = {r.left, r.top};
  a->owner = GetWindow(w, GW_OWNER);
  if (a->choice < 0 || ChosenId(a->items, a->choice) == 0) {
    PostKey(w, VK_ESCAPE);
    return;
  }
  for (int i = 0; i <= a->choice; ++i) PostKey(w, VK_DOWN);
  PostKey(w, VK_RETURN);
}
#else
UINT Answer(const ZorStandinPopupMenu* popup, void*) {
  PopupMenuAnswer* a = g_menuAnswer;
  a->items = ReadMenu(popup->menu);
  a->position = {popup->x, popup->y};
  a->owner = popup->owner;
  return a->choice < 0 ? 0 : ChosenId(a->items, a->choice);
}
#endif

}  // namespace

PopupMenuAnswer::PopupMenuAnswer(int pick) : choice(pick) {
  g_menuAnswer = this;
#if defined(_WIN32)
  timer = SetTimer(nullptr, 0, 50, OnTimer);
#else
  ZorStandinSetPopupMenuAnswerer(Answer, nullptr);
#endif
}

PopupMenuAnswer::~PopupMenuAnswer() {
#if defined(_WIN32)
  KillTimer(nullptr, timer);
#else
  ZorStandinSetPopupMenuAnswerer(nullptr, nullptr);
#endif
  g_menuAnswer = nullptr;
}

}  // namespace zt
