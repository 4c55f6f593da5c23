// The three ways exports size a variable's storage. All arithmetic is
// unsigned 32-bit, as the host does it; a row size of 0 leaves no room for a
// terminator, which HasTextRoom() lets callers refuse.
#pragma once

#include <cstdint>

#include "host/host_records.h"

namespace zor {

struct RowShape {
  std::uint32_t rowSize;   // R: 4-byte units per row
  std::uint32_t rowCount;  // M: N when N > 1, else 1
};

inline RowShape VarShape(const HspVar& v) {
  std::uint32_t r = v.lengths[1];
  std::int32_t n = v.lengths[2];
  if (v.extended > 0) {
    const std::int32_t* ext = HostPtr<const std::int32_t>(v.extendedSizes);
    // A negative row size claims no storage at all: taken as unsigned it
    // would claim nearly 4 GiB and let writes run past the real storage.
    r = ext[2] < 0 ? 0u : static_cast<std::uint32_t>(ext[2]);
    n = ext[3];
  }
  return {r, n > 1 ? static_cast<std::uint32_t>(n) : 1u};
}

// Bytes at data: 4 x R x M.
inline std::uint32_t ByteCapacity(const HspVar& v) {
  RowShape s = VarShape(v);
  return 4u * s.rowSize * s.rowCount;
}

// Characters an export may copy; the terminator goes at this index.
inline std::uint32_t TextLimit(const HspVar& v) {
  RowShape s = VarShape(v);
  return (4u * s.rowSize - 1u) * s.rowCount;
}

// 4 x lengths[1], ignoring the row count and the extended record.
inline std::uint32_t RowBytes(const HspVar& v) { return 4u * v.lengths[1]; }

// True when the storage holds at least the first 32-bit element, which the
// exports that return one integer write.
inline bool HoldsAnInt(const HspVar& v) { return ByteCapacity(v) >= 4; }

// True when the text-limit rule leaves room for at least the terminator.
inline bool HasTextRoom(const HspVar& v) { return VarShape(v).rowSize != 0; }

inline char* VarText(const HspVar& v) { return HostPtr<char>(v.data); }
inline std::int32_t* VarInts(const HspVar& v) { return HostPtr<std::int32_t>(v.data); }

}  // namespace zor
