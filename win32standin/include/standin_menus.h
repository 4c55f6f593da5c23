// user32: popup menus. A menu is a list of text items and separators;
// TrackPopupMenu asks a test-installed answerer which item the user picks.
#pragma once

struct tagRECT;  // RECT, from standin_windows.h

#define ERROR_INVALID_MENU_HANDLE 1401u
#define ERROR_MENU_ITEM_NOT_FOUND 1456u

#define MF_STRING 0x0000u
#define MF_BYCOMMAND 0x0000u
#define MF_ENABLED 0x0000u
#define MF_GRAYED 0x0001u
#define MF_DISABLED 0x0002u
#define MF_CHECKED 0x0008u
#define MF_BYPOSITION 0x0400u
#define MF_SEPARATOR 0x0800u

#define TPM_LEFTALIGN 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

ZOR_WIN32_API HMENU WINAPI CreatePopupMenu(void);
// Only MF_STRING and MF_SEPARATOR items (with MF_GRAYED, MF_DISABLED,
// MF_CHECKED); other item kinds fail with ERROR_INVALID_PARAMETER.
ZOR_WIN32_API BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR item);
ZOR_WIN32_API BOOL WINAPI DestroyMenu(HMENU menu);
ZOR_WIN32_API BOOL WINAPI IsMenu(HMENU menu);
ZOR_WIN32_API int WINAPI GetMenuItemCount(HMENU menu);
ZOR_WIN32_API UINT WINAPI GetMenuItemID(HMENU menu, int position);
ZOR_WIN32_API int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR buf, int most, UINT flags);
ZOR_WIN32_API UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags);
// With TPM_RETURNCMD returns the chosen item's identifier, 0 when the menu
// was dismissed; without it, posts WM_COMMAND for a choice to the owner and
// returns TRUE. A missing or dead owner fails with
// ERROR_INVALID_WINDOW_HANDLE. A menu without items is not shown.
ZOR_WIN32_API BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved,
                                         HWND owner, const tagRECT* rect);

// ---- stand-in bookkeeping (not Win32) ----
// What TrackPopupMenu shows: the answerer returns the identifier of the
// item the user picks, or 0 to dismiss the menu. An identifier that names
// no enabled text item of the menu counts as a dismissal. With no answerer
// installed every menu is dismissed.
struct ZorStandinPopupMenu {
  HMENU menu;
  UINT flags;
  int x;
  int y;
  HWND owner;
};
typedef UINT (*ZorStandinPopupMenuAnswerer)(const ZorStandinPopupMenu* popup, void* ctx);
ZOR_WIN32_API void ZorStandinSetPopupMenuAnswerer(ZorStandinPopupMenuAnswerer answerer, void* ctx);
