// The file-type list of the open and save dialogs, built from the rows of a
// string array: pairs of description and pattern in the platform's form.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

constexpr std::size_t kFileMaskBytes = 4128;

// Rows of a string variable: `count` rows of `rowBytes` bytes from `data`.
// A row's text ends at its first zero byte, or after rowBytes bytes.
struct MaskRows {
  const char* data;
  std::uint32_t rowBytes;
  std::uint32_t count;  // even
};

// Joins the rows with the byte 0x01, closes the list with 0x01 0x01, and
// turns every byte below 0x08 of the whole buffer into 0, so that
// separators and any control bytes 1 to 7 inside a row end a string.
// `out` holds kFileMaskBytes bytes, all written. Pairs that do not fit are
// left out, the list is cut after the last pair that fits whole. Returns
// the number of pairs taken, 0 when not even the first one fits.
std::uint32_t BuildFileMask(const MaskRows& rows, char* out);

}  // namespace zor
