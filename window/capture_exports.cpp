// The foreground window's size, and copies of the screen under it or of
// the whole desktop into the script's screen.
#include <windows.h>

#include "host/capacity.h"
#include "host/export.h"
#include "window/screen_capture.h"

using namespace zor;

namespace {

RECT ForegroundRect() {
  RECT r{0, 0, 0, 0};  // no foreground window: an empty rectangle
  HWND fore = GetForegroundWindow();
  if (fore != nullptr && !GetWindowRect(fore, &r)) r = RECT{0, 0, 0, 0};
  return r;
}

RECT WholeScreen() {
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

ZOR_EXPORT GetForeWinSize(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return -1;
  if (var->lengths[1] < 4) return -2;
  RECT r = ForegroundRect();
  VarInts(*var)[0] = r.right - r.left;
  VarInts(*var)[1] = r.bottom - r.top;
  return 0;
}

ZOR_EXPORT PaintForeWinImage(HspScreen* screen, std::int32_t stretch, std::int32_t query,
                             std::int32_t desktopOnly) {
  RECT r = ForegroundRect();
  return CaptureScreen(screen, r, r, {stretch != 0, desktopOnly != 0, query});
}

ZOR_EXPORT PaintDesktopImage(HspScreen* screen, std::int32_t stretch, std::int32_t query,
                             std::int32_t desktopOnly) {
  RECT r = WholeScreen();
  return CaptureScreen(screen, r, r, {stretch != 0, desktopOnly != 0, query});
}
