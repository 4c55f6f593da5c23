// Counting and searching run over whole variables (tens of megabytes), so
// the inner loops look at 16 or 64 bytes at a time where SSE2 is available;
// every path gives exactly the result of the plain byte-by-byte walk.
#include "text/byte_search.h"

#include <cstring>

#include "text/sjis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zor {

ByteRange ClampRange(std::int64_t start, std::int64_t length, std::uint32_t capacity) {
  if (start + length >= static_cast<std::int64_t>(capacity)) length = capacity - start;
  if (length <= 0) return {0, 0};
  return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(start + length)};
}

std::uint64_t CountByte(const std::uint8_t* data, std::size_t n, std::uint8_t value) {
  std::uint64_t total = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i needle = _mm_set1_epi8(static_cast<char>(value));
  const __m128i zero = _mm_setzero_si128();
  while (n - i >= 16) {
    // Per-lane counters are bytes: fold them into the total every 255 blocks.
    std::size_t blocks = (n - i) / 16;
    if (blocks > 255) blocks = 255;
    __m128i acc = zero;
    for (std::size_t b = 0; b < blocks; ++b, i += 16) {
      __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      acc = _mm_sub_epi8(acc, _mm_cmpeq_epi8(x, needle));
    }
    __m128i sums = _mm_sad_epu8(acc, zero);
    total += static_cast<std::uint32_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::uint32_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; i < n; ++i) total += data[i] == value;
  return total;
}

std::int64_t FindBytes(const std::uint8_t* data, std::size_t begin, std::size_t end,
                       const std::uint8_t* pattern, std::size_t patLen) {
  if (patLen == 0 || end < begin || end - begin < patLen) return -1;
  const std::size_t lastStart = end - patLen;  // last position a match may start at
  if (patLen == 1) {
    const void* hit = std::memchr(data + begin, pattern[0], end - begin);
    return hit ? static_cast<const std::uint8_t*>(hit) - data : -1;
  }
  const std::uint8_t first = pattern[0];
  const std::uint8_t last = pattern[patLen - 1];
  std::size_t p = begin;
#if defined(__SSE2__)
  // Sixteen candidates at a time: only positions whose first and last bytes
  // both agree are compared in full.
  const __m128i vFirst = _mm_set1_epi8(static_cast<char>(first));
  const __m128i vLast = _mm_set1_epi8(static_cast<char>(last));
  while (p <= lastStart && lastStart - p >= 15) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + patLen - 1));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, vFirst), _mm_cmpeq_epi8(b, vLast))));
    while (mask != 0) {
      std::size_t q = p + static_cast<unsigned>(__builtin_ctz(mask));
      if (std::memcmp(data + q + 1, pattern + 1, patLen - 2) == 0) return q;
      mask &= mask - 1;
    }
    p += 16;
  }
#endif
  while (p <= lastStart) {
    const void* hit = std::memchr(data + p, first, lastStart - p + 1);
    if (hit == nullptr) return -1;
    p = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
    if (data[p + patLen - 1] == last && std::memcmp(data + p + 1, pattern + 1, patLen - 2) == 0) {
      return p;
    }
    ++p;
  }
  return -1;
}

namespace {

// One byte of folded text: ASCII letters upper-cased, the two bytes of a
// double-byte character kept; `second` says the byte follows a lead byte.
inline std::uint8_t FoldByte(std::uint8_t b, bool& second) {
  if (second) {
    second = false;
  } else if (IsLeadByte(b)) {
    second = true;
  } else if (b >= 'a' && b <= 'z') {
    b = static_cast<std::uint8_t>(b - 0x20);
  }
  return b;
}

}  // namespace

void FoldText(const std::uint8_t* text, std::size_t n, std::uint8_t* out) {
  bool second = false;
  for (std::size_t j = 0; j < n; ++j) out[j] = FoldByte(text[j], second);
}

namespace {

// Folds the text from p afresh and compares it with the folded pattern; a
// match must end at or before `end`.
bool FoldedMatchAt(const std::uint8_t* data, std::size_t p, std::size_t end,
                   const std::uint8_t* folded, std::size_t patLen) {
  if (end - p < patLen) return false;
  bool second = false;
  for (std::size_t j = 0; j < patLen; ++j) {
    if (FoldByte(data[p + j], second) != folded[j]) return false;
  }
  return true;
}

#if defined(__SSE2__)
// Bit k set where byte k of the 16 is a lead byte.
inline unsigned LeadBits(__m128i x) {
  const __m128i lo = _mm_set1_epi8(static_cast<char>(0x81));
  const __m128i hi = _mm_set1_epi8(static_cast<char>(0x9F));
  const __m128i top = _mm_set1_epi8(static_cast<char>(0xE0));
  __m128i inLow =
      _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(x, lo), x), _mm_cmpeq_epi8(_mm_min_epu8(x, hi), x));
  __m128i inTop = _mm_cmpeq_epi8(_mm_max_epu8(x, top), x);
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(inLow, inTop)));
}

// Second bytes of two-byte characters among 64 bytes, given the lead-byte
// bits and whether byte 0 is a second byte (carryIn 0 or 1). In a run of
// consecutive lead bytes starting at position a, the second bytes are the
// positions after a at odd distance from a; adding the start bit of each
// run that starts on an odd position flips the parity of that run. Returns
// whether the byte after the 64 is a second byte.
inline std::uint64_t SecondBytes(std::uint64_t lead, std::uint64_t carryIn, std::uint64_t* second) {
  const std::uint64_t even = 0x5555555555555555ull;
  const std::uint64_t l = lead & ~carryIn;  // a second byte never leads
  const std::uint64_t starts = l & ~(l << 1);
  const std::uint64_t sum = l + (starts & ~even);
  *second = ((even ^ (sum << 1)) & (l << 1)) | carryIn;
  return sum < l ? 1 : 0;
}
#endif

}  // namespace

std::int64_t FindFolded(const std::uint8_t* data, std::size_t begin, std::size_t end,
                        const std::uint8_t* folded, std::size_t patLen) {
  if (patLen == 0 || begin >= end) return -1;
  const std::uint8_t f1 = folded[0];
  const std::uint8_t f2 = (f1 >= 'A' && f1 <= 'Z') ? static_cast<std::uint8_t>(f1 + 0x20) : f1;
  std::size_t p = begin;
  bool second = false;  // the byte at p is the second byte of a character
#if defined(__SSE2__)
  const __m128i v1 = _mm_set1_epi8(static_cast<char>(f1));
  const __m128i v2 = _mm_set1_epi8(static_cast<char>(f2));
  std::uint64_t carry = 0;
  while (end - p >= 64) {
    std::uint64_t lead = 0, cand = 0;
    for (int k = 0; k < 4; ++k) {
      __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + 16 * k));
      lead |= static_cast<std::uint64_t>(LeadBits(x)) << (16 * k);
      unsigned c = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, v1), _mm_cmpeq_epi8(x, v2))));
      cand |= static_cast<std::uint64_t>(c) << (16 * k);
    }
    std::uint64_t secondMask;
    carry = SecondBytes(lead, carry, &secondMask);
    cand &= ~secondMask;
    while (cand != 0) {
      std::size_t q = p + static_cast<unsigned>(__builtin_ctzll(cand));
      if (FoldedMatchAt(data, q, end, folded, patLen)) return static_cast<std::int64_t>(q);
      cand &= cand - 1;
    }
    p += 64;
  }
  second = carry != 0;
#endif
  for (; p < end; ++p) {
    if (second) {
      second = false;
      continue;
    }
    const std::uint8_t b = data[p];
    if (IsLeadByte(b)) second = true;
    if ((b == f1 || b == f2) && FoldedMatchAt(data, p, end, folded, patLen)) {
      return static_cast<std::int64_t>(p);
    }
  }
  return -1;
}

}  // namespace zor
