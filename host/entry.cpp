// The library's entry function: succeeds for every notification. All state
// is plain module-level data, so there is nothing to set up or tear down.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif
