// The four basic operations on a register, with the operand read from a
// string variable or taken from a second register.
#include "floatreg/bank.h"
#include "host/export.h"

using namespace zor;

namespace {

// Divisor test: a NaN counts as equal to zero, so it is refused as well.
bool RefusedDivisor(double x) { return x == 0.0 || x != x; }

}  // namespace

ZOR_EXPORT FloatPlus(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  double x = 0;
  const std::int32_t status = ReadVarNumber(var, &x);
  if (status != 0) return status;
  double& reg = FloatRegister(r);
  reg = x + reg;
  return 0;
}

ZOR_EXPORT FloatMinus(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  double x = 0;
  const std::int32_t status = ReadVarNumber(var, &x);
  if (status != 0) return status;
  double& reg = FloatRegister(r);
  reg = reg - x;
  return 0;
}

ZOR_EXPORT FloatMultiply(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  double x = 0;
  const std::int32_t status = ReadVarNumber(var, &x);
  if (status != 0) return status;
  double& reg = FloatRegister(r);
  reg = x * reg;
  return 0;
}

ZOR_EXPORT FloatDivide(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  double x = 0;
  // The variable keeps its terminator write even when the divisor is refused.
  const std::int32_t status = ReadVarNumber(var, &x);
  if (status != 0) return status;
  if (RefusedDivisor(x)) return kRefused;
  double& reg = FloatRegister(r);
  reg = reg / x;
  return 0;
}

ZOR_EXPORT FloatPlusBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double src = FloatRegister(s);
  double& dst = FloatRegister(d);
  dst = src + dst;
  return 0;
}

ZOR_EXPORT FloatMinusBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double src = FloatRegister(s);
  double& dst = FloatRegister(d);
  dst = dst - src;
  return 0;
}

ZOR_EXPORT FloatMultiplyBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double src = FloatRegister(s);
  double& dst = FloatRegister(d);
  dst = src * dst;
  return 0;
}

ZOR_EXPORT FloatDivideBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double src = FloatRegister(s);
  if (RefusedDivisor(src)) return kRefused;
  double& dst = FloatRegister(d);
  dst = dst / src;
  return 0;
}
