// The four basic operations on a register, with the operand read from a
// string variable or taken from a second register.
#include "floatreg/bank.h"
#include "host/export.h"

using namespace zor;

namespace {

// Divisor test: a NaN counts as equal to zero, so it is refused as well.
bool RefusedDivisor(double x) { return x == 0.0 || x != x; }

// Register r = op(r, x) with x read from the variable. A refused operand
// leaves the register alone; the variable keeps its terminator write.
template <class Op>
std::int32_t CombineWithText(HspVar* var, std::int32_t r, bool (*refuse)(double), Op op) {
  double x = 0;
  const std::int32_t status = ReadVarNumber(var, &x);
  if (status != 0) return status;
  if (refuse != nullptr && refuse(x)) return kRefused;
  double& reg = FloatRegister(r);
  reg = op(reg, x);
  return 0;
}

// Register d = op(d, s); the source is read before the destination is
// written, so d and s may be the same register.
template <class Op>
std::int32_t CombineRegisters(std::int32_t d, std::int32_t s, bool (*refuse)(double), Op op) {
  const double src = FloatRegister(s);
  if (refuse != nullptr && refuse(src)) return kRefused;
  double& dst = FloatRegister(d);
  dst = op(dst, src);
  return 0;
}

}  // namespace

ZOR_EXPORT FloatPlus(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  return CombineWithText(var, r, nullptr, [](double reg, double x) { return x + reg; });
}

ZOR_EXPORT FloatMinus(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  return CombineWithText(var, r, nullptr, [](double reg, double x) { return reg - x; });
}

ZOR_EXPORT FloatMultiply(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  return CombineWithText(var, r, nullptr, [](double reg, double x) { return x * reg; });
}

ZOR_EXPORT FloatDivide(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  return CombineWithText(var, r, RefusedDivisor, [](double reg, double x) { return reg / x; });
}

ZOR_EXPORT FloatPlusBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  return CombineRegisters(d, s, nullptr, [](double dst, double src) { return src + dst; });
}

ZOR_EXPORT FloatMinusBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  return CombineRegisters(d, s, nullptr, [](double dst, double src) { return dst - src; });
}

ZOR_EXPORT FloatMultiplyBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  return CombineRegisters(d, s, nullptr, [](double dst, double src) { return src * dst; });
}

ZOR_EXPORT FloatDivideBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  return CombineRegisters(d, s, RefusedDivisor, [](double dst, double src) { return dst / src; });
}
