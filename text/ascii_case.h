// ASCII-only case changes that step over two-byte Shift-JIS characters.
#pragma once

#include <cstdint>

namespace zor {

// Changes a-z to A-Z (upper) or A-Z to a-z (lower) in the zero-terminated
// text, in place. A lead byte and the byte after it stay unchanged; a lead
// byte followed by the terminator ends the walk.
void ChangeAsciiCase(std::uint8_t* text, bool upper);

}  // namespace zor
