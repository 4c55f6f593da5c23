// Test entry point for both builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>

// GoogleTest reports failures through OutputDebugStringA as well; under Wine
// that call raises a debugger exception which ends the process. The test
// programs bind the import to a no-op instead.
extern "C" void __stdcall ZtNoDebugString(const char*) {}
extern "C" void(__stdcall* const ZtOutputDebugStringA)(const char*) __asm__(
    "__imp__OutputDebugStringA@4") = ZtNoDebugString;
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
#if defined(_WIN32)
  // Under emulation Wine's server may kill the process while it exits, after
  // the result is known; scripts/wine-run.sh then takes the result from here.
  if (const char* path = std::getenv("ZT_RESULT_FILE")) {
    if (std::FILE* f = std::fopen(path, "wb")) {
      std::fprintf(f, "%d\n", result);
      std::fclose(f);
    }
  }
#endif
  return result;
}
