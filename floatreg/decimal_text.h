// Decimal text of doubles: a C90 number reader and a fixed-point digit
// conversion, both independent of the platform's C runtime so that every
// build produces the same results.
#pragma once

#include <cstddef>
#include <string>

namespace zor {

// Reads a number like C90 atof: leading white space, an optional sign,
// decimal digits with an optional point, an optional exponent. Stops at the
// first character that does not fit; 0.0 when no number begins the text.
// Reads at most `limit` bytes and stops at a zero byte.
double ReadDecimal(const char* text, std::size_t limit);

// Fixed-point digits of v with `decimals` digits after the point:
// the magnitude is taken to 17 significant digits (the 17th rounded), later
// positions are zeros, then cut after the given decimal with halfway cases
// rounded away from zero. `point` is where the decimal point falls within
// `digits` (zero or negative when the value is below 1); leading zeros after
// the point are omitted, and digits is empty when nothing significant is
// left. `negative` is set for every value below zero.
struct FixedDigits {
  std::string digits;
  int point = 0;
  bool negative = false;
  bool special = false;  // infinity or not a number: digits holds its text
};
FixedDigits ToFixedDigits(double v, int decimals);

// The text FloatToString builds: sign, integer part (or 0), the point, and
// exactly `decimals` fraction digits.
std::string FixedText(double v, int decimals);

}  // namespace zor
