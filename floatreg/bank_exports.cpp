// The float register bank's load, store, conversion and test exports.
#include <algorithm>
#include <cstring>
#include <string>

#include "floatreg/bank.h"
#include "floatreg/decimal_text.h"
#include "host/capacity.h"
#include "host/export.h"

using namespace zor;

ZOR_EXPORT FloatSetBuf(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  double value = 0;
  std::int32_t status = ReadVarNumber(var, &value);
  if (status == 0) FloatRegister(r) = value;
  return status;
}

ZOR_EXPORT FloatClrBuf(std::int32_t r, std::int32_t, std::int32_t, std::int32_t) {
  FloatRegister(r) = 0.0;
  return 0;
}

ZOR_EXPORT FloatNegBuf(std::int32_t r, std::int32_t, std::int32_t, std::int32_t) {
  double& x = FloatRegister(r);
  x = -x;  // flips the sign bit: +0.0 becomes -0.0
  return 0;
}

ZOR_EXPORT FloatCopyBuf(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  if (MapRegister(d) == MapRegister(s)) return -1;
  FloatRegister(d) = FloatRegister(s);
  return 0;
}

ZOR_EXPORT FloatSwapBuf(std::int32_t a, std::int32_t b, std::int32_t, std::int32_t) {
  if (MapRegister(a) == MapRegister(b)) return -1;
  std::swap(FloatRegister(a), FloatRegister(b));
  return 0;
}

ZOR_EXPORT FloatIntBuf(std::int32_t r, std::int32_t, std::int32_t, std::int32_t) {
  std::int32_t status = 0;
  double& x = FloatRegister(r);
  x = BoundedTruncate(x, &status);
  return status;
}

ZOR_EXPORT FloatChkOvFlow(std::int32_t r, std::int32_t, std::int32_t, std::int32_t) {
  double v = FloatRegister(r);
  // A NaN counts as equal to the largest double.
  if (v != v || v == 1.7976931348623157e308) return -1;
  if (v == 2.2250738585072014e-308) return -2;
  return 0;
}

ZOR_EXPORT FloatPItoBuf(std::int32_t d, std::int32_t s, std::int32_t m, std::int32_t) {
  FloatRegister(d) = (m == 0) ? kPi : FloatRegister(s) * kPi;
  return 0;
}

ZOR_EXPORT FloatDEGtoRAD(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  double product = FloatRegister(s) * kPi;
  FloatRegister(d) = product / kHalfTurnDegrees;
  return 0;
}

ZOR_EXPORT FloatRADtoDEG(std::int32_t d, std::int32_t s, std::int32_t, std::int32_t) {
  double product = FloatRegister(s) * kHalfTurnDegrees;
  FloatRegister(d) = product / kPi;
  return 0;
}

ZOR_EXPORT FloatToString(HspVar* var, std::int32_t r, std::int32_t n, std::int32_t trim) {
  if (var->type != kTypeString) return -1;
  const std::uint32_t size = RowBytes(*var);
  if (size == 0) return kBadArg;  // no byte for the terminator
  if (n < 1) n = 8;
  // Decimals past the buffer never show, and past the 341st decimal every
  // double's digits are zeros, so no rounding reaches back from there: a
  // shorter fraction gives the same visible text and status without
  // building a text of up to two billion characters.
  const std::int64_t useful = std::int64_t{size} + 360;
  if (n > useful) n = static_cast<std::int32_t>(useful);
  const std::string t = FixedText(FloatRegister(r), n);
  char* buf = VarText(*var);
  const std::size_t written = std::min<std::size_t>(t.size(), size - 1);
  std::memcpy(buf, t.data(), written);
  buf[written] = 0;
  buf[size - 1] = 0;

  std::int32_t status = 0;
  if (written < t.size()) {
    const std::size_t dot = t.find('.');
    if (dot == std::string::npos || written <= dot) {
      status = -1;  // cut before the point was written
    } else if (written == dot + 1) {
      status = -2;  // the point was the last character that fit
    } else {
      status = -3;  // cut inside the fraction
    }
  }
  if (trim != 0 && (status == 0 || status == -3) && std::memchr(buf, '.', written) != nullptr) {
    std::size_t len = written;
    while (len > 0 && buf[len - 1] == '0') --len;
    if (len > 0 && buf[len - 1] == '.') --len;
    buf[len] = 0;
  }
  return status;
}

ZOR_EXPORT FloatToInt(HspVar* var, std::int32_t r, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt || !HoldsAnInt(*var)) return -1;
  std::int32_t status = 0;
  double v = BoundedTruncate(FloatRegister(r), &status);
  VarInts(*var)[0] = static_cast<std::int32_t>(v);
  return status;
}
