// ChkPval: lets a script read a variable's size words.
#include "host/export.h"

ZOR_EXPORT ChkPval(zor::HspVar* var, std::int32_t k, std::int32_t, std::int32_t) {
  // Only the five size words may be read; any other k reads nothing.
  if (k < 0 || k > 4) return 0;
  return -static_cast<std::int32_t>(var->lengths[k]);
}
