// The '%' name '%' text that GetEnvVar hands to the environment expansion.
#pragma once

#include <cstddef>

namespace zor {

constexpr std::size_t kEnvReferenceBytes = 4100;
// The longest name that fits with its two '%' and the terminator.
constexpr std::size_t kEnvNameMax = kEnvReferenceBytes - 3;

// Writes '%', name, '%' and a terminator into out (kEnvReferenceBytes).
// Returns false, writing nothing, when the name is longer than kEnvNameMax.
bool BuildEnvReference(const char* name, char* out);

}  // namespace zor
