#include "floatreg/bank.h"

#include <cmath>

#include "floatreg/decimal_text.h"
#include "host/capacity.h"
#include "host/status.h"

namespace zor {
namespace {
double g_registers[kFloatRegisters];  // all +0.0 at load
}  // namespace

double& FloatRegister(std::int32_t index) { return g_registers[MapRegister(index)]; }

std::int32_t ReadVarNumber(HspVar* var, double* value) {
  if (var->type != kTypeString) return -1;
  std::uint32_t bytes = RowBytes(*var);
  if (bytes == 0) return kBadArg;  // no byte to terminate
  char* text = VarText(*var);
  text[bytes - 1] = 0;
  *value = ReadDecimal(text, bytes);
  return 0;
}

double BoundedTruncate(double v, std::int32_t* status) {
  // A NaN fails every comparison: it counts as below the lower bound.
  if (!(v >= kIntLowerBound)) {
    *status = -16;
    return kIntLowerBound;
  }
  if (v > kIntUpperBound) {
    *status = -17;
    return kIntUpperBound;
  }
  *status = 0;
  return std::trunc(v);
}

}  // namespace zor
