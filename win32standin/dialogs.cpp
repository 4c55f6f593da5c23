// user32 message boxes: recorded, answered by the test's answerer.
#include <windows.h>

#include <cstring>

namespace {

ZorStandinMessageBox g_last{};
ZorStandinMessageBoxAnswerer g_answerer = nullptr;
void* g_context = nullptr;

void CopyCut(char* dst, std::size_t room, const char* src) {
  if (src == nullptr) src = "";
  std::size_t n = std::strlen(src);
  if (n >= room) n = room - 1;
  std::memcpy(dst, src, n);
  dst[n] = 0;
}

}  // namespace

ZOR_WIN32_API int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner != nullptr && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  g_last.owner = owner;
  CopyCut(g_last.text, sizeof g_last.text, text);
  CopyCut(g_last.caption, sizeof g_last.caption, caption == nullptr ? "Error" : caption);
  g_last.type = type;
  ++g_last.count;
  return g_answerer != nullptr ? g_answerer(&g_last, g_context) : IDOK;
}

ZOR_WIN32_API const ZorStandinMessageBox* ZorStandinLastMessageBox(void) { return &g_last; }

ZOR_WIN32_API void ZorStandinSetMessageBoxAnswerer(ZorStandinMessageBoxAnswerer answerer,
                                                   void* context) {
  g_answerer = answerer;
  g_context = context;
}
