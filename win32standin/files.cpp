// kernel32 files over POSIX descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include <windows.h>

#include "handles.h"

namespace {

struct OpenFile {
  int fd;
  dev_t dev;
  ino_t ino;
  DWORD share;
};

// Handles 0x1000, 0x1004, ... : file handles; small, so they fit 32 bits.
std::map<std::uintptr_t, OpenFile>& Files() {
  static std::map<std::uintptr_t, OpenFile> files;
  return files;
}
std::uintptr_t g_nextFile = 0x1000;

OpenFile* Find(HANDLE h) {
  auto it = Files().find(reinterpret_cast<std::uintptr_t>(h));
  return it == Files().end() ? nullptr : &it->second;
}

DWORD ErrnoToWin32(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EISDIR:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    default:
      return 31;  // ERROR_GEN_FAILURE
  }
}

}  // namespace

ZOR_WIN32_API HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share,
                                        LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                                        HANDLE) {
  int flags = 0;
  if ((access & GENERIC_READ) && (access & GENERIC_WRITE)) {
    flags = O_RDWR;
  } else if (access & GENERIC_WRITE) {
    flags = O_WRONLY;
  } else {
    flags = O_RDONLY;
  }
  switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    default: break;
  }
  if (name == nullptr || name[0] == 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  struct stat st {};
  if (stat(name, &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    // Sharing: an open handle that shares nothing, or a new open that shares
    // nothing while another handle is open, is refused.
    for (auto& [h, f] : Files()) {
      if (f.dev == st.st_dev && f.ino == st.st_ino && (f.share == 0 || share == 0)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
      }
    }
  }
  int fd = open(name, flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    SetLastError(ErrnoToWin32(errno));
    return INVALID_HANDLE_VALUE;
  }
  fstat(fd, &st);
  std::uintptr_t h = g_nextFile;
  g_nextFile += 4;
  Files()[h] = OpenFile{fd, st.st_dev, st.st_ino, share};
  ++zorw::LiveHandles();
  SetLastError(0);
  return reinterpret_cast<HANDLE>(h);
}

ZOR_WIN32_API BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                                   LPOVERLAPPED) {
  if (read != nullptr) *read = 0;
  OpenFile* f = Find(file);
  if (f == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD total = 0;
  while (total < toRead) {
    ssize_t n = ::read(f->fd, static_cast<char*>(buffer) + total, toRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ErrnoToWin32(errno));
      return FALSE;
    }
    if (n == 0) break;  // end of file: success with a short count
    total += static_cast<DWORD>(n);
  }
  if (read != nullptr) *read = total;
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
                                    LPOVERLAPPED) {
  if (written != nullptr) *written = 0;
  OpenFile* f = Find(file);
  if (f == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t n = ::write(f->fd, static_cast<const char*>(buffer) + total, toWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetLastError(ErrnoToWin32(errno));
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  if (written != nullptr) *written = total;
  return TRUE;
}

ZOR_WIN32_API DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high) {
  OpenFile* f = Find(file);
  struct stat st {};
  if (f == nullptr || fstat(f->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_FILE_SIZE;
  }
  std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
  if (high != nullptr) *high = static_cast<DWORD>(size >> 32);
  return static_cast<DWORD>(size);
}

ZOR_WIN32_API BOOL WINAPI CloseHandle(HANDLE h) {
  auto it = Files().find(reinterpret_cast<std::uintptr_t>(h));
  if (it == Files().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  close(it->second.fd);
  Files().erase(it);
  --zorw::LiveHandles();
  return TRUE;
}
