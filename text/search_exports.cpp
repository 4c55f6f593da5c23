// CountChr and SearchStr: byte counting and pattern search over a
// variable's bytes, results returned negated.
#include <climits>
#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "text/byte_search.h"

using namespace zor;

namespace {

// A count or position n as the host reads it: -n, in 32-bit arithmetic.
std::int32_t Negated(std::uint64_t n) {
  return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(n));
}

}  // namespace

ZOR_EXPORT CountChr(HspVar* var, std::int32_t value, std::int32_t length, std::int32_t start) {
  if (length < 1 || start < 0) return kBadArg;
  const ByteRange r = ClampRange(start, length, ByteCapacity(*var));
  if (r.begin >= r.end) return 0;
  const std::uint8_t* data = HostPtr<const std::uint8_t>(var->data);
  return Negated(CountByte(data + r.begin, r.end - r.begin, static_cast<std::uint8_t>(value)));
}

ZOR_EXPORT SearchStr(HspVar* var, const char* pattern, std::int32_t length, std::int32_t start) {
  const std::size_t patLen = std::strlen(pattern);
  if (patLen == 0 || length == 0 || start < 0) return kBadArg;
  const bool fold = length < 0;
  // A negative length asks for a case-insensitive search over -length bytes;
  // the most negative length has no positive negation and searches nothing.
  std::int64_t len = length;
  if (fold && length != INT_MIN) len = -len;
  const ByteRange r = ClampRange(start, len, ByteCapacity(*var));
  if (fold && patLen > kMaxFoldedPattern) return kBadArg;
  if (r.begin >= r.end) return 0;
  const std::uint8_t* data = HostPtr<const std::uint8_t>(var->data);
  const auto* pat = reinterpret_cast<const std::uint8_t*>(pattern);
  std::int64_t pos;
  if (fold) {
    std::uint8_t folded[kMaxFoldedPattern];
    FoldText(pat, patLen, folded);
    pos = FindFolded(data, r.begin, r.end, folded, patLen);
  } else {
    pos = FindBytes(data, r.begin, r.end, pat, patLen);
  }
  return pos < 0 ? 0 : Negated(static_cast<std::uint64_t>(pos) + 1);
}
