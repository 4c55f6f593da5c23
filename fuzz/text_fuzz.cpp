// Fuzzes the text routines on hostile bytes: the fast search and count
// paths must agree with plain byte-by-byte walks, path splitting must stay
// inside a row of exactly the given size, search ranges stay inside the
// variable, and the locale mapping writes only inside the variable's bytes.
//
// Input: byte 0 picks the routine, bytes 1-4 its parameters, the rest is
// the text (and, for searches, a pattern cut from its front).
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/capacity.h"
#include "host/status.h"
#include "text/ascii_case.h"
#include "text/byte_search.h"
#include "text/case_map.h"
#include "text/file_name.h"
#include "text/sjis.h"

namespace {

std::int64_t SlowFind(const std::uint8_t* d, std::size_t b, std::size_t e, const std::uint8_t* pat,
                      std::size_t n) {
  for (std::size_t p = b; p + n <= e; ++p) {
    if (std::memcmp(d + p, pat, n) == 0) return static_cast<std::int64_t>(p);
  }
  return -1;
}

std::int64_t SlowFindFolded(const std::uint8_t* d, std::size_t b, std::size_t e,
                            const std::uint8_t* folded, std::size_t n) {
  std::vector<std::uint8_t> window(n);
  bool second = false;
  for (std::size_t p = b; p < e; ++p) {
    if (second) {
      second = false;
      continue;
    }
    if (zor::IsLeadByte(d[p])) second = true;
    if (p + n > e) continue;
    zor::FoldText(d + p, n, window.data());
    const std::uint8_t f2 = (folded[0] >= 'A' && folded[0] <= 'Z') ? folded[0] + 0x20 : folded[0];
    if ((d[p] == folded[0] || d[p] == f2) && std::memcmp(window.data(), folded, n) == 0) {
      return static_cast<std::int64_t>(p);
    }
  }
  return -1;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void Searches(const std::uint8_t* p, std::size_t size, const std::uint8_t* text, std::size_t n) {
  const std::size_t patLen = 1 + p[1] % 8;
  if (n < patLen) return;
  const std::uint8_t* pat = text;  // the pattern is cut from the text's front
  const std::uint8_t* d = text + patLen;
  n -= patLen;
  if (n == 0) return;
  const std::size_t b = p[2] * n / 256;
  const std::size_t e = b + p[3] * (n - b) / 255;
  (void)size;
  std::uint64_t slowCount = 0;
  for (std::size_t i = b; i < e; ++i) slowCount += d[i] == p[4];
  Check(zor::CountByte(d + b, e - b, p[4]) == slowCount);
  Check(zor::FindBytes(d, b, e, pat, patLen) == SlowFind(d, b, e, pat, patLen));
  std::uint8_t folded[8];
  zor::FoldText(pat, patLen, folded);
  Check(zor::FindFolded(d, b, e, folded, patLen) == SlowFindFolded(d, b, e, folded, patLen));
}

void Paths(const std::uint8_t* p, const std::uint8_t* text, std::size_t n) {
  std::vector<char> path(text, text + n);
  path.push_back(0);
  const std::uint32_t rowBytes = 1 + p[1] % 40;
  std::vector<char> row(rowBytes, '#');  // exactly the row: ASan sees any overrun
  const std::int32_t selector = static_cast<std::int8_t>(p[2]) % 6;
  const std::int32_t status =
      zor::WritePathPart(path.data(), selector, p[3] & 1, row.data(), rowBytes);
  Check(status == 0 || status == -255 || status == -16);
  Check(row[rowBytes - 1] == 0);
  if (status == -255) {
    for (char c : row) Check(c == 0);
  }
  Check(zor::CheckFileNameText(path.data(), p[3] & 2, p[3] & 4) <= 0);
  // FindChr starts inside the text (or gets a negative start to refuse).
  const std::int32_t len = static_cast<std::int32_t>(std::strlen(path.data()));
  std::int32_t start = static_cast<std::int8_t>(p[2]);
  if (start >= 0) start %= len + 1;
  const std::int32_t hit = zor::FindChr(path.data(), p[4], start);
  Check(hit >= -2 && hit < static_cast<std::int32_t>(path.size()));
  if (hit >= 0) Check(static_cast<std::uint8_t>(path[static_cast<std::size_t>(hit)]) == p[4]);

  std::vector<std::uint8_t> cased(path.begin(), path.end());
  zor::ChangeAsciiCase(cased.data(), p[3] & 8);
  for (std::size_t i = 0; i < cased.size(); ++i) {
    const std::uint8_t before = static_cast<std::uint8_t>(path[i]);
    Check(cased[i] == before || (cased[i] ^ 0x20) == before);
  }
}

// A string variable whose storage ends at an inaccessible page, in low
// memory like the host's: a write past its bytes faults.
constexpr std::size_t kPage = 4096;
zor::HspVar* GuardedVar(std::uint32_t bytes) {
  static std::uint8_t* const pages = [] {
    void* p = mmap(nullptr, 2 * kPage, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (p == MAP_FAILED || mprotect(static_cast<std::uint8_t*>(p) + kPage, kPage, PROT_NONE) != 0)
      std::abort();
    return static_cast<std::uint8_t*>(p);
  }();
  auto* var = reinterpret_cast<zor::HspVar*>(pages);
  std::memset(var, 0, sizeof *var);
  var->type = zor::kTypeString;
  var->lengths[0] = 1;
  var->lengths[1] = static_cast<std::uint16_t>(bytes / 4);
  var->data = zor::ToHostAddr(pages + kPage - bytes);
  std::memset(pages + kPage - bytes, 0x5A, bytes);
  return var;
}

void RangesAndMapping(const std::uint8_t* p, const std::uint8_t* text, std::size_t n) {
  // The search exports' range: start >= 0 and any length.
  const std::int64_t start = (p[1] | p[2] << 8) % 600;
  const std::int64_t length = static_cast<std::int16_t>(p[3] | p[4] << 8);
  const std::uint32_t capacity = 4u * (p[2] >> 2);
  const zor::ByteRange r = zor::ClampRange(start, length, capacity);
  Check(r.begin <= r.end && r.end <= capacity);
  if (r.begin != r.end) {
    Check(r.begin == start && r.end == std::min<std::int64_t>(start + length, capacity));
  }

  // MapStr: the mapped text with its terminator inside the variable, or a
  // failure.
  std::vector<char> source(text, text + n);
  source.push_back(0);
  const std::uint32_t bytes = 4u * (p[1] % 17);
  zor::HspVar* var = GuardedVar(bytes);
  const std::int32_t status = zor::MapToVariable(var, source.data(), p[3] ^ p[4]);
  Check(status == zor::kOk || status == zor::kFail || status == zor::kBadArg);
  if (status == zor::kOk) Check(std::memchr(zor::VarText(*var), 0, bytes) != nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  // Heap copy of the text, so reads past its end are caught.
  std::vector<std::uint8_t> text(data + 5, data + size);
  switch (data[0] % 3) {
    case 0:
      Paths(data, text.data(), text.size());
      break;
    case 1:
      Searches(data, size, text.data(), text.size());
      break;
    default:
      RangesAndMapping(data, text.data(), text.size());
      break;
  }
  return 0;
}
