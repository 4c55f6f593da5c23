// comdlg32: the open and save dialogs.
#pragma once

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

// The record in the field order of Windows; without the fields Windows
// 2000 added, so sizeof is the size the dialogs accept (76 on Win32).
typedef struct tagOFNA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
} OPENFILENAMEA, *LPOPENFILENAMEA;

#define OFN_READONLY 0x1u
#define OFN_OVERWRITEPROMPT 0x2u
#define OFN_HIDEREADONLY 0x4u
#define OFN_NOCHANGEDIR 0x8u
#define OFN_PATHMUSTEXIST 0x800u
#define OFN_FILEMUSTEXIST 0x1000u
#define OFN_CREATEPROMPT 0x2000u
#define OFN_NOREADONLYRETURN 0x8000u
#define OFN_NONETWORKBUTTON 0x20000u
#define CDERR_STRUCTSIZE 0x0001u
#define FNERR_INVALIDFILENAME 0x3002u
#define FNERR_BUFFERTOOSMALL 0x3003u

// Each shows its dialog to the answerer the test installed (none: the user
// cancels) and applies the record's rules to the name typed: the default
// extension (its first three characters) when the name has none; with
// OFN_PATHMUSTEXIST or OFN_FILEMUSTEXIST a missing folder, with
// OFN_FILEMUSTEXIST a missing file, with OFN_NOREADONLYRETURN a read-only
// file are told and the dialog asks again; OFN_CREATEPROMPT for a missing
// file and (save only) OFN_OVERWRITEPROMPT for an existing one ask, and a
// no asks again. A path longer than nMaxFile - 1: FALSE with
// FNERR_BUFFERTOOSMALL and the size needed in the buffer's first two
// bytes. Initial text holding < > | or a double quote: FALSE with
// FNERR_INVALIDFILENAME, no dialog. On success lpstrFile holds the full
// path and, unless OFN_NOCHANGEDIR, its folder becomes the current one.
ZOR_WIN32_API BOOL APIENTRY GetOpenFileNameA(LPOPENFILENAMEA record);
ZOR_WIN32_API BOOL APIENTRY GetSaveFileNameA(LPOPENFILENAMEA record);
// The reason the last dialog call failed; 0 after a cancel.
ZOR_WIN32_API DWORD APIENTRY CommDlgExtendedError(void);

// ---- stand-in bookkeeping (not Win32): the test's stand-in for the user. ----
enum ZorStandinFileDialogStep {
  kZorFileDialog = 0,         // the dialog itself: type a name into `typed` and
                              // return 1 for OK, or return 0 to cancel
  kZorFileOverwritePrompt,    // `path` exists: 1 replaces it, 0 asks again
  kZorFileCreatePrompt,       // `path` does not exist: 1 creates, 0 asks again
  kZorFileMissingNotice,      // `path` does not exist (told; the dialog asks again)
  kZorFilePathMissingNotice,  // the folder of `path` does not exist
  kZorFileReadOnlyNotice,     // `path` is read-only
};
struct ZorStandinFileDialog {
  int step;  // ZorStandinFileDialogStep
  int save;  // 1 for GetSaveFileNameA
  const OPENFILENAMEA* record;
  const char* path;  // the full path a prompt or notice is about
  char typed[1024];  // kZorFileDialog: the name the user types
};
typedef int (*ZorStandinFileDialogAnswerer)(ZorStandinFileDialog* dialog, void* context);
// Null removes the answerer. A dialog asks again at most 16 times, then the
// user cancels.
ZOR_WIN32_API void ZorStandinSetFileDialogAnswerer(ZorStandinFileDialogAnswerer answerer,
                                                   void* context);
