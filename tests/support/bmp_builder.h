// Builds packed DIBs and BMP files for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

struct DibSpec {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 8;
  std::uint32_t compression = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t headerSize = 40;
  std::int32_t xPels = 0, yPels = 0;
  std::vector<std::uint32_t> masks;  // written after the header when given
  std::vector<std::uint8_t> table;   // blue, green, red, reserved entries
  std::vector<std::uint8_t> pixels;  // bottom-up rows

  // Bytes per row: the row's bytes rounded up to 4.
  std::size_t RowBytes() const { return ((std::size_t(width) * bits + 31) / 32) * 4; }
  // Zero-filled pixel rows and, up to 8 bits, a table whose entry i is
  // blue i, green 255 - i, red i ^ 0x5A.
  DibSpec& Fill() {
    pixels.assign(RowBytes() * std::size_t(height < 0 ? -height : height), 0);
    if (bits <= 8) {
      table.clear();
      for (int i = 0; i < (1 << bits); ++i) {
        table.insert(table.end(),
                     {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i ^ 0x5A), 0});
      }
    }
    return *this;
  }
  // Row y counted from the top line of the picture (bottom-up storage).
  std::uint8_t* Row(int y) { return pixels.data() + RowBytes() * std::size_t(height - 1 - y); }
};

inline void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}
inline void Put16(std::string& s, std::uint16_t v) {
  s.push_back(static_cast<char>(v));
  s.push_back(static_cast<char>(v >> 8));
}

inline std::string MakeDib(const DibSpec& d) {
  std::string s;
  Put32(s, d.headerSize);
  Put32(s, static_cast<std::uint32_t>(d.width));
  Put32(s, static_cast<std::uint32_t>(d.height));
  Put16(s, 1);
  Put16(s, d.bits);
  Put32(s, d.compression);
  Put32(s, 0);
  Put32(s, static_cast<std::uint32_t>(d.xPels));
  Put32(s, static_cast<std::uint32_t>(d.yPels));
  Put32(s, d.clrUsed);
  Put32(s, 0);
  s.resize(d.headerSize < 40 ? 40 : d.headerSize, 0);
  for (std::uint32_t m : d.masks) Put32(s, m);
  s.append(d.table.begin(), d.table.end());
  s.append(d.pixels.begin(), d.pixels.end());
  return s;
}

// A BMP file: the 14-byte file header (bfSize = the file's length unless
// given) and the packed DIB.
inline std::string MakeBmp(const DibSpec& d, std::int64_t fileSize = -1) {
  std::string dib = MakeDib(d);
  std::string s = "BM";
  Put32(s, fileSize >= 0 ? static_cast<std::uint32_t>(fileSize)
                         : static_cast<std::uint32_t>(14 + dib.size()));
  Put32(s, 0);
  Put32(s, 14 + d.headerSize + static_cast<std::uint32_t>(4 * d.masks.size() + d.table.size()));
  return s + dib;
}

}  // namespace zt
