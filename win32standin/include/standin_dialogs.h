// user32: message boxes.
#pragma once

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR 0x00000010u
#define MB_ICONSTOP 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION 0x00000040u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// A message box is recorded and answered by the test-installed answerer,
// or with IDOK when none is installed. An owner that is not a window makes
// the call fail with 0 (ERROR_INVALID_WINDOW_HANDLE), as on Windows.
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
// Answers every following message box (the button's IDxxx); null restores
// the IDOK answer.
typedef int (*ZorStandinMessageBoxAnswerer)(const ZorStandinMessageBox* box, void* context);
ZOR_WIN32_API void ZorStandinSetMessageBoxAnswerer(ZorStandinMessageBoxAnswerer answerer,
                                                   void* context);
