// Pi image header: signature, comment, mode, plane count, size and palette.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

// The header reader looks at no more than this many leading bytes, and the
// stream decoder reads files in chunks of this size.
constexpr std::size_t kPiChunkBytes = 65536;

constexpr std::int32_t kPiBadHeader = -1;
constexpr std::int32_t kPiReadFailed = -2;

struct PiHeader {
  std::int32_t colourCount;   // 16 or 256; 0 until a header has been accepted
  std::uint32_t dataOffset;   // first byte of the compressed stream
  std::uint8_t palette[768];  // 256 entries: red, green, blue
};

// Fills `palette` (768 bytes) with the palette a picture of `colourCount`
// colours uses when it stores none.
void PiDefaultPalette(std::int32_t colourCount, std::uint8_t* palette);

// Parses the first `n` bytes of a Pi image (callers pass at most
// kPiChunkBytes). `size` receives width and height, and holds -1, -1 when the
// header is refused before the size fields. Returns 0 or kPiBadHeader.
std::int32_t ParsePiHeader(const std::uint8_t* bytes, std::size_t n, PiHeader* header,
                           std::int32_t* size);

}  // namespace zor
