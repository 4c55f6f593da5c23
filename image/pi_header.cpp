// Pi header reader. Every scan is bounded by the n bytes obtained; nothing
// past them is read.
#include "image/pi_header.h"

#include <cstring>

#include "image/byte_order.h"

namespace zor {
namespace {

// The 16-colour palette used when a 16-colour picture stores none.
constexpr std::uint8_t kDefault16[16][3] = {
    {0, 0, 0},     {0, 0, 119},     {119, 0, 0},   {119, 0, 119},  {0, 119, 0}, {0, 119, 119},
    {119, 119, 0}, {119, 119, 119}, {0, 0, 0},     {0, 0, 255},    {255, 0, 0}, {255, 0, 255},
    {0, 255, 0},   {0, 255, 255},   {255, 255, 0}, {255, 255, 255}};

constexpr std::uint8_t Expand3(unsigned v) {
  return static_cast<std::uint8_t>((v << 5) | (v << 2) | (v >> 1));
}

bool IsSignature(const std::uint8_t* p) { return p[0] == 'P' && p[1] == 'i'; }

// First position in [from, limit) holding `value`, or limit.
std::size_t Find(const std::uint8_t* b, std::size_t from, std::size_t limit, std::uint8_t value) {
  while (from < limit && b[from] != value) ++from;
  return from;
}

}  // namespace

void PiDefaultPalette(std::int32_t colourCount, std::uint8_t* palette) {
  // The 256-colour ramp: index bits g g g r r r b b.
  for (unsigned i = 0; i < 256; ++i) {
    palette[3 * i + 0] = Expand3((i >> 2) & 7);
    palette[3 * i + 1] = Expand3(i >> 5);
    palette[3 * i + 2] = static_cast<std::uint8_t>((i & 3) * 85);
  }
  if (colourCount == 16) {
    std::memset(palette, 0, 768);
    std::memcpy(palette, kDefault16, sizeof kDefault16);
  }
}

std::int32_t ParsePiHeader(const std::uint8_t* b, std::size_t n, PiHeader* header,
                           std::int32_t* size) {
  size[0] = -1;
  size[1] = -1;
  header->colourCount = 0;
  if (n < 70) return kPiBadHeader;

  std::size_t h = 0;
  if (!IsSignature(b)) {
    if (n < 199 || !IsSignature(b + 128)) return kPiBadHeader;
    h = 128;
  }

  // "DMY" after the signature: a block ended by 0x00, then possibly a second
  // signature after which the comment starts.
  std::size_t comment = h + 2;
  if (std::memcmp(b + h + 2, "DMY", 3) == 0) {
    std::size_t zero = Find(b, h + 5, n - 5, 0);
    if (zero >= n - 5) return kPiBadHeader;
    for (std::size_t i = zero; i < n - 3; ++i) {
      if (IsSignature(b + i)) {
        comment = i + 2;
        break;
      }
    }
  }

  std::size_t eof = Find(b, comment, n, 0x1A);
  if (eof == n) return kPiBadHeader;
  std::size_t p = Find(b, eof, n, 0);
  if (p == n) return kPiBadHeader;
  // P+1 .. P+10 hold mode, aspect, planes, machine and the length L; when
  // they are not all there, Q + 4 lies beyond n whatever L says.
  if (p + 11 > n) return kPiBadHeader;

  const bool paletteStored = (b[p + 1] & 0x80) == 0;
  const std::int32_t colours = b[p + 4] == 4 ? 16 : 256;
  header->colourCount = colours;
  PiDefaultPalette(colours, header->palette);

  const std::size_t q = p + 11 + ReadBe16(b + p + 9);
  if (q + 4 > n) return kPiBadHeader;
  size[0] = static_cast<std::int32_t>(ReadBe16(b + q));
  size[1] = static_cast<std::int32_t>(ReadBe16(b + q + 2));

  const std::size_t paletteBytes = static_cast<std::size_t>(colours) * 3;
  if (q + 4 + paletteBytes >= n) return kPiBadHeader;
  std::size_t data = q + 4;
  if (paletteStored) {
    std::memcpy(header->palette, b + q + 4, paletteBytes);
    data += paletteBytes;
  }
  header->dataOffset = static_cast<std::uint32_t>(data);
  return 0;
}

}  // namespace zor
