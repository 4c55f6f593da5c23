// Memory layouts the host owns: the variable record and the screen record.
// Pointer and handle fields are 32-bit values in every build, so the records
// keep their exact layout on a 64-bit build as long as the memory they point
// to lies below 4 GiB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

using HostAddr = std::uint32_t;  // a pointer or handle as the host stores it

template <class T>
inline T* HostPtr(HostAddr a) {
  return reinterpret_cast<T*>(static_cast<std::uintptr_t>(a));
}

template <class T>
inline HostAddr ToHostAddr(T* p) {
  return static_cast<HostAddr>(reinterpret_cast<std::uintptr_t>(p));
}

// A handle the host keeps in a 32-bit field, and back.
template <class H>
inline H HostHandle(HostAddr a) {
  return reinterpret_cast<H>(static_cast<std::uintptr_t>(a));
}

template <class H>
inline HostAddr HandleAddr(H h) {
  return static_cast<HostAddr>(reinterpret_cast<std::uintptr_t>(h));
}

enum VarType : std::uint16_t { kTypeString = 2, kTypeInt = 4 };

struct HspVar {
  std::uint16_t type;
  std::uint16_t reserved;
  std::uint16_t lengths[5];
  std::int16_t extended;
  HostAddr data;
  HostAddr extendedSizes;
};

static_assert(offsetof(HspVar, type) == 0);
static_assert(offsetof(HspVar, lengths) == 4);
static_assert(offsetof(HspVar, extended) == 14);
static_assert(offsetof(HspVar, data) == 16);
static_assert(offsetof(HspVar, extendedSizes) == 20);
static_assert(sizeof(HspVar) == 24);

struct HspScreen {
  std::uint32_t reserved0;
  std::int32_t width;        // 4
  std::int32_t height;       // 8
  std::int32_t paletteMode;  // 12
  HostAddr memoryDc;         // 16
  HostAddr pixelBits;        // 20
  HostAddr bitmapInfo;       // 24
  std::uint32_t reserved28[2];
  HostAddr colourTable;       // 36
  HostAddr palette;           // 40
  HostAddr previousPalette;   // 44
  std::int32_t paletteCount;  // 48
  HostAddr window;            // 52
  std::uint32_t reserved56[3];
  std::int32_t screenType;  // 68
  std::uint32_t reserved72;
  std::uint16_t reserved76;
  std::uint16_t redrawMode;   // 78
  std::int32_t clientWidth;   // 80
  std::int32_t clientHeight;  // 84
  std::uint32_t reserved88;
  std::int32_t scrollX;  // 92
  std::int32_t scrollY;  // 96
  std::uint32_t reserved100[2];
  std::int32_t currentX;  // 108
  std::int32_t currentY;  // 112
  std::uint32_t reserved116[9];
  HostAddr font;  // 152
  std::uint32_t reserved156;
  std::uint32_t currentColour;  // 160
  HostAddr objects[64];         // 164 .. 419
};

static_assert(offsetof(HspScreen, width) == 4);
static_assert(offsetof(HspScreen, height) == 8);
static_assert(offsetof(HspScreen, paletteMode) == 12);
static_assert(offsetof(HspScreen, memoryDc) == 16);
static_assert(offsetof(HspScreen, pixelBits) == 20);
static_assert(offsetof(HspScreen, bitmapInfo) == 24);
static_assert(offsetof(HspScreen, colourTable) == 36);
static_assert(offsetof(HspScreen, palette) == 40);
static_assert(offsetof(HspScreen, previousPalette) == 44);
static_assert(offsetof(HspScreen, paletteCount) == 48);
static_assert(offsetof(HspScreen, window) == 52);
static_assert(offsetof(HspScreen, screenType) == 68);
static_assert(offsetof(HspScreen, redrawMode) == 78);
static_assert(offsetof(HspScreen, clientWidth) == 80);
static_assert(offsetof(HspScreen, clientHeight) == 84);
static_assert(offsetof(HspScreen, scrollX) == 92);
static_assert(offsetof(HspScreen, scrollY) == 96);
static_assert(offsetof(HspScreen, currentX) == 108);
static_assert(offsetof(HspScreen, currentY) == 112);
static_assert(offsetof(HspScreen, font) == 152);
static_assert(offsetof(HspScreen, currentColour) == 160);
static_assert(offsetof(HspScreen, objects) == 164);
static_assert(sizeof(HspScreen) == 420);

// The host palette: 256 RGB triples, red first.
constexpr std::size_t kHostPaletteBytes = 768;

}  // namespace zor
