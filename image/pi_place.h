// Placing a decoded Pi picture into a bottom-up DIB surface, with clipping
// and the transparent-colour rules.
#pragma once

#include <cstdint>

namespace zor {

// A bottom-up pixel surface: 1 byte per pixel (palette indexes) or 3 (blue,
// green, red); rows padded to 4 bytes.
struct PiSurface {
  std::uint8_t* bits;
  std::int32_t width;
  std::int32_t height;
  std::int32_t bytesPerPixel;  // 1 or 3
};

// The transparent value after the corner rule: corner mode 1 to 4 takes the
// top-left, top-right, bottom-left or bottom-right pixel of the picture
// (before clipping); otherwise `value` is kept.
std::int32_t PiCornerValue(const std::uint8_t* picture, std::int32_t width, std::int32_t height,
                           std::int32_t cornerMode, std::int32_t value);

// Marks the transparent palette indexes in mask[256] for a transparent
// value: 0 to 255 an index; 256 to 384 every palette entry within
// value - 256 of currentColour (0x00BBGGRR) in each of red, green and blue.
// Returns false (nothing marked) for any other value.
bool PiTransparentMask(std::int32_t value, std::uint32_t currentColour, const std::uint8_t* palette,
                       bool* mask);

// Copies the picture to (x, y) of the surface; a start coordinate outside
// the surface becomes 0, and the picture is cut at the right and bottom
// edges. Pixels whose index is marked in `mask` (may be null) are skipped.
// On a 3-byte surface pixels are written as colours from `palette`.
void PlacePiPicture(const std::uint8_t* picture, std::int32_t width, std::int32_t height,
                    const PiSurface& surface, std::int32_t x, std::int32_t y, const bool* mask,
                    const std::uint8_t* palette);

}  // namespace zor
