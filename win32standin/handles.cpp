// Handle bookkeeping shared by the stand-in's object kinds.
#include <windows.h>

#include "handles.h"

namespace zorw {

long& LiveHandles() {
  static long live = 0;
  return live;
}

}  // namespace zorw

ZOR_WIN32_API long ZorStandinOpenHandles(void) { return zorw::LiveHandles(); }
