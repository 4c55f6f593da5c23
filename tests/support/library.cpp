#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/zortest.h"

#if defined(_WIN32)
#include <windows.h>

namespace {
HMODULE Library() {
  static HMODULE h = LoadLibraryA("zorextss.dll");
  if (h == nullptr) {
    std::fprintf(stderr, "cannot load zorextss.dll (error %lu)\n", GetLastError());
    std::exit(2);
  }
  return h;
}
}  // namespace

void* zt::ResolveExport(const char* name) {
  std::string decorated = std::string("_") + name + "@16";
  void* p = reinterpret_cast<void*>(GetProcAddress(Library(), decorated.c_str()));
  if (p == nullptr) {
    std::fprintf(stderr, "zorextss.dll does not export %s\n", decorated.c_str());
    std::exit(2);
  }
  return p;
}

void* zt::LowAlloc(std::size_t bytes) {
  void* p = VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (p == nullptr) std::abort();
  return p;
}

void zt::LowFree(void* p, std::size_t) { VirtualFree(p, 0, MEM_RELEASE); }

#else
#include <dlfcn.h>
#include <sys/mman.h>

namespace {
void* Library() {
  static void* h = dlopen(ZOR_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL);
  if (h == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", ZOR_LIBRARY_PATH, dlerror());
    std::exit(2);
  }
  return h;
}
}  // namespace

void* zt::ResolveExport(const char* name) {
  void* p = dlsym(Library(), name);
  if (p == nullptr) {
    std::fprintf(stderr, "libzorextss.so does not export %s\n", name);
    std::exit(2);
  }
  return p;
}

void* zt::LowAlloc(std::size_t bytes) {
  void* p = mmap(nullptr, bytes ? bytes : 1, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (p == MAP_FAILED) std::abort();
  return p;
}

void zt::LowFree(void* p, std::size_t bytes) { munmap(p, bytes ? bytes : 1); }
#endif
