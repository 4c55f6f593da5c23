#include "host/hsp3_views.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace zor::hsp3 {

namespace {

constexpr std::uint32_t kMaxBytes = 0xFFFFFFFCu;

std::uint32_t ElementCount(const PVal& p) {
  std::uint64_t n = p.len[1] > 0 ? std::uint64_t(p.len[1]) : 0;
  for (int d = 2; d <= 4; ++d)
    if (p.len[d] > 0) n *= std::uint64_t(p.len[d]);
  return std::uint32_t(std::min<std::uint64_t>(n, 0xFFFFFFFFu));
}

std::uint32_t ElementBytes(const PVal& p) {
  return p.flag == kFlagInt ? 4 : p.flag == kFlagDouble ? 8 : 0;
}

// String element k: element 0 at pt, the others through the slot table.
std::uint8_t* Element(const PVal& p, std::uint32_t k) {
  if (k >= ElementCount(p)) return nullptr;
  if (k == 0) return HostPtr<std::uint8_t>(p.pt);
  if (p.master == 0) return nullptr;
  return HostPtr<std::uint8_t>(HostPtr<HostAddr>(p.master)[k]);
}

// Bytes the host allocated for a string element (its header's size).
std::uint32_t Allocated(const std::uint8_t* e) {
  const std::int32_t size = reinterpret_cast<const StrInf*>(e - sizeof(StrInf))->size;
  return size > 0 ? std::uint32_t(size) : 0;
}

// Int and double elements from index to the end of all dimensions.
std::uint32_t NumberBytes(const PVal& p, std::uint32_t index) {
  const std::uint32_t count = ElementCount(p);
  if (index >= count) return 0;
  return std::uint32_t(
      std::min<std::uint64_t>(std::uint64_t(count - index) * ElementBytes(p), kMaxBytes));
}

// The size words: the extended record takes over when a count does not fit
// 16 bits, as the HSP 2 host does for large variables.
void Shape(HspVar& r, std::int32_t* ext, std::uint32_t rowSize, std::uint32_t rows) {
  r.lengths[1] = std::uint16_t(std::min<std::uint32_t>(rowSize, 0xFFFF));
  r.lengths[2] = std::uint16_t(std::min<std::uint32_t>(rows, 0xFFFF));
  if (rowSize > 0xFFFF || rows > 0xFFFF) {
    r.extended = 1;
    ext[2] = std::int32_t(std::min<std::uint32_t>(rowSize, 0x7FFFFFFF));
    ext[3] = std::int32_t(rows);
  }
}

// Where row k of a view lies in the host's storage, and how many of its
// bytes the host holds there: a string element's allocation, or an int or
// double array from the named element on (one row). 0 where there is none.
std::uint32_t HostRow(const VarView& v, std::uint32_t k, std::uint8_t** at) {
  const PVal& p = *v.pval;
  const std::uint32_t index = std::uint32_t(v.index);
  if (p.flag == kFlagStr) {
    *at = Element(p, index + k);
    return *at != nullptr ? std::min(Allocated(*at), v.rowBytes) : 0;
  }
  if (ElementBytes(p) == 0 || k != 0) return 0;
  *at = HostPtr<std::uint8_t>(p.pt) + std::size_t(index) * ElementBytes(p);
  return std::min(NumberBytes(p, index), v.rowBytes);
}

}  // namespace

void* LowAlloc(std::uint32_t bytes) {
  return VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void LowFree(void* p) {
  if (p != nullptr) VirtualFree(p, 0, MEM_RELEASE);
}

bool BuildView(VarView& v, PVal* pval, int index, bool own) {
  const PVal& p = *pval;
  v.pval = pval;
  v.index = index;
  v.block = nullptr;
  v.rows = 1;
  v.rowBytes = 0;
  v.rec = HspVar{};
  v.rec.type = std::uint16_t(p.flag);
  v.rec.lengths[0] = 1;
  v.rec.extendedSizes = ToHostAddr(v.ext);
  const std::uint32_t at = index < 0 ? ElementCount(p) : std::uint32_t(index);
  std::uint8_t* inPlace = nullptr;
  if (p.flag == kFlagStr) {
    inPlace = Element(p, at);
    if (inPlace != nullptr) v.rowBytes = Allocated(inPlace) & ~3u;
    while (inPlace != nullptr && Element(p, at + v.rows) != nullptr) ++v.rows;
    if (v.rows > 1) inPlace = nullptr;  // separate elements: gather them
  } else if (ElementBytes(p) != 0) {
    v.rowBytes = NumberBytes(p, at);
    if (v.rowBytes != 0) inPlace = HostPtr<std::uint8_t>(p.pt) + std::size_t(at) * ElementBytes(p);
  }
  Shape(v.rec, v.ext, v.rowBytes / 4, v.rows);
  if (inPlace != nullptr && !own) {
    v.rec.data = ToHostAddr(inPlace);
    return true;
  }
  const std::uint64_t bytes = std::uint64_t(v.rowBytes) * v.rows;
  if (bytes > kMaxBytes) return false;
  v.block = static_cast<std::uint8_t*>(LowAlloc(std::uint32_t(bytes)));
  if (v.block == nullptr) return false;
  Refresh(v, false);
  v.rec.data = ToHostAddr(v.block);
  return true;
}

void Refresh(VarView& v, bool text) {
  if (v.block == nullptr) return;
  for (std::uint32_t k = 0; k < v.rows; ++k) {
    std::uint8_t* row = v.block + std::size_t(k) * v.rowBytes;
    std::uint8_t* from = nullptr;
    const std::uint32_t n = HostRow(v, k, &from);
    if (n != 0) std::memcpy(row, from, n);
    std::memset(row + n, 0, v.rowBytes - n);
  }
  if (text && v.rowBytes != 0) v.block[v.rowBytes - 1] = 0;
}

void WriteBack(const VarView& v) {
  if (v.block == nullptr) return;
  const PVal& p = *v.pval;
  for (std::uint32_t k = 0; k < v.rows; ++k) {
    const std::uint8_t* row = v.block + std::size_t(k) * v.rowBytes;
    std::uint8_t* to = nullptr;
    const std::uint32_t n = HostRow(v, k, &to);
    if (n == 0 || std::memcmp(to, row, n) == 0) continue;
    std::memcpy(to, row, n);
    // A string element must end inside its own block: text that ran on
    // into the next row is cut at this one's end.
    if (p.flag == kFlagStr && std::memchr(row, 0, n) == nullptr) to[n - 1] = 0;
  }
}

void ReleaseBlock(VarView& v) {
  LowFree(v.block);
  v.block = nullptr;
}

}  // namespace zor::hsp3
