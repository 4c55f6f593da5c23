// Memory below 4 GiB, so that its address fits a host record's 32-bit field.
// Kept apart from the export loader so benchmarks and fuzz targets can build
// host screens too.
#include <cstdlib>

#include "support/zortest.h"

#if defined(_WIN32)
#include <windows.h>

void* zt::LowAlloc(std::size_t bytes) {
  void* p = VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (p == nullptr) std::abort();
  return p;
}

void zt::LowFree(void* p, std::size_t) { VirtualFree(p, 0, MEM_RELEASE); }

#else
#include <sys/mman.h>

void* zt::LowAlloc(std::size_t bytes) {
  void* p = mmap(nullptr, bytes ? bytes : 1, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (p == MAP_FAILED) std::abort();
  return p;
}

void zt::LowFree(void* p, std::size_t bytes) { munmap(p, bytes ? bytes : 1); }
#endif
