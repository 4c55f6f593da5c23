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

  // Per index: 0xFF keeps the screen's pixel, 0 writes the picture's; and
  // the colour as blue, green, red in the low three bytes.
  std::uint8_t keep[256];
  std::uint32_t bgr[256];
  int marked = 0, single = 0;  // a lone transparent index takes a compare loop
  for (int i = 0; i < 256; ++i) {
    keep[i] = mask != nullptr && mask[i] ? 0xFF : 0;
    if (keep[i]) ++marked, single = i;
    if (bpp == 3) {
      const std::uint8_t* e = palette + 3 * i;
      bgr[i] = std::uint32_t{e[2]} | std::uint32_t{e[1]} << 8 | std::uint32_t{e[0]} << 16;
    }
  }

  for (std::int64_t r = 0; r < rows64; ++r) {
    const std::uint8_t* src = picture + r * static_cast<std::int64_t>(width);
    std::uint8_t* dst =
        surface.bits + (std::int64_t{surface.height} - 1 - y - r) * stride + bpp * x;
    if (bpp == 1) {
      if (mask == nullptr) {
        std::memcpy(dst, src, cols);
      } else if (marked == 1) {
        const std::uint8_t t = static_cast<std::uint8_t>(single);
        for (std::size_t i = 0; i < cols; ++i) dst[i] = src[i] == t ? dst[i] : src[i];
      } else {
        for (std::size_t i = 0; i < cols; ++i) {
          const std::uint8_t m = keep[src[i]];
          dst[i] = static_cast<std::uint8_t>((src[i] & ~m) | (dst[i] & m));
        }
      }
    } else if (mask == nullptr) {
      // Four bytes per pixel, the fourth overwritten by the next pixel; the
      // last pixel of the row gets exactly three.
      std::size_t i = 0;
      for (; i + 5 <= cols; i += 4) {
        const std::uint32_t a = bgr[src[i]], b = bgr[src[i + 1]], c = bgr[src[i + 2]],
                            e = bgr[src[i + 3]];
        std::memcpy(dst + 3 * i, &a, 4);
        std::memcpy(dst + 3 * i + 3, &b, 4);
        std::memcpy(dst + 3 * i + 6, &c, 4);
        std::memcpy(dst + 3 * i + 9, &e, 4);
      }
      for (; i + 1 < cols; ++i) std::memcpy(dst + 3 * i, &bgr[src[i]], 4);
      const std::uint32_t last = bgr[src[cols - 1]];
      std::uint8_t* d = dst + 3 * (cols - 1);
      d[0] = static_cast<std::uint8_t>(last);
      d[1] = static_cast<std::uint8_t>(last >> 8);
      d[2] = static_cast<std::uint8_t>(last >> 16);
    } else if (marked == 1) {
      // A lone transparent index: memchr finds it, and the opaque runs
      // between take the four-byte stores, each run's last pixel three.
      for (std::size_t i = 0; i < cols;) {
        const void* hit = std::memchr(src + i, single, cols - i);
        const std::size_t stop =
            hit != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - src)
                           : cols;
        if (stop > i) {
          for (; i + 1 < stop; ++i) std::memcpy(dst + 3 * i, &bgr[src[i]], 4);
          const std::uint32_t last = bgr[src[i]];
          std::uint8_t* d = dst + 3 * i;
          d[0] = static_cast<std::uint8_t>(last);
          d[1] = static_cast<std::uint8_t>(last >> 8);
          d[2] = static_cast<std::uint8_t>(last >> 16);
        }
        i = stop + 1;
      }
    } else {
      // As above, four bytes per written pixel, carrying the next pixel's
      // first byte over as it is: a kept neighbour stays untouched.
      for (std::size_t i = 0; i + 1 < cols; ++i) {
        const unsigned c = src[i];
        if (keep[c]) continue;
        std::uint8_t* d = dst + 3 * i;
        const std::uint32_t v = bgr[c] | std::uint32_t{d[3]} << 24;
        std::memcpy(d, &v, 4);
      }
      const unsigned c = src[cols - 1];
      if (!keep[c]) {
        std::uint8_t* d = dst + 3 * (cols - 1);
        d[0] = static_cast<std::uint8_t>(bgr[c]);
        d[1] = static_cast<std::uint8_t>(bgr[c] >> 8);
        d[2] = static_cast<std::uint8_t>(bgr[c] >> 16);
      }
    }
  }
}

}  // namespace zor
