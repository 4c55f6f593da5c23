// ole32 and shell32: COM start-up and the shell link object.
//
// The interfaces are C++ abstract classes, as the Windows headers declare
// them for C++: one pointer to a table of functions in declaration order, so
// callers write link->SetPath(...) in both builds.
#pragma once

typedef LONG HRESULT;
typedef std::uint32_t ULONG;
typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define S_OK static_cast<HRESULT>(0)
#define S_FALSE static_cast<HRESULT>(1)
#define E_NOTIMPL static_cast<HRESULT>(0x80004001u)
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002u)
#define E_POINTER static_cast<HRESULT>(0x80004003u)
#define E_FAIL static_cast<HRESULT>(0x80004005u)
#define E_OUTOFMEMORY static_cast<HRESULT>(0x8007000Eu)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057u)
#define CLASS_E_NOAGGREGATION static_cast<HRESULT>(0x80040110u)
#define REGDB_E_CLASSNOTREG static_cast<HRESULT>(0x80040154u)
#define CO_E_NOTINITIALIZED static_cast<HRESULT>(0x800401F0u)
// HRESULT_FROM_WIN32 of ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND and
// ERROR_ACCESS_DENIED.
#define ZOR_HR_FILE_NOT_FOUND static_cast<HRESULT>(0x80070002u)
#define ZOR_HR_PATH_NOT_FOUND static_cast<HRESULT>(0x80070003u)
#define ZOR_HR_ACCESS_DENIED static_cast<HRESULT>(0x80070005u)

#define CLSCTX_INPROC_SERVER 0x1u
#define CLSCTX_INPROC_HANDLER 0x2u
#define STGM_READ 0x00000000u
#define MAX_PATH 260

#define HOTKEYF_SHIFT 0x01
#define HOTKEYF_CONTROL 0x02
#define HOTKEYF_ALT 0x04

#ifndef ZOR_STANDIN_FILETIME
#define ZOR_STANDIN_FILETIME
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
#endif

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};

struct ITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;

struct IUnknown {
  virtual HRESULT WINAPI QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG WINAPI AddRef() = 0;
  virtual ULONG WINAPI Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

struct IShellLinkA : public IUnknown {
  virtual HRESULT WINAPI GetPath(LPSTR file, int cch, WIN32_FIND_DATAA* fd, DWORD flags) = 0;
  virtual HRESULT WINAPI GetIDList(PIDLIST_ABSOLUTE* pidl) = 0;
  virtual HRESULT WINAPI SetIDList(PCIDLIST_ABSOLUTE pidl) = 0;
  virtual HRESULT WINAPI GetDescription(LPSTR name, int cch) = 0;
  virtual HRESULT WINAPI SetDescription(LPCSTR name) = 0;
  virtual HRESULT WINAPI GetWorkingDirectory(LPSTR dir, int cch) = 0;
  virtual HRESULT WINAPI SetWorkingDirectory(LPCSTR dir) = 0;
  virtual HRESULT WINAPI GetArguments(LPSTR args, int cch) = 0;
  virtual HRESULT WINAPI SetArguments(LPCSTR args) = 0;
  virtual HRESULT WINAPI GetHotkey(WORD* hotkey) = 0;
  virtual HRESULT WINAPI SetHotkey(WORD hotkey) = 0;
  virtual HRESULT WINAPI GetShowCmd(int* showCmd) = 0;
  virtual HRESULT WINAPI SetShowCmd(int showCmd) = 0;
  virtual HRESULT WINAPI GetIconLocation(LPSTR iconPath, int cch, int* icon) = 0;
  virtual HRESULT WINAPI SetIconLocation(LPCSTR iconPath, int icon) = 0;
  virtual HRESULT WINAPI SetRelativePath(LPCSTR pathRel, DWORD reserved) = 0;
  virtual HRESULT WINAPI Resolve(HWND hwnd, DWORD flags) = 0;
  virtual HRESULT WINAPI SetPath(LPCSTR file) = 0;
};

struct IPersist : public IUnknown {
  virtual HRESULT WINAPI GetClassID(CLSID* classId) = 0;
};

struct IPersistFile : public IPersist {
  virtual HRESULT WINAPI IsDirty() = 0;
  virtual HRESULT WINAPI Load(LPCOLESTR fileName, DWORD mode) = 0;
  virtual HRESULT WINAPI Save(LPCOLESTR fileName, BOOL remember) = 0;
  virtual HRESULT WINAPI SaveCompleted(LPCOLESTR fileName) = 0;
  virtual HRESULT WINAPI GetCurFile(LPOLESTR* fileName) = 0;
};

// S_OK for the thread's first initialisation, S_FALSE for a nested one;
// every successful call needs its CoUninitialize.
ZOR_WIN32_API HRESULT WINAPI CoInitialize(LPVOID reserved);
ZOR_WIN32_API void WINAPI CoUninitialize(void);
// Knows one class, CLSID_ShellLink, with the interfaces IUnknown,
// IShellLinkA, IPersist and IPersistFile. CO_E_NOTINITIALIZED before
// CoInitialize, REGDB_E_CLASSNOTREG for another class, CLASS_E_NOAGGREGATION
// with an outer object, E_NOINTERFACE for another interface.
ZOR_WIN32_API HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context,
                                              REFIID iid, LPVOID* object);
ZOR_WIN32_API LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes);
ZOR_WIN32_API void WINAPI CoTaskMemFree(LPVOID block);

// ---- stand-in bookkeeping (not Win32) ----
// Depth of CoInitialize calls not yet undone, and COM objects still alive
// (each live object also counts in ZorStandinOpenHandles).
ZOR_WIN32_API long ZorStandinComInitDepth(void);
ZOR_WIN32_API long ZorStandinLiveComObjects(void);
