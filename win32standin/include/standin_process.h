// kernel32: the command line, the temporary and current directories,
// directories, environment variables.
#pragma once

#define MAX_PATH 260
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_DIR_NOT_EMPTY 145u
#define ERROR_ALREADY_EXISTS 183u
#define ERROR_ENVVAR_NOT_FOUND 203u
#define ERROR_DIRECTORY 267u

// The line the process was started with: its arguments joined by single
// spaces, those holding a space in double quotes, unless a test set one.
ZOR_WIN32_API LPSTR WINAPI GetCommandLineA(void);
// The two size rules of these calls: the length written without the
// terminator, or, when `size` is too small, the size needed with it
// (nothing written). The temporary directory ends in a separator; TMPDIR
// or /tmp.
ZOR_WIN32_API DWORD WINAPI GetTempPathA(DWORD size, LPSTR buffer);
ZOR_WIN32_API DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
// Failures set ERROR_FILE_NOT_FOUND (the last part is missing),
// ERROR_PATH_NOT_FOUND (a folder above it is), ERROR_DIR_NOT_EMPTY,
// ERROR_ALREADY_EXISTS, ERROR_DIRECTORY (not a directory) or
// ERROR_ACCESS_DENIED.
ZOR_WIN32_API BOOL WINAPI SetCurrentDirectoryA(LPCSTR path);
ZOR_WIN32_API BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES sa);
ZOR_WIN32_API BOOL WINAPI RemoveDirectoryA(LPCSTR path);
// Replaces each %NAME% of a defined variable (names compare without
// case) by its value; other '%' stay as they are. Returns the size of the
// expansion with its terminator, also when it is more than `size` (then
// nothing is written).
ZOR_WIN32_API DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size);
// A null value removes the variable.
ZOR_WIN32_API BOOL WINAPI SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
// The length written, or the size needed with the terminator when `size`
// is too small; 0 with ERROR_ENVVAR_NOT_FOUND when it is not defined.
ZOR_WIN32_API DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);

// ---- stand-in bookkeeping (not Win32): the line GetCommandLineA returns
// from now on; null goes back to the process's own. ----
ZOR_WIN32_API void ZorStandinSetCommandLine(const char* line);
