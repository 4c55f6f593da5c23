#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/ui.h"

namespace zt {

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
  return name;
}

std::string FileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

#if defined(_WIN32)
std::string RunSelf(const char* variable, std::string line) {
  const char* out = "zt_child_output.txt";
  std::remove(out);
  SetEnvironmentVariableA(variable, out);
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  if (line.empty()) line = std::string("\"") + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string result = "<child did not start>";
  if (CreateProcessA(exe, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    result = "<child timed out>";
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) result = FileText(out);
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  SetEnvironmentVariableA(variable, nullptr);
  std::remove(out);
  return result;
}
#endif

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
