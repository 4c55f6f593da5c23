#include "host/strings.h"

namespace zor {

char* CopyString(char* destination, const char* source) {
  char* d = destination;
  while ((*d++ = *source++) != 0) {
  }
  return destination;
}

void AppendString(char* destination, const char* source) {
  while (*destination != 0) ++destination;
  CopyString(destination, source);
}

void IntToDecimal(std::int32_t value, char* destination) {
  // Work on the unsigned magnitude so the smallest value keeps all its digits.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) magnitude = 0u - magnitude;
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10u);
    magnitude /= 10u;
  } while (magnitude != 0);
  char text[12];
  int t = 0;
  if (value < 0) text[t++] = '-';
  while (n > 0) text[t++] = digits[--n];
  text[t] = 0;
  CopyString(destination, text);
}

}  // namespace zor
