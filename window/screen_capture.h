// Copies of the screen into the host screen's buffer: the area under a
// window rectangle, or the whole screen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/host_records.h"

namespace zor {

struct CaptureRequest {
  bool stretch;      // scale the source rectangle to the buffer
  bool desktopOnly;  // paint the bare desktop over the screen first
  std::int32_t query;
};

// Copies `source` (screen coordinates) into the screen's memory DC and
// returns the status the query asks for; `invalidate` is the rectangle
// every window is asked to redraw when the desktop is not painted.
std::int32_t CaptureScreen(HspScreen* screen, const RECT& source, const RECT& invalidate,
                           const CaptureRequest& request);

}  // namespace zor
