// Builds packed DIBs and BMP files for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

struct DibSpec {
  std::int32_t width = 1, height = 1;
  std::uint16_t bits = 8;
  std::uint32_t compression = 0, clrUsed = 0, headerSize = 40;
  std::int32_t xPels = 0, yPels = 0;
  std::vector<std::uint32_t> masks{};  // written after the header when given
  std::vector<std::uint8_t> table{};   // blue, green, red, reserved entries
  std::vector<std::uint8_t> pixels{};  // bottom-up rows

  static DibSpec Of(std::int32_t w, std::int32_t h, std::uint16_t b) {
    DibSpec d{w, h, b};
    return d.Fill();
  }
  // 0x00RRGGBB of the table entry i that Fill() writes.
  static std::uint32_t EntryRgb(int i) { return ((i ^ 0x5Au) << 16) | ((255u - i) << 8) | i; }
  // Bytes per row: the row's bytes rounded up to 4.
  std::size_t RowBytes() const { return ((std::size_t(width) * bits + 31) / 32) * 4; }
  // Zero-filled pixel rows and, up to 8 bits, the table of EntryRgb colours.
  DibSpec& Fill() {
    pixels.assign(RowBytes() * std::size_t(height < 0 ? -height : height), 0);
    table.clear();
    for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
      table.insert(table.end(),
                   {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i ^ 0x5A), 0});
    }
    return *this;
  }
  // Row y counted from the top line of the picture (bottom-up storage).
  std::uint8_t* Row(int y) { return pixels.data() + RowBytes() * std::size_t(height - 1 - y); }
};

inline void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}

inline std::string MakeDib(const DibSpec& d) {
  std::string s;
  for (std::uint32_t v : {d.headerSize, std::uint32_t(d.width), std::uint32_t(d.height),
                          std::uint32_t(1 | (d.bits << 16)), d.compression, 0u,
                          std::uint32_t(d.xPels), std::uint32_t(d.yPels), d.clrUsed, 0u}) {
    Put32(s, v);
  }
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
  Put32(s, std::uint32_t(fileSize >= 0 ? fileSize : std::int64_t(14 + dib.size())));
  Put32(s, 0);
  Put32(s, 14 + d.headerSize + std::uint32_t(4 * d.masks.size() + d.table.size()));
  return s + dib;
}

}  // namespace zt
