// Placement of a decoded Pi picture. Offsets are computed in 64 bits from
// the surface's own width and height; nothing outside its rows is touched.
#include "image/pi_place.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace zor {

std::int32_t PiCornerValue(const std::uint8_t* picture, std::int32_t width, std::int32_t height,
                           std::int32_t cornerMode, std::int32_t value) {
  if (cornerMode < 1 || cornerMode > 4 || width <= 0 || height <= 0) return value;
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t last = static_cast<std::size_t>(height - 1) * w;
  const std::size_t at[4] = {0, w - 1, last, last + w - 1};
  return picture[at[cornerMode - 1]];
}

bool PiTransparentMask(std::int32_t value, std::uint32_t currentColour, const std::uint8_t* palette,
                       bool* mask) {
  std::memset(mask, 0, 256 * sizeof(bool));
  if (value >= 0 && value <= 255) {
    mask[value] = true;
    return true;
  }
  if (value < 256 || value > 384) return false;
  const int d = value - 256;
  const int r = static_cast<int>(currentColour & 0xFF);
  const int g = static_cast<int>((currentColour >> 8) & 0xFF);
  const int b = static_cast<int>((currentColour >> 16) & 0xFF);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* e = palette + 3 * i;
    mask[i] = std::abs(e[0] - r) <= d && std::abs(e[1] - g) <= d && std::abs(e[2] - b) <= d;
  }
  return true;
}

void PlacePiPicture(const std::uint8_t* picture, std::int32_t width, std::int32_t height,
                    const PiSurface& surface, std::int32_t x, std::int32_t y, const bool* mask,
                    const std::uint8_t* palette) {
  if (x < 0 || x >= surface.width) x = 0;
  if (y < 0 || y >= surface.height) y = 0;
  const std::int64_t cols64 = std::min<std::int64_t>(width, std::int64_t{surface.width} - x);
  const std::int64_t rows64 = std::min<std::int64_t>(height, std::int64_t{surface.height} - y);
  if (cols64 <= 0 || rows64 <= 0) return;
  const std::size_t cols = static_cast<std::size_t>(cols64);
  const std::int64_t bpp = surface.bytesPerPixel;
  const std::int64_t stride = (bpp * surface.width + 3) & ~std::int64_t{3};

  for (std::int64_t r = 0; r < rows64; ++r) {
    const std::uint8_t* src = picture + r * static_cast<std::int64_t>(width);
    std::uint8_t* dst =
        surface.bits + (std::int64_t{surface.height} - 1 - y - r) * stride + bpp * x;
    if (bpp == 1) {
      if (mask == nullptr) {
        std::memcpy(dst, src, cols);
      } else {
        for (std::size_t i = 0; i < cols; ++i) {
          if (!mask[src[i]]) dst[i] = src[i];
        }
      }
    } else {
      for (std::size_t i = 0; i < cols; ++i) {
        const unsigned c = src[i];
        if (mask != nullptr && mask[c]) continue;
        const std::uint8_t* e = palette + 3 * c;
        dst[3 * i + 0] = e[2];
        dst[3 * i + 1] = e[1];
        dst[3 * i + 2] = e[0];
      }
    }
  }
}

}  // namespace zor
