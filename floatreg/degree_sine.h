// Whole-degree trigonometry from a fixed-point sine table (4096 = 1.0).
#pragma once

#include <cstdint>

namespace zor {

constexpr int kDegreeSineOne = 4096;

// The 360-entry table, built on the first call and kept until unload.
const std::int16_t* DegreeSineTable();

enum class TableTrigKind { kSine, kCosine, kTangent };

// The kind a TriFunc argument selects: 1 cosine, 2 tangent, anything else sine.
inline TableTrigKind TableTrigKindOf(std::int32_t kind) {
  return kind == 1   ? TableTrigKind::kCosine
         : kind == 2 ? TableTrigKind::kTangent
                     : TableTrigKind::kSine;
}

// Brings an angle of -4096 to 4096 degrees into 0 to 359.
int ReduceDegrees(std::int32_t angle);

// sin, cos or tan of a whole-degree angle (already reduced to 0 to 359)
// times scale, in the table's fixed-point arithmetic: 32-bit products with
// wrap-around, quotients truncated toward zero. Tangents at 90 and 270
// degrees saturate to +-2147483647.
std::int32_t TableTrig(TableTrigKind kind, int degrees, std::int32_t scale);

}  // namespace zor
