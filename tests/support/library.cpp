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

#else
#include <dlfcn.h>

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

#endif
