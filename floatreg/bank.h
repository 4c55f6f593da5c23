// The sixteen float registers shared by every Float export.
#pragma once

#include <cstdint>

#include "host/host_records.h"

namespace zor {

constexpr int kFloatRegisters = 16;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfTurnDegrees = 180.0;
constexpr double kIntLowerBound = -2147483645.0;
constexpr double kIntUpperBound = 2147483646.0;

// Any index outside 0 to 15 names register 0.
inline int MapRegister(std::int32_t index) { return (index < 0 || index > 15) ? 0 : index; }

// The register an index names.
double& FloatRegister(std::int32_t index);

// Reads the number at the start of a string variable's row: terminates the
// row at its last byte (a write the variable keeps), then converts. Returns
// the status to report: 0 with *value set, -1 when the variable is not a
// string, 3 when its row has no byte at all.
std::int32_t ReadVarNumber(HspVar* var, double* value);

// Truncation toward zero within the integer bounds; *status gets 0, -16 (below
// the lower bound or not a number) or -17 (above the upper bound).
double BoundedTruncate(double v, std::int32_t* status);

}  // namespace zor
