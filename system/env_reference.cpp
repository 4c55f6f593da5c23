#include "system/env_reference.h"

#include <cstring>

namespace zor {

bool BuildEnvReference(const char* name, char* out) {
  // Looks at no more than one byte past the longest name that fits.
  std::size_t n = 0;
  while (n <= kEnvNameMax && name[n] != 0) ++n;
  if (n > kEnvNameMax) return false;
  out[0] = '%';
  std::memcpy(out + 1, name, n);
  out[n + 1] = '%';
  out[n + 2] = 0;
  return true;
}

}  // namespace zor
