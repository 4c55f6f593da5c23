// user32: message boxes.
#pragma once

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_YESNO 0x00000004u
#define MB_ICONERROR 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONWARNING 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define IDOK 1
#define IDCANCEL 2

// Nobody answers a stand-in message box: it is recorded and answered IDOK
// at once.
ZOR_WIN32_API int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---- stand-in bookkeeping (not Win32): the last message box shown. ----
struct ZorStandinMessageBox {
  HWND owner;
  char text[1024];
  char caption[256];
  UINT type;
  int count;  // message boxes shown so far
};
ZOR_WIN32_API const ZorStandinMessageBox* ZorStandinLastMessageBox(void);
