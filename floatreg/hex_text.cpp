#include "floatreg/hex_text.h"

namespace zor {
namespace {

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool ParseHex32(const char* text, std::int32_t* value) {
  bool minus = false;
  bool plus = false;
  int count = 0;
  int first = 0;
  std::uint32_t magnitude = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); count < 8; ++p) {
    const unsigned char c = *p;
    if (c == ' ') {
      if (minus || plus || count > 0) break;
      continue;
    }
    if (c == '-') {
      if (minus || count > 0) break;
      minus = true;
      continue;
    }
    if (c == '+') {
      if (plus || count > 0) break;
      plus = true;
      continue;
    }
    const int d = HexDigit(c);
    if (d < 0) break;  // the terminator included
    if (count == 0) first = d;
    magnitude = magnitude * 16u + static_cast<std::uint32_t>(d);
    ++count;  // after the eighth digit nothing more is read
  }
  if (count == 8 && first >= 8 && (minus || plus)) return false;
  if (minus) magnitude = 0u - magnitude;
  *value = static_cast<std::int32_t>(magnitude);
  return true;
}

}  // namespace zor
