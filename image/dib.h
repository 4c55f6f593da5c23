// Packed DIBs (a BITMAPINFOHEADER, optional masks, colour table, bottom-up
// rows): validation, line conversion and placement into the host screen.
// The BMP loader and the clipboard share them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_records.h"

namespace zor {

constexpr std::int32_t kDibBadSize = -259;      // header or data outside the bytes
constexpr std::int32_t kDibBadBits = -256;      // bit count not 1, 4, 8, 16, 24, 32
constexpr std::int32_t kDibNeedsTable = -512;   // palette screen, no colour table
constexpr std::int32_t kDibCompression = -257;  // not BI_RGB or plain BI_BITFIELDS
constexpr std::int32_t kDibMasks = 259;         // masks outside the accepted lists

// How a DIB's pixels become screen pixels.
enum class DibLine : std::uint8_t {
  kCopy,        // same format: 8 to 8, 24 to 24
  kBit1Index,   // 1-bit to palette indices
  kBit4Index,   // 4-bit to palette indices
  kBit1Colour,  // 1-bit through the colour table to blue, green, red
  kBit4Colour,  // 4-bit likewise
  kBit8Colour,  // 8-bit likewise
  kWord555,     // 16-bit 5-5-5 to blue, green, red
  kWord565,     // 16-bit 5-6-5 to blue, green, red
  kQuad,        // 32-bit: bytes 0, 1, 2
};

// What validation learns from the header; offsets are from the DIB start.
struct DibLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bits = 0;
  int colours = 0;             // colour-table entries: 2^bits when bits <= 8
  std::int64_t sourceRow = 0;  // bytes per source row
  std::uint64_t tableOffset = 0;
  std::uint64_t pixelOffset = 0;
  DibLine line = DibLine::kCopy;
};

// Validates a packed DIB of `available` bytes for a palette or full-colour
// screen; returns 0 and fills *out, or one of the codes above. Reads only
// inside the bytes given.
std::int32_t CheckDib(const std::uint8_t* dib, std::uint64_t available, bool paletteScreen,
                      DibLayout* out);

// Expands a DIB colour table (blue, green, red, reserved entries) into
// 0x00RRGGBB words for the colour conversions.
void ExpandColourTable(const std::uint8_t* table, int colours, std::uint32_t* bgr);

// Converts `count` pixels of one source line into screen pixels.
void ConvertLine(DibLine kind, const std::uint32_t* bgr, const std::uint8_t* src, std::uint8_t* dst,
                 std::size_t count);

// Where a checked DIB lands in the screen: the lines drawn and their
// width, clipped, and the byte offset of the lowest drawn source row's
// target line. Source rows are counted in storage order (bottom line first);
// rows firstRow .. height - 1 are drawn, each one screenRow above the last.
struct DibTarget {
  std::int64_t drawWidth = 0;
  std::int64_t drawHeight = 0;  // drawWidth or drawHeight below 1: nothing drawn
  std::int64_t firstRow = 0;    // height - drawHeight
  std::int64_t bytesPerPixel = 1;
  std::int64_t screenRow = 0;
  std::int64_t firstTarget = 0;  // offset in the screen's pixels of firstRow's line
  std::uint8_t* pixels = nullptr;
  bool streaming = false;  // 8-bit into full colour, kStreamingBytes or more: see below
};

// Drawn pixel bytes from which 8-bit rows are written past the caches: a
// target this large does not stay in them anyway, and the plain stores
// would first read every line they write.
constexpr std::int64_t kStreamingBytes = std::int64_t{8} << 20;

// The colours of bgr[256] (0x00RRGGBB) shifted into each byte position of
// the three words that hold four 24-bit pixels.
struct ShiftedColours {
  std::uint32_t t[6][256];
};
void ShiftColours(const std::uint32_t* bgr, ShiftedColours* out);

// Palette indexes to 24-bit pixels like ConvertLine's 8-bit conversion, the
// same bytes, with stores that bypass the caches (plain stores without
// SSE2). EndStreaming orders them before what follows.
void IndicesToColourStreaming(const ShiftedColours& colours, const std::uint8_t* src,
                              std::uint8_t* dst, std::size_t count);
void EndStreaming();

// For a DIB that passed CheckDib: installs its palette on a palette screen
// (writing it to the host palette), expands the colour table into bgr[256]
// for the colour conversions, and fills *target for a placement at (x, y).
// `table` is the colour table (the DIB start + tableOffset). Returns false
// when nothing is drawn.
bool PrepareDibTarget(HspScreen* screen, const DibLayout& d, const std::uint8_t* table,
                      std::int32_t x, std::int32_t y, std::uint8_t* hostPalette, std::uint32_t* bgr,
                      DibTarget* target);

// Draws `count` consecutive source rows starting at row `row` (storage
// order); `rows` holds them, sourceRow bytes apart.
void DrawDibRows(const DibLayout& d, const DibTarget& t, const std::uint32_t* bgr,
                 const std::uint8_t* rows, std::int64_t row, std::int64_t count);

// Validates the DIB, installs its palette on a palette screen (and writes it
// to the host palette), and draws it with its top-left corner at screen
// pixel (x, y), clipped to the screen. Returns 0 or a code above.
std::int32_t PlaceDib(HspScreen* screen, const std::uint8_t* dib, std::uint64_t available,
                      std::int32_t x, std::int32_t y, std::uint8_t* hostPalette);

}  // namespace zor
