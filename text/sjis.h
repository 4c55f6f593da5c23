// Shift-JIS character boundaries as the text exports see them.
#pragma once

#include <cstdint>

namespace zor {

// First byte of a two-byte character: 0x81-0x9F or 0xE0-0xFF.
inline bool IsLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; }

}  // namespace zor
