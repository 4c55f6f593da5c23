// Turning a double into the integer result of the geometry exports.
#pragma once

#include <cstdint>

namespace zor {

// Truncates toward zero to a 64-bit integer and keeps its low 32 bits, as a
// 64-bit integer store of the product would; a value beyond the 64-bit range,
// or not a number, gives 0.
inline std::int32_t TruncateToResult(double v) {
  // -2^63 and 2^63 are exact doubles; the range check keeps the cast defined.
  if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) return 0;
  const auto wide = static_cast<std::int64_t>(v);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

// Rounds a scaled value halves away from zero: 0.5 is added when `sign` is
// not negative and subtracted when it is, then truncated. `sign` is the
// value whose sign decides (the unscaled function value in some exports).
inline std::int32_t RoundToResult(double v, double sign) {
  return TruncateToResult(sign < 0.0 ? v - 0.5 : v + 0.5);
}

}  // namespace zor
