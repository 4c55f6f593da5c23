// Packed DIB validation and placement. All sizes and offsets are 64-bit and
// checked against the bytes available before anything is read.
#include "image/dib.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/byte_order.h"
#include "image/palette.h"

namespace zor {

namespace {

template <std::size_t N>
bool OneOf(std::uint32_t v, const std::uint32_t (&list)[N]) {
  return std::find(list, list + N, v) != list + N;
}

constexpr std::uint32_t kRedMasks[] = {0x7C00, 0xF800, 0xFF0000};
constexpr std::uint32_t kGreenMasks[] = {0x3E0, 0x7E0, 0xFF00};
constexpr std::uint32_t kBlueMasks[] = {0x1F, 0xFF};

// 5- and 6-bit channel values widened to 8 bits, top bits repeated below.
constexpr auto kExpand5 = [] {
  struct T {
    std::uint8_t v[32];
  } t{};
  for (int i = 0; i < 32; ++i) t.v[i] = static_cast<std::uint8_t>((i << 3) | (i >> 2));
  return t;
}();
constexpr auto kExpand6 = [] {
  struct T {
    std::uint8_t v[64];
  } t{};
  for (int i = 0; i < 64; ++i) t.v[i] = static_cast<std::uint8_t>((i << 2) | (i >> 4));
  return t;
}();

void Store32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

void Store3(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
}

// Four 24-bit pixels as three 32-bit stores (little-endian targets).
void Store4Pixels(std::uint8_t* p, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                  std::uint32_t d) {
  Store32(p, (a & 0xFFFFFF) | (b << 24));
  Store32(p + 4, ((b >> 8) & 0xFFFF) | (c << 16));
  Store32(p + 8, ((c >> 16) & 0xFF) | (d << 8));
}

void IndicesToColour(const std::uint32_t* bgr, const std::uint8_t* src, std::uint8_t* dst,
                     std::size_t count) {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4, dst += 12) {
    Store4Pixels(dst, bgr[src[i]], bgr[src[i + 1]], bgr[src[i + 2]], bgr[src[i + 3]]);
  }
  for (; i < count; ++i, dst += 3) Store3(dst, bgr[src[i]]);
}

// Unpacks 1- or 4-bit pixels (most significant first) into one byte each.
void UnpackIndices(int bits, const std::uint8_t* src, std::uint8_t* dst, std::size_t count) {
  if (bits == 1) {
    for (std::size_t i = 0; i < count; ++i) dst[i] = (src[i >> 3] >> (7 - (i & 7))) & 1;
  } else {
    for (std::size_t i = 0; i < count; ++i) dst[i] = (src[i >> 1] >> ((i & 1) ? 0 : 4)) & 15;
  }
}

std::uint32_t Word555(std::uint32_t w) {
  return kExpand5.v[w & 31] | (kExpand5.v[(w >> 5) & 31] << 8) | (kExpand5.v[(w >> 10) & 31] << 16);
}

std::uint32_t Word565(std::uint32_t w) {
  return kExpand5.v[w & 31] | (kExpand6.v[(w >> 5) & 63] << 8) | (kExpand5.v[(w >> 11) & 31] << 16);
}

template <std::uint32_t (*F)(std::uint32_t)>
void WordsToColour(const std::uint8_t* src, std::uint8_t* dst, std::size_t count) {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4, src += 8, dst += 12) {
    Store4Pixels(dst, F(ReadLe16(src)), F(ReadLe16(src + 2)), F(ReadLe16(src + 4)),
                 F(ReadLe16(src + 6)));
  }
  for (; i < count; ++i, src += 2, dst += 3) Store3(dst, F(ReadLe16(src)));
}

void QuadsToColour(const std::uint8_t* src, std::uint8_t* dst, std::size_t count) {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4, src += 16, dst += 12) {
    Store4Pixels(dst, ReadLe32(src), ReadLe32(src + 4), ReadLe32(src + 8), ReadLe32(src + 12));
  }
  for (; i < count; ++i, src += 4, dst += 3) std::memcpy(dst, src, 3);
}

}  // namespace

std::int32_t CheckDib(const std::uint8_t* h, std::uint64_t available, bool paletteScreen,
                      DibLayout* out) {
  // The fixed 40-byte header must be there before any field is read.
  if (available < 40) return kDibBadSize;
  std::uint64_t headerSize = ReadLe32(h);
  if (headerSize < 40) return kDibBadSize;
  int bits = ReadLe16(h + 14);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return kDibBadBits;
  }
  if (paletteScreen && bits > 8) return kDibNeedsTable;
  std::uint32_t compression = ReadLe32(h + 16);
  if (compression == 3 && ReadLe32(h + 32) != 0) return kDibCompression;
  if (compression != 0 && compression != 3) return kDibCompression;

  DibLayout d;
  d.bits = bits;
  d.colours = bits <= 8 ? 1 << bits : 0;
  d.width = static_cast<std::int32_t>(ReadLe32(h + 4));
  d.height = static_cast<std::int32_t>(ReadLe32(h + 8));
  // Row bytes rounded up to 4 (signed division, then down to a multiple of 4).
  std::int64_t rowBytes = (std::int64_t{d.width} * bits + 7) / 8 + 3;
  d.sourceRow = rowBytes - (((rowBytes % 4) + 4) % 4);
  d.tableOffset = headerSize;

  bool is565 = false;
  std::uint64_t masks = 0;
  if (compression == 3) {
    // The masks follow the header: they must lie inside the bytes too.
    if (headerSize + 12 > available) return kDibBadSize;
    std::uint32_t red = ReadLe32(h + headerSize), green = ReadLe32(h + headerSize + 4),
                  blue = ReadLe32(h + headerSize + 8);
    if (!OneOf(red, kRedMasks) || !OneOf(green, kGreenMasks) || !OneOf(blue, kBlueMasks)) {
      return kDibMasks;
    }
    is565 = green == 0x7E0;
    masks = 12;
  }
  d.pixelOffset = headerSize + masks + 4 * std::uint64_t(d.colours);

  std::int64_t rows = 0, needed = 0;
  if (__builtin_mul_overflow(d.sourceRow, std::int64_t{d.height}, &rows) ||
      __builtin_add_overflow(rows, static_cast<std::int64_t>(d.pixelOffset), &needed) ||
      needed < 0 || static_cast<std::uint64_t>(needed) > available) {
    return kDibBadSize;
  }
  // A top-down or negative-width bitmap can pass the sum with its table
  // outside the bytes; the table is read on a palette screen, so refuse.
  if (d.pixelOffset > available) return kDibBadSize;

  if (paletteScreen) {
    d.line = bits == 8 ? DibLine::kCopy : bits == 4 ? DibLine::kBit4Index : DibLine::kBit1Index;
  } else {
    switch (bits) {
      case 1:
        d.line = DibLine::kBit1Colour;
        break;
      case 4:
        d.line = DibLine::kBit4Colour;
        break;
      case 8:
        d.line = DibLine::kBit8Colour;
        break;
      case 16:
        d.line = is565 ? DibLine::kWord565 : DibLine::kWord555;
        break;
      case 24:
        d.line = DibLine::kCopy;
        break;
      default:
        d.line = DibLine::kQuad;
        break;
    }
  }
  *out = d;
  return 0;
}

void ShiftColours(const std::uint32_t* bgr, ShiftedColours* out) {
  for (int i = 0; i < 256; ++i) {
    const std::uint32_t v = bgr[i] & 0xFFFFFF;
    out->t[0][i] = v;
    out->t[1][i] = v << 24;
    out->t[2][i] = v >> 8;
    out->t[3][i] = v << 16;
    out->t[4][i] = v >> 16;
    out->t[5][i] = v << 8;
  }
}

void IndicesToColourStreaming(const ShiftedColours& s, const std::uint8_t* src, std::uint8_t* dst,
                              std::size_t count) {
#if defined(__SSE2__)
  std::size_t i = 0;
  // Plain stores up to a 4-byte boundary: as 3 and 4 share no factor, one
  // of the first 4 pixels starts on one.
  for (; i < count && (reinterpret_cast<std::uintptr_t>(dst) & 3) != 0; ++i, dst += 3) {
    Store3(dst, s.t[0][src[i]]);
  }
  // Four pixels as three 4-byte stores past the caches, each word two table
  // entries or'ed: the shifts are in the tables.
  int* out = reinterpret_cast<int*>(dst);
  for (; i + 4 <= count; i += 4, out += 3) {
    const unsigned a = src[i], b = src[i + 1], c = src[i + 2], d = src[i + 3];
    _mm_stream_si32(out, static_cast<int>(s.t[0][a] | s.t[1][b]));
    _mm_stream_si32(out + 1, static_cast<int>(s.t[2][b] | s.t[3][c]));
    _mm_stream_si32(out + 2, static_cast<int>(s.t[4][c] | s.t[5][d]));
  }
  IndicesToColour(s.t[0], src + i, reinterpret_cast<std::uint8_t*>(out), count - i);
#else
  IndicesToColour(s.t[0], src, dst, count);
#endif
}

void EndStreaming() {
#if defined(__SSE2__)
  _mm_sfence();  // the streaming stores are weakly ordered: done before anything that follows
#endif
}

void ExpandColourTable(const std::uint8_t* table, int colours, std::uint32_t* bgr) {
  for (int i = 0; i < colours; ++i) bgr[i] = ReadLe32(table + 4 * i) & 0xFFFFFF;
}

void ConvertLine(DibLine kind, const std::uint32_t* bgr, const std::uint8_t* src, std::uint8_t* dst,
                 std::size_t count) {
  switch (kind) {
    case DibLine::kCopy:
      break;  // the caller copies whole lines
    case DibLine::kBit1Index:
      UnpackIndices(1, src, dst, count);
      break;
    case DibLine::kBit4Index:
      UnpackIndices(4, src, dst, count);
      break;
    case DibLine::kBit8Colour:
      IndicesToColour(bgr, src, dst, count);
      break;
    case DibLine::kBit1Colour:
    case DibLine::kBit4Colour: {
      // Unpack a chunk of indices, then look them up.
      std::uint8_t index[256];
      int bits = kind == DibLine::kBit1Colour ? 1 : 4;
      for (std::size_t done = 0; done < count; done += 256) {
        std::size_t n = std::min<std::size_t>(256, count - done);
        UnpackIndices(bits, src + done * bits / 8, index, n);
        IndicesToColour(bgr, index, dst + 3 * done, n);
      }
      break;
    }
    case DibLine::kWord555:
      WordsToColour<Word555>(src, dst, count);
      break;
    case DibLine::kWord565:
      WordsToColour<Word565>(src, dst, count);
      break;
    case DibLine::kQuad:
      QuadsToColour(src, dst, count);
      break;
  }
}

bool PrepareDibTarget(HspScreen* screen, const DibLayout& d, const std::uint8_t* table,
                      std::int32_t x, std::int32_t y, std::uint8_t* hostPalette, std::uint32_t* bgr,
                      DibTarget* target) {
  const bool palette = screen->paletteMode != 0;
  if (x < 0 || x >= screen->width) x = 0;
  if (y < 0 || y >= screen->height) y = 0;
  if (palette) {
    for (int i = 0; i < d.colours; ++i) {
      hostPalette[3 * i] = table[4 * i + 2];
      hostPalette[3 * i + 1] = table[4 * i + 1];
      hostPalette[3 * i + 2] = table[4 * i];
    }
    InstallPalette(screen, d.colours, hostPalette);
  }
  DibTarget t;
  t.drawWidth = std::min<std::int64_t>(d.width, std::int64_t{screen->width} - x);
  t.drawHeight = std::min<std::int64_t>(d.height, std::int64_t{screen->height} - y);
  // Negative or empty sizes draw nothing and never form a row address.
  if (t.drawWidth < 1 || t.drawHeight < 1) return false;
  if (!palette && d.bits <= 8) ExpandColourTable(table, d.colours, bgr);
  t.firstRow = std::int64_t{d.height} - t.drawHeight;
  t.bytesPerPixel = palette ? 1 : 3;
  t.screenRow = (t.bytesPerPixel * screen->width + 3) & ~std::int64_t{3};
  // The lowest drawn line is screen line y + drawHeight - 1, bottom-up.
  t.firstTarget =
      (std::int64_t{screen->height} - y - t.drawHeight) * t.screenRow + t.bytesPerPixel * x;
  t.pixels = HostPtr<std::uint8_t>(screen->pixelBits);
  t.streaming = d.line == DibLine::kBit8Colour &&
                t.drawWidth * t.drawHeight * t.bytesPerPixel >= kStreamingBytes;
  *target = t;
  return true;
}

void DrawDibRows(const DibLayout& d, const DibTarget& t, const std::uint32_t* bgr,
                 const std::uint8_t* rows, std::int64_t row, std::int64_t count) {
  // Offsets, not moving pointers: no address is formed outside the buffers.
  std::int64_t target = t.firstTarget + (row - t.firstRow) * t.screenRow;
  const std::size_t width = static_cast<std::size_t>(t.drawWidth);
  const std::size_t copyBytes = width * static_cast<std::size_t>(t.bytesPerPixel);
  std::int64_t source = 0;
  ShiftedColours shifted;
  if (t.streaming) ShiftColours(bgr, &shifted);
  for (std::int64_t i = 0; i < count; ++i) {
    if (d.line == DibLine::kCopy) {
      std::memcpy(t.pixels + target, rows + source, copyBytes);
    } else if (t.streaming) {
      IndicesToColourStreaming(shifted, rows + source, t.pixels + target, width);
    } else {
      ConvertLine(d.line, bgr, rows + source, t.pixels + target, width);
    }
    target += t.screenRow;
    source += d.sourceRow;
  }
  if (t.streaming) EndStreaming();
}

std::int32_t PlaceDib(HspScreen* screen, const std::uint8_t* dib, std::uint64_t available,
                      std::int32_t x, std::int32_t y, std::uint8_t* hostPalette) {
  DibLayout d;
  std::int32_t status = CheckDib(dib, available, screen->paletteMode != 0, &d);
  if (status != 0) return status;
  std::uint32_t bgr[256];
  DibTarget t;
  if (!PrepareDibTarget(screen, d, dib + d.tableOffset, x, y, hostPalette, bgr, &t)) return 0;
  const std::int64_t first = static_cast<std::int64_t>(d.pixelOffset) + t.firstRow * d.sourceRow;
  DrawDibRows(d, t, bgr, dib + first, t.firstRow, t.drawHeight);
  return 0;
}

}  // namespace zor
