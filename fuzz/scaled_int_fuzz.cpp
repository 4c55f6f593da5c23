// Integer geometry and number-text routines on arbitrary inputs: under UBSan
// (float-cast-overflow and signed overflow included) every path must stay
// defined, and the results must keep their documented ranges.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "floatreg/degree_sine.h"
#include "floatreg/hex_text.h"
#include "floatreg/scaled_int.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 16) return 0;
  std::int32_t angle, scale;
  double v;
  std::memcpy(&angle, data, 4);
  std::memcpy(&scale, data + 4, 4);
  std::memcpy(&v, data + 8, 8);

  // Any double, NaN and infinities included, converts without UB.
  const std::int32_t low = zor::TruncateToResult(v);
  if (v != v && low != 0) std::abort();
  zor::RoundToResult(v, v);

  // Table trigonometry over the whole accepted angle range and any scale.
  const std::int32_t a = angle % 4097;  // -4096 to 4096
  const int degrees = zor::ReduceDegrees(a);
  if (degrees < 0 || degrees > 359) std::abort();
  for (std::int32_t kind : {0, 1, 2}) zor::TableTrig(zor::TableTrigKindOf(kind), degrees, scale);

  // Hexadecimal text: the rest of the input, zero-terminated.
  std::string text(reinterpret_cast<const char*>(data + 16), size - 16);
  std::int32_t value = 0;
  zor::ParseHex32(text.c_str(), &value);
  return 0;
}
