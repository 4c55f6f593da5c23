// kernel32: files.
#pragma once

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_INVALID_HANDLE 6u
#define ERROR_SHARING_VIOLATION 32u

typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
typedef struct _OVERLAPPED* LPOVERLAPPED;

// Opens a file by its path (a Linux path here). With share mode 0 a second
// open of the same file fails with ERROR_SHARING_VIOLATION while the first
// handle is open, as on Windows.
ZOR_WIN32_API HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share,
                                        LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                                        DWORD flags, HANDLE templ);
ZOR_WIN32_API BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                                   LPOVERLAPPED overlapped);
ZOR_WIN32_API BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite,
                                    LPDWORD written, LPOVERLAPPED overlapped);
ZOR_WIN32_API DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high);
// Closes file handles; other stand-in kernel objects register their own
// closers through the handle table.
ZOR_WIN32_API BOOL WINAPI CloseHandle(HANDLE h);
