// The small HSP host inside zorext: it loads the library the way the script
// runtime does, resolves its exports by name, and builds the records the
// exports read and write (variables and a screen over a DIB section).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "host/host_records.h"

#if defined(_WIN32)
#define ZOREXT_CALL __stdcall
#else
#define ZOREXT_CALL
#endif

namespace zorext {

// Memory whose address fits a record's 32-bit field (below 4 GiB on a
// 64-bit build), zero-filled; null when none is left.
void* LowAlloc(std::size_t bytes);
void LowFree(void* p, std::size_t bytes);

// The exports zorext calls, with the argument kinds the host passes.
struct Exports {
  std::int32_t(ZOREXT_CALL* BmpInfo)(zor::HspVar*, const char*, std::int32_t, std::int32_t);
  std::int32_t(ZOREXT_CALL* BmpLoad)(zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);
  std::int32_t(ZOREXT_CALL* PiInfo)(zor::HspVar*, const char*, std::int32_t, std::int32_t);
  std::int32_t(ZOREXT_CALL* PiLoad)(zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);
  std::int32_t(ZOREXT_CALL* PiTransColour)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
};

// Loads the library (beside the executable first) and resolves the exports;
// on failure returns false with the reason in `error`.
bool LoadLibraryExports(Exports& out, std::string& error);

// An integer variable of `count` elements, record and storage in low memory.
class IntVar {
 public:
  explicit IntVar(std::uint16_t count);
  ~IntVar();
  IntVar(const IntVar&) = delete;
  IntVar& operator=(const IntVar&) = delete;
  bool ok() const { return rec_ != nullptr && data_ != nullptr; }
  zor::HspVar* rec() const { return rec_; }
  std::int32_t operator[](int i) const { return data_[i]; }

 private:
  zor::HspVar* rec_ = nullptr;
  std::int32_t* data_ = nullptr;
  std::uint16_t count_ = 0;
};

// A host screen of the picture's size over a DIB section selected into a
// memory DC: 8-bit with a colour table (palette mode) or 24-bit full colour.
class Screen {
 public:
  Screen(int width, int height, bool paletteMode);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  bool ok() const { return bits_ != nullptr; }
  zor::HspScreen* rec() const { return rec_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Every byte of the pixel memory set to `b`.
  void Fill(std::uint8_t b) const;
  // The pixel at (x, y), y from the top line: its index in palette mode,
  // blue, green, red from there in full colour.
  const std::uint8_t* Pixel(int x, int y) const;
  // The host palette buffer (768 bytes, red first) passed to the loaders.
  std::uint8_t* hostPalette() const { return hostPalette_; }

 private:
  int width_, height_, bytesPerPixel_;
  std::size_t rowBytes_ = 0;
  zor::HspScreen* rec_ = nullptr;
  BITMAPINFO* info_ = nullptr;
  std::uint8_t* hostPalette_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace zorext
