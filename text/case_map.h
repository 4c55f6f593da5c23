// Locale case and width mapping into a string variable.
#pragma once

#include <cstdint>

#include "host/host_records.h"

namespace zor {

// Mapping-mode bits as scripts give them (the low 6 bits count; 0 means 1).
constexpr std::int32_t kModeUpperCase = 32;
constexpr std::int32_t kModeLowerCase = 16;

// The platform flags for a mapping mode.
std::uint32_t MappingFlags(std::int32_t mode);

// Maps source, terminator included, through the user's locale into the
// variable's bytes (bounded by its byte capacity). 0 on success, 3 for an
// empty source or a variable of byte capacity 0, -1 when the platform
// refuses the flags or the result does not fit. The caller checks the type.
std::int32_t MapToVariable(HspVar* var, const char* source, std::int32_t mode);

}  // namespace zor
