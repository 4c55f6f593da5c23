// Where GetCmdLine's text starts once the program name and a leading
// "obj " are skipped.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

// The copy of the command line: at most 10,243 bytes and a terminator.
constexpr std::size_t kCommandLineBytes = 10244;

// Offset into `line` (a zero-terminated, already cut copy) of the text that
// mode asks for. Non-zero mode: past the program name and the one space
// after it, unless nothing follows. Any of bits 4 to 7 as well: past a
// leading "obj " that something follows.
std::size_t CommandLineStart(const char* line, std::int32_t mode);

}  // namespace zor
