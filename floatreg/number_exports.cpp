// Small number conversions on integer and string variables: a division as
// text, hexadecimal text to an integer, and a byte shift over storage.
#include <climits>

#include "floatreg/hex_text.h"
#include "host/capacity.h"
#include "host/export.h"
#include "host/strings.h"

using namespace zor;

ZOR_EXPORT DecimalStr(HspVar* var, std::int32_t a, std::int32_t b, std::int32_t) {
  if (var->type != kTypeString) return kFail;
  if (var->lengths[1] < 16) return -2;  // 64 bytes hold the longest text
  // A division with no result (by zero, or the one quotient that overflows)
  // is refused before anything is written.
  if (b == 0 || (a == INT_MIN && b == -1)) return kRefused;
  const std::int32_t q = a / b;
  const std::int32_t r = a % b;  // takes the sign of a
  char* text = VarText(*var);
  char number[12];
  IntToDecimal(q, text);
  AppendString(text, ".");
  IntToDecimal(r, number);
  AppendString(text, number);
  return 0;
}

ZOR_EXPORT Hex2Int(HspVar* var, const char* text, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt || !HoldsAnInt(*var)) return kFail;
  std::int32_t value = 0;
  if (!ParseHex32(text, &value)) return kRefused;
  VarInts(*var)[0] = value;
  return 0;
}

ZOR_EXPORT SlideNum(HspVar* var, std::int32_t offset, std::int32_t count, std::int32_t amount) {
  if (offset < 0 || count < 1 || amount < -128 || amount > 128) return kFail;
  if (amount == 0) return 0;
  // Offset plus count is taken in 64 bits so that a large count cannot wrap
  // around to a range inside the capacity.
  const std::uint64_t capacity = ByteCapacity(*var);
  const std::uint64_t start = static_cast<std::uint64_t>(offset);
  std::uint64_t n = static_cast<std::uint64_t>(count);
  if (start + n > capacity) {
    if (start >= capacity) return 0;
    n = capacity - start;
  }
  std::uint8_t* bytes = HostPtr<std::uint8_t>(var->data) + start;
  const auto delta = static_cast<std::uint8_t>(amount);  // 128 and -128 alike
  for (std::uint64_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(bytes[i] + delta);
  return 0;
}
