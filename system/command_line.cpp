#include "system/command_line.h"

#include <cstring>

namespace zor {

namespace {

// Past the program name: a plain name ends at its first space, a quoted one
// at the closing quote, which a space must follow. 0 when the line has no
// arguments after the name.
std::size_t PastProgramName(const char* line) {
  std::size_t k = std::strcspn(line, " \"");
  std::size_t i = 0;
  if (line[k] == ' ') {
    i = k + 1;
  } else if (line[k] == '"') {
    const char* close = std::strchr(line + k + 1, '"');
    if (close == nullptr || close[1] != ' ') return 0;
    i = static_cast<std::size_t>(close - line) + 2;
  }
  return line[i] == 0 ? 0 : i;
}

}  // namespace

std::size_t CommandLineStart(const char* line, std::int32_t mode) {
  std::size_t i = mode != 0 ? PastProgramName(line) : 0;
  if ((mode & 0xF0) != 0 && std::strncmp(line + i, "obj ", 4) == 0 && line[i + 4] != 0) i += 4;
  return i;
}

}  // namespace zor
