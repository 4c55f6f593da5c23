// advapi32: the registry, HKEY_CURRENT_USER only, kept in memory. A fresh
// stand-in holds the Explorer shell folder keys as a new user profile does.
#pragma once

typedef HANDLE HKEY;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;

#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define ERROR_SUCCESS 0L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_KEY_DELETED 1018L
#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu
#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_OPTION_NON_VOLATILE 0u
#define REG_CREATED_NEW_KEY 1u
#define REG_OPENED_EXISTING_KEY 2u

// A null or empty subkey under HKEY_CURRENT_USER gives HKEY_CURRENT_USER
// itself; any other key opened is a new handle that RegCloseKey releases.
// Names compare without case. Missing keys: ERROR_FILE_NOT_FOUND.
ZOR_WIN32_API LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subkey, DWORD options, REGSAM access,
                                        PHKEY result);
// Creates the key and any missing keys above it.
ZOR_WIN32_API LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subkey, DWORD reserved, LPSTR keyClass,
                                          DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES sa,
                                          PHKEY result, LPDWORD disposition);
ZOR_WIN32_API LONG WINAPI RegCloseKey(HKEY key);
// Fails with ERROR_ACCESS_DENIED while the key has subkeys.
ZOR_WIN32_API LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subkey);
ZOR_WIN32_API LONG WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                         const BYTE* data, DWORD size);
// With data null only the type and size are told. A value larger than
// *size: ERROR_MORE_DATA with the size needed in *size; a missing value:
// ERROR_FILE_NOT_FOUND. The bytes are the stored ones, as set.
ZOR_WIN32_API LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                                           LPBYTE data, LPDWORD size);
ZOR_WIN32_API LONG WINAPI RegDeleteValueA(HKEY key, LPCSTR name);
// Values in the order they were first set; ERROR_NO_MORE_ITEMS past the
// last.
ZOR_WIN32_API LONG WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize,
                                        LPDWORD reserved, LPDWORD type, LPBYTE data,
                                        LPDWORD dataSize);
