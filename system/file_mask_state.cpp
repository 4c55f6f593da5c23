#include "system/file_mask_state.h"

namespace zor {

namespace {
char* g_mask = nullptr;
}

void HoldFileMask(char* buffer) {
  delete[] g_mask;
  g_mask = buffer;
}

const char* HeldFileMask() { return g_mask; }

bool ReleaseFileMask() {
  if (g_mask == nullptr) return false;
  delete[] g_mask;
  g_mask = nullptr;
  return true;
}

}  // namespace zor
