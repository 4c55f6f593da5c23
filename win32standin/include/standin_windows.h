// user32: windows, the message queue, the cursor and the foreground window.
// Rectangles are kept in screen coordinates; a window with a caption has a
// fixed frame, so client and window rectangles differ as they do on Windows.
#pragma once

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *LPPOINT;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *LPMSG;

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HANDLE hIcon;
  HANDLE hCursor;
  HANDLE hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA;

typedef WORD ATOM;

#define ERROR_INVALID_WINDOW_HANDLE 1400u
#define ERROR_CLASS_ALREADY_EXISTS 1410u
#define ERROR_CANNOT_FIND_WND_CLASS 1407u

#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_MINIMIZE 0x20000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_MAXIMIZE 0x01000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))
#define HWND_DESKTOP (static_cast<HWND>(nullptr))

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_ID (-12)

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9

#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOACTIVATE 0x0010u
#define SWP_FRAMECHANGED 0x0020u
#define SWP_SHOWWINDOW 0x0040u
#define SWP_HIDEWINDOW 0x0080u

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

#define GA_PARENT 1

#define WM_NULL 0x0000u
#define WM_CREATE 0x0001u
#define WM_DESTROY 0x0002u
#define WM_SETTEXT 0x000Cu
#define WM_GETTEXT 0x000Du
#define WM_GETTEXTLENGTH 0x000Eu
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_SETFONT 0x0030u
#define WM_GETFONT 0x0031u
#define WM_COMMAND 0x0111u
#define WM_SYSCOMMAND 0x0112u
#define WM_TIMER 0x0113u
#define WM_USER 0x0400u
#define BM_CLICK 0x00F5u
#define BN_CLICKED 0
#define SC_MOVE 0xF010u

#define MAKEWPARAM(l, h) \
  (static_cast<WPARAM>(static_cast<DWORD>((WORD)(l)) | (static_cast<DWORD>((WORD)(h)) << 16)))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD>(l) >> 16) & 0xFFFF))

// Classes: "BUTTON", "EDIT" and "STATIC" are built in (they keep their
// text and font; a button answers BM_CLICK with WM_COMMAND/BN_CLICKED to its
// parent). Registered classes get their window procedure called directly.
ZOR_WIN32_API ATOM WINAPI RegisterClassA(const WNDCLASSA* cls);
ZOR_WIN32_API BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE instance);
ZOR_WIN32_API HMODULE WINAPI GetModuleHandleA(LPCSTR name);
ZOR_WIN32_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR text, DWORD style,
                                          int x, int y, int width, int height, HWND parent,
                                          HMENU menuOrId, HINSTANCE instance, LPVOID param);
ZOR_WIN32_API BOOL WINAPI DestroyWindow(HWND w);
ZOR_WIN32_API BOOL WINAPI IsWindow(HWND w);
ZOR_WIN32_API BOOL WINAPI IsWindowVisible(HWND w);
ZOR_WIN32_API HWND WINAPI GetDesktopWindow(void);
ZOR_WIN32_API LONG WINAPI GetWindowLongA(HWND w, int index);
ZOR_WIN32_API LONG WINAPI SetWindowLongA(HWND w, int index, LONG value);
ZOR_WIN32_API BOOL WINAPI GetWindowRect(HWND w, LPRECT r);
ZOR_WIN32_API BOOL WINAPI GetClientRect(HWND w, LPRECT r);
ZOR_WIN32_API BOOL WINAPI ClientToScreen(HWND w, LPPOINT p);
ZOR_WIN32_API BOOL WINAPI ScreenToClient(HWND w, LPPOINT p);
ZOR_WIN32_API BOOL WINAPI SetWindowPos(HWND w, HWND after, int x, int y, int cx, int cy,
                                       UINT flags);
ZOR_WIN32_API BOOL WINAPI MoveWindow(HWND w, int x, int y, int cx, int cy, BOOL repaint);
ZOR_WIN32_API BOOL WINAPI ShowWindow(HWND w, int cmd);
ZOR_WIN32_API BOOL WINAPI IsIconic(HWND w);
ZOR_WIN32_API BOOL WINAPI IsZoomed(HWND w);
ZOR_WIN32_API HWND WINAPI SetParent(HWND child, HWND parent);
ZOR_WIN32_API HWND WINAPI GetParent(HWND w);
ZOR_WIN32_API HWND WINAPI GetAncestor(HWND w, UINT flags);
ZOR_WIN32_API int WINAPI GetWindowTextA(HWND w, LPSTR buf, int count);
ZOR_WIN32_API int WINAPI GetWindowTextLengthA(HWND w);
ZOR_WIN32_API BOOL WINAPI SetWindowTextA(HWND w, LPCSTR text);
ZOR_WIN32_API int WINAPI GetDlgCtrlID(HWND w);
ZOR_WIN32_API HWND WINAPI GetDlgItem(HWND dialog, int id);

// Messages: SendMessageA calls the window procedure at once; posted
// messages wait in the calling thread's queue until PeekMessageA takes them.
ZOR_WIN32_API LRESULT WINAPI SendMessageA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
ZOR_WIN32_API BOOL WINAPI PostMessageA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
ZOR_WIN32_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND w, UINT first, UINT last, UINT remove);
ZOR_WIN32_API BOOL WINAPI TranslateMessage(const MSG* msg);
ZOR_WIN32_API LRESULT WINAPI DispatchMessageA(const MSG* msg);
ZOR_WIN32_API LRESULT WINAPI DefWindowProcA(HWND w, UINT msg, WPARAM wp, LPARAM lp);
ZOR_WIN32_API BOOL WINAPI InvalidateRect(HWND w, const RECT* r, BOOL erase);
ZOR_WIN32_API BOOL WINAPI UpdateWindow(HWND w);

ZOR_WIN32_API HWND WINAPI GetForegroundWindow(void);
ZOR_WIN32_API BOOL WINAPI SetForegroundWindow(HWND w);
ZOR_WIN32_API BOOL WINAPI GetCursorPos(LPPOINT p);
ZOR_WIN32_API BOOL WINAPI SetCursorPos(int x, int y);
ZOR_WIN32_API HWND WINAPI SetCapture(HWND w);
ZOR_WIN32_API BOOL WINAPI ReleaseCapture(void);
ZOR_WIN32_API HWND WINAPI GetCapture(void);
ZOR_WIN32_API int WINAPI GetSystemMetrics(int index);
// Returns whether the caption was drawn active before the call.
ZOR_WIN32_API BOOL WINAPI FlashWindow(HWND w, BOOL invert);

// ---- stand-in bookkeeping (not Win32) ----
// The last WM_SYSCOMMAND any window received (window 0 when none).
struct ZorStandinSysCommand {
  HWND window;
  WPARAM wParam;
  LPARAM lParam;
  int count;
};
ZOR_WIN32_API const ZorStandinSysCommand* ZorStandinLastSysCommand(void);
// Calls of InvalidateRect with no window, and the last rectangle given.
struct ZorStandinInvalidation {
  HWND window;
  bool whole;  // no rectangle
  RECT rect;
  BOOL erase;
  int count;
};
ZOR_WIN32_API const ZorStandinInvalidation* ZorStandinLastInvalidation(void);
// Whether FlashWindow last left the window's caption inverted, and how
// often it was called for the window.
ZOR_WIN32_API int ZorStandinFlashCount(HWND w, BOOL* inverted);
