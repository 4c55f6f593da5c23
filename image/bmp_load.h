// Drawing a BMP file's rows straight from its reads: the header and colour
// table into a small buffer, the pixel rows into the screen's own rows when
// the layouts match, else through a reused block.
#pragma once

#include <cstdint>

#include "host/host_records.h"

namespace zor {

// Reads up to count bytes of the file, in order; returns the bytes read, 0
// at the end or on failure.
struct BmpReader {
  std::uint32_t (*read)(void* context, std::uint32_t count, void* buffer);
  void* context;
};

// Draws a BMP file of `size` bytes (bfSize, at least 58) at screen pixel
// (x, y), reading it from its start; `work` has room for `size` bytes and
// may be uninitialised. Bytes past the file's end count as 0. Returns a
// PlaceDib status or 0; *reached is the count of leading bytes the reads
// asked for, and *shortRead is set when a read gave fewer bytes than asked
// (both also on failure).
std::int32_t DrawBmpFile(HspScreen* screen, std::uint32_t size, std::uint8_t* work, std::int32_t x,
                         std::int32_t y, std::uint8_t* hostPalette, const BmpReader& reader,
                         std::uint64_t* reached, bool* shortRead);

}  // namespace zor
