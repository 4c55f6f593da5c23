// Loads the library once and resolves its exports the way the host does.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/zortest.h"

#if defined(_WIN32)
#include <windows.h>

namespace {
const char* const kLibrary = "zorextss.dll";
void* Open() { return reinterpret_cast<void*>(LoadLibraryA(kLibrary)); }
// Exports carry their stdcall decoration: _Name@16.
void* Find(void* h, const std::string& name) {
  return reinterpret_cast<void*>(
      GetProcAddress(static_cast<HMODULE>(h), ("_" + name + "@16").c_str()));
}
}  // namespace

#else
#include <dlfcn.h>

namespace {
const char* const kLibrary = ZOR_LIBRARY_PATH;
void* Open() { return dlopen(kLibrary, RTLD_NOW | RTLD_GLOBAL); }
void* Find(void* h, const std::string& name) { return dlsym(h, name.c_str()); }
}  // namespace
#endif

void* zt::ResolveExport(const char* name) {
  static void* const library = Open();
  void* p = library == nullptr ? nullptr : Find(library, name);
  if (p == nullptr) {
    std::fprintf(stderr, "cannot load %s or find its export %s\n", kLibrary, name);
    std::exit(2);
  }
  return p;
}
