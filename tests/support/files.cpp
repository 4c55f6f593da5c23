#include <windows.h>

#include <cstdio>
#include <fstream>

#include "support/zortest.h"

namespace zt {

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return name;
}

long OpenHandleCount() {
#if defined(_WIN32)
  // Wine does not keep this count; -1 tells the tests to skip the check.
  DWORD n = 0;
  if (!GetProcessHandleCount(GetCurrentProcess(), &n) || n == 0) return -1;
  return static_cast<long>(n);
#else
  return ZorStandinOpenHandles();
#endif
}

}  // namespace zt
