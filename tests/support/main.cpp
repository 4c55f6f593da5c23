// Test entry point for both builds.
#include <gtest/gtest.h>

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
  return RUN_ALL_TESTS();
}
