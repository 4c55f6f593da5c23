// Code page 932 (the stand-in's ANSI code page) against UTF-16, for the
// calls that take or store wide text.
#pragma once

#include <string>

namespace zorw {

// A byte pair without a character becomes U+30FB; a terminator in the
// input is converted like any other character.
std::u16string AcpToWide(const std::string& text);
// A character that code page 932 lacks becomes '?'.
std::string WideToAcp(const std::u16string& text);

}  // namespace zorw
