// A host screen record backed by a real DIB section selected into a memory
// DC, as the host builds it: the same tests then observe the stand-in and
// Windows (Wine) through the same Win32 calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/host_records.h"

namespace zt {

class TestScreen {
 public:
  // An 8-bit palette screen (colour table entry i starts as grey i) or a
  // 24-bit full-colour screen, all pixels 0.
  TestScreen(int width, int height, bool paletteMode);
  ~TestScreen();
  TestScreen(const TestScreen&) = delete;
  TestScreen& operator=(const TestScreen&) = delete;

  zor::HspScreen* rec() const { return rec_; }
  operator zor::HspScreen*() const { return rec_; }
  HDC dc() const { return dc_; }
  int width() const { return rec_->width; }
  int height() const { return rec_->height; }
  bool paletteMode() const { return rec_->paletteMode != 0; }
  int bytesPerPixel() const { return paletteMode() ? 1 : 3; }
  int rowBytes() const { return (bytesPerPixel() * width() + 3) & ~3; }
  std::size_t pixelBytes() const { return std::size_t(rowBytes()) * height(); }
  std::uint8_t* bits() const { return zor::HostPtr<std::uint8_t>(rec_->pixelBits); }

  // The pixel at (x, y), y counted from the top line: the index on a palette
  // screen, blue, green, red from there on a full-colour screen.
  std::uint8_t* Pixel(int x, int y) const {
    return bits() + std::size_t(height() - 1 - y) * rowBytes() + std::size_t(x) * bytesPerPixel();
  }
  std::uint8_t Index(int x, int y) const { return *Pixel(x, y); }
  // 0x00RRGGBB of a full-colour pixel.
  std::uint32_t Rgb(int x, int y) const {
    return std::uint32_t(Pixel(x, y)[2] << 16 | Pixel(x, y)[1] << 8 | Pixel(x, y)[0]);
  }
  void Fill(std::uint8_t b) const { std::memset(bits(), b, pixelBytes()); }

  std::vector<RGBQUAD> ColourTable() const;  // the DIB's, as GetDIBColorTable reads it
  RGBQUAD* RecordTable() const { return zor::HostPtr<RGBQUAD>(rec_->colourTable); }
  // The palette the library installed and what is selected in the DC now.
  HPALETTE palette() const { return reinterpret_cast<HPALETTE>(std::uintptr_t{rec_->palette}); }
  HPALETTE SelectedPalette() const { return static_cast<HPALETTE>(GetCurrentObject(dc_, OBJ_PAL)); }
  static std::vector<PALETTEENTRY> PaletteEntries(HPALETTE pal);

 private:
  zor::HspScreen* rec_ = nullptr;
  BITMAPINFO* info_ = nullptr;  // header + 256 entries, in low memory
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace zt
