#include "window/screen_capture.h"

namespace zor {

std::int32_t CaptureScreen(HspScreen* screen, const RECT& source, const RECT& invalidate,
                           const CaptureRequest& request) {
  HDC desktop = GetDC(nullptr);
  if (request.desktopOnly) {
    PaintDesktop(desktop);
  } else {
    InvalidateRect(nullptr, &invalidate, TRUE);
  }
  HDC dc = HostHandle<HDC>(screen->memoryDc);
  if (request.stretch) {
    // An empty source (no foreground window, or one of no size) has nothing
    // to scale; Wine's StretchBlt divides by its size and faults.
    if (source.right > source.left && source.bottom > source.top)
      StretchBlt(dc, 0, 0, screen->width, screen->height, desktop, source.left, source.top,
                 source.right - source.left, source.bottom - source.top, SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, screen->width, screen->height, desktop, source.left, source.top, SRCCOPY);
  }
  ReleaseDC(nullptr, desktop);
  if (request.desktopOnly) {
    // Every window draws itself again over the painted desktop.
    RECT whole{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    InvalidateRect(nullptr, &whole, TRUE);
  }
  switch (request.query) {
    case 1:
      return -screen->width;
    case 2:
      return -screen->height;
    case 3:
      return -(source.right - source.left);
    case 4:
      return -(source.bottom - source.top);
    default:
      return 0;
  }
}

}  // namespace zor
