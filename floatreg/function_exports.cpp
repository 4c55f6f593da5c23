// Square root, power, trigonometric and logarithm functions of a register.
// Operands are read before the destination is written, so destination and
// source may be one register. A refused operand leaves every register alone.
#include <cmath>

#include "floatreg/bank.h"
#include "host/export.h"

using namespace zor;

namespace {

// Not-a-number counts as equal to and below every constant it is compared
// with; these spell the comparisons out so that a NaN falls on that side.
bool EqualOrNaN(double v, double c) { return v == c || v != v; }
bool BelowOrNaN(double v, double c) { return v < c || v != v; }

// Arc sine and arc cosine accept -1.0 to 1.0, the bounds included.
bool OutsideUnit(double v) { return BelowOrNaN(v, -1.0) || v > 1.0; }

// Logarithms accept only operands above zero.
bool NotPositive(double v) { return BelowOrNaN(v, 0.0) || v == 0.0; }

}  // namespace

ZOR_EXPORT FloatRootBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double v = FloatRegister(s);
  // Zero of either sign, and NaN (equal to zero), give +0.0 without sqrt.
  if (EqualOrNaN(v, 0.0)) {
    FloatRegister(d) = 0.0;
    return 0;
  }
  if (v < 0.0) return kRefused;
  FloatRegister(d) = std::sqrt(v);
  return 0;
}

ZOR_EXPORT FloatPowBuf(std::int32_t d, std::int32_t b, std::int32_t e, std::int32_t) {
  const double base = FloatRegister(b);
  const double exponent = FloatRegister(e);
  // Only the exponent is tested: x to the power 0 is refused, not 1.
  if (EqualOrNaN(exponent, 0.0)) return kRefused;
  FloatRegister(d) = std::pow(base, exponent);
  return 0;
}

ZOR_EXPORT FloatSinBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  FloatRegister(d) = std::sin(FloatRegister(s));
  return 0;
}

ZOR_EXPORT FloatCosBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  FloatRegister(d) = std::cos(FloatRegister(s));
  return 0;
}

ZOR_EXPORT FloatTanBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  FloatRegister(d) = std::tan(FloatRegister(s));
  return 0;
}

ZOR_EXPORT FloatASinBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double v = FloatRegister(s);
  if (OutsideUnit(v)) return kFail;
  FloatRegister(d) = std::asin(v);
  return 0;
}

ZOR_EXPORT FloatACosBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double v = FloatRegister(s);
  if (OutsideUnit(v)) return kFail;
  FloatRegister(d) = std::acos(v);
  return 0;
}

ZOR_EXPORT FloatATanBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  FloatRegister(d) = std::atan(FloatRegister(s));
  return 0;
}

ZOR_EXPORT FloatLogBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double v = FloatRegister(s);
  if (NotPositive(v)) return kRefused;
  FloatRegister(d) = std::log10(v);
  return 0;
}

ZOR_EXPORT FloatLnBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  const double v = FloatRegister(s);
  if (NotPositive(v)) return kRefused;
  FloatRegister(d) = std::log(v);
  return 0;
}
