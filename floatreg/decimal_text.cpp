#include "floatreg/decimal_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zor {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double ReadDecimal(const char* text, std::size_t limit) {
  std::size_t i = 0;
  auto at = [&](std::size_t k) -> char { return k < limit ? text[k] : '\0'; };
  while (at(i) != 0 && IsSpace(at(i))) ++i;
  // Collect the accepted part into a clean buffer that holds nothing the
  // runtime's reader could take for a hexadecimal, infinity or NaN form.
  std::string clean;
  if (at(i) == '+' || at(i) == '-') clean += at(i++);
  std::size_t mantissaDigits = 0;
  while (IsDigit(at(i))) {
    clean += at(i++);
    ++mantissaDigits;
  }
  if (at(i) == '.') {
    clean += at(i++);
    while (IsDigit(at(i))) {
      clean += at(i++);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return 0.0;
  if (at(i) == 'e' || at(i) == 'E') {
    std::size_t j = i + 1;
    if (at(j) == '+' || at(j) == '-') ++j;
    if (IsDigit(at(j))) {
      while (i < j) clean += at(i++);
      while (IsDigit(at(i))) clean += at(i++);
    }
  }
  // Both runtimes' strtod round correctly (MinGW's own one is used on
  // Windows, see the build), so the two builds read alike.
  return std::strtod(clean.c_str(), nullptr);
}

FixedDigits ToFixedDigits(double v, int decimals) {
  FixedDigits r;
  r.negative = v < 0;
  if (std::isnan(v) || std::isinf(v)) {
    r.special = true;
    r.negative = std::signbit(v) && !std::isnan(v);
    r.digits = std::isnan(v) ? "nan" : "inf";
    return r;
  }
  // 17 significant digits of the magnitude, the 17th rounded.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.16e", std::fabs(v));
  std::string sig;
  const char* p = buf;
  for (; *p != 0 && *p != 'e'; ++p) {
    if (IsDigit(*p)) sig += *p;
  }
  int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
  int point = exponent + 1;  // digits before the point
  if (v == 0) point = 1;
  // Keep point + decimals digits; positions past the 17 are zeros.
  long keep = static_cast<long>(point) + decimals;
  if (keep < 0) {
    r.point = point;
    return r;  // nothing significant remains
  }
  auto digitAt = [&](long k) -> int {
    return k < static_cast<long>(sig.size()) ? sig[static_cast<std::size_t>(k)] - '0' : 0;
  };
  std::string kept;
  kept.reserve(static_cast<std::size_t>(keep) + 1);
  for (long k = 0; k < keep; ++k) kept += static_cast<char>('0' + digitAt(k));
  if (digitAt(keep) >= 5) {
    // Round away from zero with carry; a carry out of the top lengthens the
    // integer part.
    long k = keep - 1;
    while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') {
      kept[static_cast<std::size_t>(k)] = '0';
      --k;
    }
    if (k >= 0) {
      ++kept[static_cast<std::size_t>(k)];
    } else {
      kept.insert(kept.begin(), '1');
      ++point;
    }
  }
  if (point <= 0) {
    // Leading zeros between the point and the first significant digit are
    // not part of the digit string.
    std::size_t z = 0;
    while (z < kept.size() && kept[z] == '0') ++z;
    if (z == kept.size()) {
      kept.clear();
    } else {
      kept.erase(0, z);
      point -= static_cast<int>(z);
    }
  }
  r.digits = kept;
  r.point = point;
  return r;
}

std::string FixedText(double v, int decimals) {
  FixedDigits f = ToFixedDigits(v, decimals);
  std::string t;
  if (f.negative) t += '-';
  if (f.special) return t + f.digits;
  const std::string& d = f.digits;
  if (f.point > 0) {
    // A value of zero can have fewer digits than its point position.
    std::size_t ip = static_cast<std::size_t>(f.point);
    t += d.substr(0, ip);
    if (d.size() < ip) t.append(ip - d.size(), '0');
  } else {
    t += '0';
  }
  t += '.';
  if (f.point >= 0) {
    std::size_t ip = static_cast<std::size_t>(f.point);
    if (d.size() > ip) t += d.substr(ip);
  } else {
    int zeros = -f.point < decimals ? -f.point : decimals;
    t.append(static_cast<std::size_t>(zeros), '0');
    t += d;
  }
  // The fraction has exactly `decimals` digits.
  std::size_t dot = t.find('.');
  std::size_t frac = t.size() - dot - 1;
  if (frac < static_cast<std::size_t>(decimals))
    t.append(static_cast<std::size_t>(decimals) - frac, '0');
  if (frac > static_cast<std::size_t>(decimals))
    t.resize(dot + 1 + static_cast<std::size_t>(decimals));
  return t;
}

}  // namespace zor
