#include "text/ascii_case.h"

#include "text/sjis.h"

namespace zor {

void ChangeAsciiCase(std::uint8_t* text, bool upper) {
  const std::uint8_t first = upper ? 'a' : 'A';
  const std::uint8_t last = upper ? 'z' : 'Z';
  for (std::uint8_t* p = text; *p != 0; ++p) {
    if (IsLeadByte(*p)) {
      if (p[1] == 0) break;
      ++p;  // the second byte is part of the character, never a letter
    } else if (*p >= first && *p <= last) {
      *p ^= 0x20;
    }
  }
}

}  // namespace zor
