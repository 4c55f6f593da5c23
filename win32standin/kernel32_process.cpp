// kernel32 process facts over POSIX: command line, directories, environment.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

extern char** environ;

namespace {

// A Windows process always has USERPROFILE, which the shell folder values
// refer to; here it is the home folder.
struct UserProfile {
  UserProfile() {
    const char* home = std::getenv("HOME");
    setenv("USERPROFILE", home != nullptr && home[0] != 0 ? home : "/tmp", 0);
  }
} g_userProfile;

std::string g_setLine;
bool g_lineSet = false;

std::string OwnCommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string line;
  std::size_t start = 0;
  while (start < raw.size()) {
    std::size_t end = raw.find('\0', start);
    if (end == std::string::npos) end = raw.size();
    std::string arg = raw.substr(start, end - start);
    if (!line.empty()) line += ' ';
    line += arg.find(' ') != std::string::npos || arg.empty() ? '"' + arg + '"' : arg;
    start = end + 1;
  }
  return line;
}

// Copies text and its terminator when they fit in size; the platform's
// size rule either way.
DWORD SizeRule(const std::string& text, DWORD size, LPSTR buffer) {
  if (text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

// Parent folder exists: a missing last part is ERROR_FILE_NOT_FOUND, a
// missing folder above it ERROR_PATH_NOT_FOUND.
DWORD MissingError(const char* path) {
  std::string p(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t slash = p.rfind('/');
  std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : p.substr(0, slash);
  struct stat st {};
  return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND
                                                               : ERROR_PATH_NOT_FOUND;
}

DWORD DirectoryError(int e, const char* path) {
  switch (e) {
    case ENOENT:
      return MissingError(path);
    case ENOTDIR:
      return ERROR_DIRECTORY;
    case ENOTEMPTY:
    case EEXIST:
      return e == EEXIST ? ERROR_ALREADY_EXISTS : ERROR_DIR_NOT_EMPTY;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

BOOL Fail(DWORD code) {
  SetLastError(code);
  return FALSE;
}

// The value of a variable whose name compares equal without case.
const char* FindVariable(const char* name, std::size_t n) {
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq != nullptr && static_cast<std::size_t>(eq - *e) == n && n > 0 &&
        strncasecmp(*e, name, n) == 0)
      return eq + 1;
  }
  return nullptr;
}

std::string ExactName(const char* name) {
  std::size_t n = std::strlen(name);
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq != nullptr && static_cast<std::size_t>(eq - *e) == n && strncasecmp(*e, name, n) == 0)
      return std::string(*e, n);
  }
  return name;
}

}  // namespace

ZOR_WIN32_API LPSTR WINAPI GetCommandLineA(void) {
  static std::string own = OwnCommandLine();
  return const_cast<LPSTR>(g_lineSet ? g_setLine.c_str() : own.c_str());
}

ZOR_WIN32_API void ZorStandinSetCommandLine(const char* line) {
  g_lineSet = line != nullptr;
  g_setLine = line != nullptr ? line : "";
}

ZOR_WIN32_API DWORD WINAPI GetTempPathA(DWORD size, LPSTR buffer) {
  const char* dir = std::getenv("TMPDIR");
  std::string path = dir != nullptr && dir[0] != 0 ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return SizeRule(path, size, buffer);
}

ZOR_WIN32_API DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) == nullptr) return Fail(ERROR_ACCESS_DENIED);
  return SizeRule(cwd, size, buffer);
}

ZOR_WIN32_API BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
  if (path == nullptr || path[0] == 0) return Fail(ERROR_INVALID_PARAMETER);
  return chdir(path) == 0 ? TRUE : Fail(DirectoryError(errno, path));
}

ZOR_WIN32_API BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES) {
  if (path == nullptr || path[0] == 0) return Fail(ERROR_PATH_NOT_FOUND);
  if (mkdir(path, 0755) == 0) return TRUE;
  return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : DirectoryError(errno, path));
}

ZOR_WIN32_API BOOL WINAPI RemoveDirectoryA(LPCSTR path) {
  if (path == nullptr || path[0] == 0) return Fail(ERROR_PATH_NOT_FOUND);
  return rmdir(path) == 0 ? TRUE : Fail(DirectoryError(errno, path));
}

ZOR_WIN32_API DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size) {
  std::string out;
  for (const char* p = source; *p != 0;) {
    const char* close = *p == '%' ? std::strchr(p + 1, '%') : nullptr;
    const char* value = close != nullptr ? FindVariable(p + 1, close - p - 1) : nullptr;
    if (value != nullptr) {
      out += value;
      p = close + 1;
    } else if (close != nullptr) {
      // Not a defined name: the first '%' stays, the second may open one.
      out.append(p, close);
      p = close;
    } else {
      out += *p++;
    }
  }
  if (out.size() + 1 <= size) std::memcpy(destination, out.c_str(), out.size() + 1);
  return static_cast<DWORD>(out.size() + 1);
}

ZOR_WIN32_API BOOL WINAPI SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
  if (name == nullptr || name[0] == 0 || std::strchr(name, '=') != nullptr)
    return Fail(ERROR_INVALID_PARAMETER);
  std::string exact = ExactName(name);
  if (value == nullptr) {
    unsetenv(exact.c_str());
    return TRUE;
  }
  return setenv(exact.c_str(), value, 1) == 0 ? TRUE : Fail(ERROR_INVALID_PARAMETER);
}

ZOR_WIN32_API DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = FindVariable(name, std::strlen(name));
  if (value == nullptr) return Fail(ERROR_ENVVAR_NOT_FOUND);
  return SizeRule(value, size, buffer);
}
