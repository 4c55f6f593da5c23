// Integer geometry and number-text routines on arbitrary inputs: under UBSan
// (float-cast-overflow and signed overflow included) every path must stay
// defined, and the results must keep their documented ranges and shapes.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "floatreg/decimal_text.h"
#include "floatreg/degree_sine.h"
#include "floatreg/hex_text.h"
#include "floatreg/scaled_int.h"

namespace {

// FixedText's shape: an optional minus, integer digits without leading zeros
// (a lone 0 allowed), the point, and exactly `decimals` digits.
void CheckFixedText(double v, int decimals) {
  const std::string t = zor::FixedText(v, decimals);
  if (!std::isfinite(v)) return;
  std::size_t i = (t[0] == '-') ? 1 : 0;
  const std::size_t dot = t.find('.');
  if (dot == std::string::npos || dot == i) std::abort();
  if (t[i] == '0' && dot != i + 1) std::abort();
  if (t.size() - dot - 1 != static_cast<std::size_t>(decimals)) std::abort();
  for (std::size_t k = i; k < t.size(); ++k) {
    if (k != dot && (t[k] < '0' || t[k] > '9')) std::abort();
  }
}

// Hexadecimal text of the common shape (blanks, at most one sign, digits)
// against the C library's reader of its first eight digits.
void CheckHex(const std::string& text) {
  std::int32_t value = 12345;
  const bool ok = zor::ParseHex32(text.c_str(), &value);
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) i = text.size();
  const bool sign = i < text.size() && (text[i] == '-' || text[i] == '+');
  const bool minus = sign && text[i] == '-';
  const std::size_t digits = i + sign;
  std::size_t k = digits;
  while (k < text.size() && k - digits < 8 && std::isxdigit(static_cast<unsigned char>(text[k])))
    ++k;
  if (sign && k < text.size() && (text[k] == '-' || text[k] == '+') && k == digits) return;
  const std::string cut = text.substr(digits, k - digits);
  const std::uint32_t magnitude = cut.empty() ? 0 : std::strtoul(cut.c_str(), nullptr, 16);
  if (cut.size() == 8 && sign && cut[0] > '7') {
    if (ok) std::abort();
    return;
  }
  const std::uint32_t want = minus ? 0u - magnitude : magnitude;
  if (!ok || static_cast<std::uint32_t>(value) != want) std::abort();
}

}  // namespace

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

  // Decimal text of any double, with 1 to 400 decimals.
  CheckFixedText(v, 1 + static_cast<int>(static_cast<std::uint32_t>(scale) % 400));

  // The rest of the input: hexadecimal text (zero-terminated), and a decimal
  // number read from an unterminated buffer of exactly its size, so that
  // ASan catches a read past the limit.
  const std::size_t n = size - 16;
  std::string text(reinterpret_cast<const char*>(data + 16), n);
  CheckHex(text.c_str());
  std::unique_ptr<char[]> exact(new char[n == 0 ? 1 : n]);
  if (n != 0) std::memcpy(exact.get(), data + 16, n);
  const double read = zor::ReadDecimal(exact.get(), n);
  if (std::isnan(read)) std::abort();  // only decimal notation is read
  // Without letters of the hexadecimal, infinity and NaN forms, the C
  // library's reader of the same text (cut at the limit) must agree.
  const std::string cut = text.substr(0, text.find('\0'));
  if (cut.find_first_of("xXiInN") == std::string::npos) {
    const double want = std::strtod(cut.c_str(), nullptr);
    if (!(read == want) || std::signbit(read) != std::signbit(want)) std::abort();
  }
  return 0;
}
