// Linux stand-in for the subset of Win32 that the library calls. It follows
// the documented behaviour of each call (return values, failure cases), and
// is exercised by the same tests that run against the real platform under
// Wine. Handles are small integers so that they fit the host records'
// 32-bit fields.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define TRUE 1
#define FALSE 0

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t UINT;
typedef std::int32_t INT;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::size_t SIZE_T;
typedef DWORD LCID;
typedef char CHAR;
typedef wchar_t WCHAR_UNUSED;
typedef std::uint16_t WCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef BYTE* LPBYTE;

typedef void* HANDLE;
typedef HANDLE HINSTANCE;
typedef HANDLE HMODULE;
typedef HANDLE HWND;
typedef HANDLE HDC;
typedef HANDLE HGDIOBJ;
typedef HANDLE HBITMAP;
typedef HANDLE HPALETTE;
typedef HANDLE HGLOBAL;
typedef HANDLE HFONT;
typedef HANDLE HMENU;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))

// Everything the stand-in defines lives in one shared library, so the
// library under test and the tests observe the same state.
#define ZOR_WIN32_API extern "C" __attribute__((visibility("default")))

#include "win32standin_api.h"

// One header per group of calls.
#include "standin_clipboard.h"
#include "standin_comdlg.h"
#include "standin_dialogs.h"
#include "standin_files.h"
#include "standin_gdi.h"
#include "standin_imm.h"
#include "standin_locale.h"
#include "standin_memory.h"
#include "standin_menus.h"
#include "standin_process.h"
#include "standin_registry.h"
#include "standin_shell.h"
#include "standin_sound.h"
#include "standin_version.h"
#include "standin_windows.h"
