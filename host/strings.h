// Small string and number routines shared by every family.
#pragma once

#include <cstdint>

namespace zor {

// Copies source with its terminator; the caller guarantees room.
char* CopyString(char* destination, const char* source);
// Copies source, terminator included, over destination's terminator.
void AppendString(char* destination, const char* source);
// Writes value as decimal text with its terminator; destination holds 12 bytes.
void IntToDecimal(std::int32_t value, char* destination);

}  // namespace zor
