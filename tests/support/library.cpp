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
// Exports carry their stdcall decoration: _Name@16, _hsp3cmdinit@4.
void* Find(void* h, const std::string& name, int argBytes) {
  const std::string decorated = "_" + name + "@" + std::to_string(argBytes);
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(h), decorated.c_str()));
}
}  // namespace

#else
#include <dlfcn.h>

namespace {
const char* const kLibrary = ZOR_LIBRARY_PATH;
void* Open() { return dlopen(kLibrary, RTLD_NOW | RTLD_GLOBAL); }
void* Find(void* h, const std::string& name, int) { return dlsym(h, name.c_str()); }
}  // namespace
#endif

void* zt::ResolveExport(const char* name, int argBytes) {
  static void* const library = Open();
  void* p = library == nullptr ? nullptr : Find(library, name, argBytes);
  if (p == nullptr) {
    std::fprintf(stderr, "cannot load %s or find its export %s\n", kLibrary, name);
    std::exit(2);
  }
  return p;
}
