// File-name checks and path splitting over Shift-JIS text: '\', '.', ':'
// and the forbidden characters count only where a character begins.
#pragma once

#include <cstdint>

namespace zor {

// Position of the first byte `value` at a character boundary at or after
// `start`; -1 when the terminator (or a lead byte before it) comes first;
// -2 when start is negative. A lead byte equal to value is found.
std::int32_t FindChr(const char* text, std::uint8_t value, std::int32_t start);

// 0 when the zero-terminated name is acceptable, -255 for a forbidden
// character or a ':' that is not the second character after a drive letter.
std::int32_t CheckFileNameText(const char* name, bool forbidBackslash, bool allowSemicolon);

// Path parts: 1 drive, 2 base name, 3 extension, 4 file name, anything else
// the directory.
enum PathPart : std::int32_t { kPartDrive = 1, kPartBase = 2, kPartExt = 3, kPartFile = 4 };

// Writes part `selector` of path into row[0, rowBytes) (rowBytes >= 1):
// clears the row, copies the part (cut to rowBytes - 1 bytes), optionally
// trims trailing bytes <= 0x20, and zero-terminates at the row's last byte.
// Returns 0, -255 when the path lacks the part, -16 when it does not fit.
std::int32_t WritePathPart(const char* path, std::int32_t selector, bool trim, char* row,
                           std::uint32_t rowBytes);

}  // namespace zor
