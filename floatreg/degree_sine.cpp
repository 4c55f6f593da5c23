#include "floatreg/degree_sine.h"

#include <cmath>

#include "floatreg/bank.h"

namespace zor {
namespace {

std::int16_t g_sine[360];
bool g_sineBuilt = false;

// 32-bit product with wrap-around, free of signed-overflow UB.
std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// (v * scale + 2048) / 4096 with wrap-around and truncating division: halves
// go upward for positive values only.
std::int32_t ScaleFixed(std::int32_t v, std::int32_t scale) {
  return WrapAdd(WrapMul(v, scale), kDegreeSineOne / 2) / kDegreeSineOne;
}

}  // namespace

const std::int16_t* DegreeSineTable() {
  if (!g_sineBuilt) {
    for (int i = 0; i < 180; ++i) {
      // Multiplication first, then the division; no entry is near a half.
      const double radians = i * kPi / 180.0;
      const double scaled = std::sin(radians) * kDegreeSineOne + 0.5;
      g_sine[i] = static_cast<std::int16_t>(static_cast<int>(scaled));
    }
    // The second half mirrors the first exactly.
    for (int i = 180; i < 360; ++i) g_sine[i] = static_cast<std::int16_t>(-g_sine[i - 180]);
    g_sineBuilt = true;
  }
  return g_sine;
}

int ReduceDegrees(std::int32_t angle) {
  if (angle < 0) return angle + 360 * ((359 - angle) / 360);
  return angle % 360;
}

std::int32_t TableTrig(TableTrigKind kind, int degrees, std::int32_t scale) {
  const std::int16_t* table = DegreeSineTable();
  int cosIndex = degrees + 90;
  if (cosIndex > 359) cosIndex -= 360;
  const std::int32_t s = table[degrees];
  const std::int32_t c = table[cosIndex];
  switch (kind) {
    case TableTrigKind::kCosine:
      return ScaleFixed(c, scale);
    case TableTrigKind::kTangent: {
      const std::int32_t numerator = s * kDegreeSineOne + kDegreeSineOne / 2;
      if (c == 0) return numerator >= 0 ? 2147483647 : -2147483647;
      return ScaleFixed(numerator / c, scale);
    }
    case TableTrigKind::kSine:
      break;
  }
  return ScaleFixed(s, scale);
}

}  // namespace zor
