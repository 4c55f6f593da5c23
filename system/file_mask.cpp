#include "system/file_mask.h"

#include <cstring>

namespace zor {

namespace {

std::size_t RowLength(const MaskRows& rows, std::uint32_t i) {
  const char* row = rows.data + std::size_t{i} * rows.rowBytes;
  const void* end = std::memchr(row, 0, rows.rowBytes);
  return end == nullptr ? rows.rowBytes
                        : static_cast<std::size_t>(static_cast<const char*>(end) - row);
}

}  // namespace

std::uint32_t BuildFileMask(const MaskRows& rows, char* out) {
  std::memset(out, 0, kFileMaskBytes);
  // Each row takes its text and one separator; the closing 0x01 0x01 and
  // the terminator take three more.
  constexpr std::size_t kClosing = 3;
  std::size_t used = 0;
  std::uint32_t pairs = 0;
  for (std::uint32_t i = 0; i + 1 < rows.count; i += 2) {
    std::size_t a = RowLength(rows, i), b = RowLength(rows, i + 1);
    if (a + b + 2 + kClosing > kFileMaskBytes - used) break;
    std::memcpy(out + used, rows.data + std::size_t{i} * rows.rowBytes, a);
    out[used + a] = 1;
    std::memcpy(out + used + a + 1, rows.data + std::size_t{i + 1} * rows.rowBytes, b);
    out[used + a + 1 + b] = 1;
    used += a + b + 2;
    ++pairs;
  }
  if (pairs == 0) return 0;
  out[used] = 1;
  out[used + 1] = 1;
  for (std::size_t k = 0; k < kFileMaskBytes; ++k) {
    if (static_cast<unsigned char>(out[k]) < 0x08) out[k] = 0;
  }
  return pairs;
}

}  // namespace zor
