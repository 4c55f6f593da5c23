// Trigonometry, directions and roots on scaled integers: inputs in fixed
// units, results rounded into an integer variable or returned as the status.
#include <cmath>

#include "floatreg/bank.h"
#include "floatreg/degree_sine.h"
#include "floatreg/scaled_int.h"
#include "host/capacity.h"
#include "host/export.h"

using namespace zor;

namespace {

constexpr double kTenThousandthsPerHalfTurn = 1800000.0;  // 180 degrees

// Differences of 32-bit coordinates wrap around, as the host's integers do.
std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

ZOR_EXPORT TriFunc(HspVar* var, std::int32_t kind, std::int32_t angle, std::int32_t scale) {
  DegreeSineTable();  // built on first use, whatever the arguments
  if (var->type != kTypeInt) return kWrongType;
  if (!HoldsAnInt(*var)) return kBadArg;
  if (angle < -4096 || angle > 4096) return kBadArg;
  VarInts(*var)[0] = TableTrig(TableTrigKindOf(kind), ReduceDegrees(angle), scale);
  return 0;
}

ZOR_EXPORT TriFunc2(HspVar* var, std::int32_t kind, std::int32_t angle, std::int32_t scale) {
  if (var->type != kTypeInt) return kWrongType;
  if (!HoldsAnInt(*var)) return kBadArg;
  if (angle < -2147483645 || angle > 2147483646) return kBadArg;
  std::int32_t* out = VarInts(*var);
  const double x = angle * kPi / kTenThousandthsPerHalfTurn;
  double v = 0;
  if (kind == 1) {
    v = std::cos(x);
  } else if (kind == 2) {
    // Poles and the unit tangents are fixed by angle, with no reduction
    // modulo a full turn.
    switch (angle) {
      case 900000:
      case -2700000:
        *out = 2147483647;
        return kFail;
      case -900000:
      case 2700000:
        *out = -2147483647;
        return kFail;
      case 450000:
      case 2250000:
      case -3150000:
      case -1350000:
        *out = scale;
        return 0;
      default:
        v = std::tan(x);
    }
  } else {
    v = std::sin(x);
  }
  *out = RoundToResult(v * scale, v);  // the sign of v decides, not the product's
  return 0;
}

ZOR_EXPORT TriFuncA(HspVar* var, std::int32_t kind, std::int32_t ratio, std::int32_t scale) {
  if (var->type != kTypeInt) return kWrongType;
  if (!HoldsAnInt(*var)) return kBadArg;
  const double r = ratio / 1000000.0;
  if (r < -1.0 || r > 1.0) return kFail;
  const double a = (kind == 1) ? std::acos(r) : std::asin(r);
  VarInts(*var)[0] = RoundToResult(a * scale, a);
  return 0;
}

ZOR_EXPORT GetAngle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int32_t dx = WrapSub(x2, x1);
  if (dx == 0) return kBadArg;
  const std::int32_t dy = WrapSub(y2, y1);
  // Only the slope counts: both directions along a line give one angle.
  double t = std::atan(static_cast<double>(dy) / dx) * kTenThousandthsPerHalfTurn / kPi;
  if (t < 0.0) t += 3600000.0;
  return -TruncateToResult(t + 0.5);
}

ZOR_EXPORT GetAngle2(HspVar* var, std::int32_t scale, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return kFail;
  if (var->lengths[1] < 5) return -2;
  std::int32_t* e = VarInts(*var);
  const std::int32_t dx = WrapSub(e[3], e[1]);
  if (dx == 0) return -3;
  const std::int32_t dy = WrapSub(e[4], e[2]);
  const double t = std::atan(static_cast<double>(dy) / dx) * scale * kHalfTurnDegrees / kPi;
  e[0] = RoundToResult(t, t);
  return 0;
}

ZOR_EXPORT Root(HspVar* var, std::int32_t x, std::int32_t scale, std::int32_t) {
  if (var->type != kTypeInt || !HoldsAnInt(*var)) return kFail;
  if (x < 0) return -2;
  if (x == 0) {
    VarInts(*var)[0] = 0;  // written, yet reported as not above zero
    return -2;
  }
  // 0.5 is added whatever the sign of the scale.
  VarInts(*var)[0] = TruncateToResult(std::sqrt(static_cast<double>(x)) * scale + 0.5);
  return 0;
}
