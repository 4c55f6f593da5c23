// Reading a signed hexadecimal number of up to eight digits.
#pragma once

#include <cstdint>

namespace zor {

// Scans text: blanks before anything else are skipped; a minus and a plus
// sign may each appear once before the digits; up to 8 digits of either case
// are collected and anything else ends the scan (no 0x prefix). Returns false
// when eight digits beginning with 8 to F carry a sign (out of the signed
// range); otherwise *value gets the number, negated after a minus sign, with
// unsigned eight-digit values taken as the 32-bit pattern.
bool ParseHex32(const char* text, std::int32_t* value);

}  // namespace zor
