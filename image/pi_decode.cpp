// Pi stream decoder. The bit reader keeps up to 64 bits, most significant
// first, and refills from the current window; every code is checked against
// the bits actually present, so the stream is decoded to its true end and a
// truncated code stops the decoding instead of reading past the source.
#include "image/pi_decode.h"

#include <array>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zor {

void FreeBytes::operator()(std::uint8_t* p) const { std::free(p); }

namespace {

// ---- bit input ----

struct BitReader {
  std::uint64_t bits = 0;  // next bit in bit 63; bits past `count` are 0 or the true next bits
  int count = 0;
  const std::uint8_t* cur = nullptr;
  const std::uint8_t* end = nullptr;
  const PiByteSource* source = nullptr;
  bool exhausted = false;
};

inline std::uint64_t Load64Be(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return __builtin_bswap64(v);
}

bool NextWindow(BitReader& r) {
  if (r.exhausted || r.source->more == nullptr) return false;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  if (!r.source->more(r.source->context, &data, &size) || size == 0) return false;
  r.cur = data;
  r.end = data + size;
  return true;
}

// Stops at 56 to 63 bits, like the fast path: the fast path's shift by
// `count` needs count below 64.
void RefillSlow(BitReader& r) {
  while (r.count < 56) {
    if (r.cur == r.end) {
      if (!NextWindow(r)) {
        r.exhausted = true;
        return;
      }
      continue;
    }
    r.bits |= std::uint64_t{*r.cur++} << (56 - r.count);
    r.count += 8;
  }
}

// Leaves at least 56 bits, fewer only at the end of the data.
inline void Refill(BitReader& r) {
  if (r.end - r.cur >= 8) {
    r.bits |= Load64Be(r.cur) >> r.count;
    r.cur += (63 - r.count) >> 3;
    r.count |= 56;
  } else if (r.count < 56) {
    RefillSlow(r);
  }
}

inline unsigned Peek(const BitReader& r, int n) {
  return static_cast<unsigned>(r.bits >> (64 - n));
}

inline void Consume(BitReader& r, int n) {
  r.bits <<= n;
  r.count -= n;
}

// ---- code tables ----

// Colour codes: entry = (k - 1) | (code length << 8), indexed by the next
// 6 (16 colours) or 14 (256 colours) bits.
constexpr std::uint16_t ColourEntry(unsigned v, int bits, bool wide) {
  auto bit = [&](int i) { return (v >> (bits - 1 - i)) & 1u; };  // i-th bit from the top
  auto field = [&](int at, int n) { return (v >> (bits - at - n)) & ((1u << n) - 1); };
  if (bit(0)) return static_cast<std::uint16_t>(bit(1) | (2u << 8));         // 1x: 1-2
  if (!bit(1)) return static_cast<std::uint16_t>((2 + bit(2)) | (3u << 8));  // 00x: 3-4
  int ones = 0;                                                              // 1 bits after "01"
  const int maxOnes = wide ? 5 : 1;
  while (ones < maxOnes && bit(2 + ones)) ++ones;
  int prefix = (ones == maxOnes && ones > 0) ? 2 + ones : 3 + ones;
  int n = ones + 2;
  return static_cast<std::uint16_t>(((1u << n) + field(prefix, n)) |
                                    static_cast<unsigned>(prefix + n) << 8);
}

template <int Bits, bool Wide>
constexpr std::array<std::uint16_t, (1u << Bits)> MakeColourTable() {
  std::array<std::uint16_t, (1u << Bits)> t{};
  for (unsigned v = 0; v < (1u << Bits); ++v) t[v] = ColourEntry(v, Bits, Wide);
  return t;
}

constexpr auto kColour16 = MakeColourTable<6, false>();
constexpr auto kColour256 = MakeColourTable<14, true>();

// The 256-colour codes of up to 9 bits (k up to 32, the common ones) by the
// next 9 bits, 0 for the longer codes: a table small enough to stay in the
// first-level cache next to the colour lists.
constexpr std::array<std::uint16_t, 512> MakeShortTable() {
  std::array<std::uint16_t, 512> t{};
  for (unsigned v = 0; v < 512; ++v) {
    const std::uint16_t e = ColourEntry(v << 5, 14, true);
    t[v] = (e >> 8) <= 9 ? e : 0;
  }
  return t;
}
constexpr auto kColour256Short = MakeShortTable();

// A literal pair's two colour codes and the bit after them (whether the run
// goes on) by the next kTwoBits bits, so that a pair costs one lookup and
// one shift of the bit buffer instead of three. When all three fit:
// 0x8000 | at1 | at2 << 5 | their length << 10 | bit << 14 (both entries
// below 16). When only the first code fits: at1 | its length << 6 (at1
// below 64). Otherwise 0.
constexpr int kTwoBits = 12;
constexpr std::uint16_t WindowEntry(unsigned v, int avail, bool wide) {
  const int window = wide ? 14 : 6;
  const unsigned x = avail >= window ? v >> (avail - window) : v << (window - avail);
  return ColourEntry(x & ((1u << window) - 1), window, wide);
}
template <bool Wide>
constexpr std::array<std::uint16_t, (1u << kTwoBits)> MakeTwoTable() {
  std::array<std::uint16_t, (1u << kTwoBits)> t{};
  for (unsigned v = 0; v < (1u << kTwoBits); ++v) {
    const std::uint16_t e1 = WindowEntry(v, kTwoBits, Wide);
    const int l1 = e1 >> 8;
    if (l1 >= kTwoBits) continue;
    const int rest = kTwoBits - l1;
    const std::uint16_t e2 = WindowEntry(v & ((1u << rest) - 1), rest, Wide);
    const int l2 = e2 >> 8;
    // A 256-colour pair takes the lookup only with both entries in the
    // lists' first 16, so that its list moves are one block each.
    if (l1 + l2 + 1 > kTwoBits || (e1 & 0xFF) >= 16 || (e2 & 0xFF) >= 16) {
      t[v] = static_cast<std::uint16_t>((e1 & 0x3Fu) | static_cast<unsigned>(l1) << 6);
      continue;
    }
    const unsigned more = (v >> (kTwoBits - l1 - l2 - 1)) & 1;
    t[v] =
        static_cast<std::uint16_t>((e1 & 0x1Fu) | (e2 & 0x1Fu) << 5 |
                                   static_cast<unsigned>(l1 + l2 + 1) << 10 | more << 14 | 0x8000u);
  }
  return t;
}
constexpr auto kTwo16 = MakeTwoTable<false>();
constexpr auto kTwo256 = MakeTwoTable<true>();

// Position codes by the next 3 bits: code | length << 4.
constexpr std::uint8_t kPosition[8] = {0 | 2 << 4, 0 | 2 << 4, 1 | 2 << 4, 1 | 2 << 4,
                                       2 | 2 << 4, 2 | 2 << 4, 3 | 3 << 4, 4 | 3 << 4};

// A position code and the length code after it, by the next 11 bits:
// code | position-code length << 3 | pairs << 5 | both codes' length << 10,
// the last two 0 when the length code does not fit in the 11 bits.
constexpr int kPairBits = 11;
constexpr std::array<std::uint16_t, (1u << kPairBits)> MakePairTable() {
  std::array<std::uint16_t, (1u << kPairBits)> t{};
  for (unsigned v = 0; v < (1u << kPairBits); ++v) {
    const unsigned pe = kPosition[v >> (kPairBits - 3)];
    const unsigned code = pe & 15, codeLength = pe >> 4;
    const unsigned rest = kPairBits - codeLength;  // bits left for the length code
    const unsigned after = v & ((1u << rest) - 1);
    auto bit = [&](unsigned i) { return (after >> (rest - 1 - i)) & 1u; };
    unsigned ones = 0;
    while (ones < rest && bit(ones)) ++ones;
    unsigned pairs = 0, length = 0;
    if (ones == 0) {
      pairs = 1;
      length = 1;
    } else if (2 * ones + 1 <= rest) {
      const unsigned field = (after >> (rest - 2 * ones - 1)) & ((1u << ones) - 1);
      pairs = (1u << ones) + field;
      length = 2 * ones + 1;
    }
    const unsigned total = length != 0 ? codeLength + length : 0;
    t[v] = static_cast<std::uint16_t>(code | codeLength << 3 | pairs << 5 | total << 10);
  }
  return t;
}
constexpr auto kPair = MakePairTable();

// The colour code's constants for 16 (Wide false) or 256 colours, fixed at
// compile time so that the shifts take immediates and the list address is
// a shift or two and an add.
template <bool Wide>
struct ColourCode {
  static constexpr int kCount = Wide ? 256 : 16;
  // Bytes per list: 256-byte lists would put every 16th list at the same
  // address modulo 4 KiB, and the loads would wait on unrelated list stores.
  static constexpr int kStride = Wide ? 288 : 16;
  static constexpr int kPeekBits = Wide ? 9 : 6;
  static constexpr const std::uint16_t* Table() {
    return Wide ? kColour256Short.data() : kColour16.data();
  }
};

#if defined(__SSE2__)
// Byte i of mask k is 0xFF for i <= k: the list bytes that move up by one.
struct FrontMasks {
  alignas(16) std::uint8_t m[16][16];
};
constexpr FrontMasks kFrontMask = [] {
  FrontMasks t{};
  for (int k = 0; k < 16; ++k) {
    for (int i = 0; i < 16; ++i) t.m[k][i] = i <= k ? 0xFF : 0;
  }
  return t;
}();

// Block b's entry numbers, 16b .. 16b + 15, with the top bit flipped for
// the signed byte compare.
struct BlockNumbers {
  alignas(16) std::uint8_t n[16][16];
};
constexpr BlockNumbers kBlockNumbers = [] {
  BlockNumbers t{};
  for (int b = 0; b < 16; ++b) {
    for (int i = 0; i < 16; ++i) t.n[b][i] = static_cast<std::uint8_t>((16 * b + i) ^ 0x80);
  }
  return t;
}();
#endif

// Moves list entry `at` (holding c) to the front, entries 0 .. at-1 up by
// one. The lists lie back to back, so nothing before entry 0 is touched.
template <bool Wide>
inline void MoveToFront(std::uint8_t* list, int at, std::uint8_t c) {
#if defined(__SSE2__)
  __m128i* const p = reinterpret_cast<__m128i*>(list);
  if (Wide && at >= 16) {
    // A deep entry (noisy pictures): all fifteen upper blocks, top down,
    // each taking the entries one lower where its entry number is at most
    // `at`. Straight-line code: a loop over the blocks that need it would
    // end at a different count each time, and the processor would guess
    // wrong. Each block's loads come before its store and after the store
    // of the block above, which they do not overlap.
    const __m128i limit = _mm_set1_epi8(static_cast<char>(at ^ 0x80));
    for (int b = 15; b >= 1; --b) {
      const __m128i lower = _mm_loadu_si128(reinterpret_cast<const __m128i*>(list + 16 * b - 1));
      const __m128i same = _mm_loadu_si128(p + b);
      const __m128i keep = _mm_cmpgt_epi8(
          _mm_load_si128(reinterpret_cast<const __m128i*>(kBlockNumbers.n[b])), limit);
      _mm_storeu_si128(p + b,
                       _mm_or_si128(_mm_and_si128(keep, same), _mm_andnot_si128(keep, lower)));
    }
    const __m128i v = _mm_loadu_si128(p);
    _mm_storeu_si128(p, _mm_or_si128(_mm_slli_si128(v, 1), _mm_cvtsi32_si128(c)));
    return;
  }
  // One 16-byte block, shifted up by a byte where the mask says, c below.
  const __m128i v = _mm_loadu_si128(p);
  const __m128i m = _mm_load_si128(reinterpret_cast<const __m128i*>(kFrontMask.m[at]));
  const __m128i moved =
      _mm_or_si128(_mm_and_si128(_mm_slli_si128(v, 1), m), _mm_andnot_si128(m, v));
  _mm_storeu_si128(p, _mm_or_si128(moved, _mm_cvtsi32_si128(c)));
#else
  std::memmove(list + 1, list, static_cast<std::size_t>(at));
  list[0] = c;
#endif
}

// Takes entry `at` of the list after `previous` and moves it to the front.
// Shallow: `at` is known to be below 16, so the move is one block.
template <bool Wide, bool Shallow = false>
inline std::uint8_t TakeColour(std::uint8_t* lists, unsigned previous, int at) {
  std::uint8_t* list = lists + previous * static_cast<unsigned>(ColourCode<Wide>::kStride);
  const std::uint8_t c = list[at];
  MoveToFront<Wide && !Shallow>(list, at, c);
  return c;
}

// Reads one colour after `previous` from the lists (each kStride bytes);
// false when the bits run out.
template <bool Wide>
inline bool ReadColour(BitReader& r, std::uint8_t* lists, unsigned previous, std::uint8_t* out) {
  using Code = ColourCode<Wide>;
  unsigned e = Code::Table()[Peek(r, Code::kPeekBits)];
  if (Wide && e == 0) e = kColour256[Peek(r, 14)];  // a long 256-colour code
  const int length = static_cast<int>(e >> 8);
  if (length > r.count) return false;
  Consume(r, length);
  *out = TakeColour<Wide>(lists, previous, static_cast<int>(e & 0xFF));
  return true;
}

// Length of a copy in pixel pairs, 0 when the stream ends or the code has
// 31 leading 1 bits.
inline std::uint32_t ReadLength(BitReader& r) {
  if (r.count < 32) Refill(r);
  if (r.count == 0) return 0;
  if ((r.bits >> 63) == 0) {
    Consume(r, 1);
    return 1;
  }
  int ones = __builtin_clzll(~r.bits | 1);  // capped at 63
  if (ones >= 31 || ones >= r.count) return 0;
  Consume(r, ones + 1);
  if (r.count < ones) {
    Refill(r);
    if (r.count < ones) return 0;
  }
  std::uint32_t field = Peek(r, ones);
  Consume(r, ones);
  return (std::uint32_t{1} << ones) + field;
}

// Copies n bytes to dst from distance d back, in increasing order, so that an
// overlapping source repeats its pattern. May write up to 31 bytes past n.
inline void CopyBack(std::uint8_t* dst, std::size_t d, std::size_t n) {
  const std::uint8_t* src = dst - d;
  if (d >= 32) {
    for (std::size_t i = 0; i < n; i += 32) std::memcpy(dst + i, src + i, 32);
  } else if (d >= 16) {
    for (std::size_t i = 0; i < n; i += 16) std::memcpy(dst + i, src + i, 16);
  } else if (d == 2 || d == 4 || d == 8) {
    // The pattern's period divides 8: it is widened to 8 bytes by
    // multiplication, and every 16-byte block is the same.
    std::uint64_t v;
    if (d == 8) {
      std::memcpy(&v, src, 8);
    } else {
      std::uint32_t x;
      if (d == 4) {
        std::memcpy(&x, src, 4);
      } else {
        std::uint16_t y;
        std::memcpy(&y, src, 2);
        x = y * 0x10001u;
      }
      v = x * 0x100000001ull;
    }
    std::uint8_t pattern[16];
    std::memcpy(pattern, &v, 8);
    std::memcpy(pattern + 8, &v, 8);
    for (std::size_t i = 0; i < n; i += 16) std::memcpy(dst + i, pattern, 16);
  } else if (d >= 8) {
    for (std::size_t i = 0; i < n; i += 8) std::memcpy(dst + i, src + i, 8);
  } else {
    for (std::size_t i = 0; i < n; ++i) dst[i] = src[i];
  }
}

constexpr std::size_t kSlack = 64;  // room for CopyBack's overrun and the odd last pixel

// Where the pixel loop stopped: p the next pixel, `written` the pixels
// stored (p + 1 after half a literal pair).
struct LoopEnd {
  std::size_t p;
  std::size_t written;
};

// The pixel loop after the first two colours: position codes, copies and
// literal runs into pic[0 .. end), the lists already fresh.
template <bool Wide>
LoopEnd DecodePixels(BitReader& r, std::uint8_t* lists, std::uint8_t* pic, std::size_t end,
                     const std::size_t (&distance)[5]) {
  const std::size_t pairedEnd = end + (end & 1);  // the odd last pair's second pixel is dropped
  std::size_t p = 0;                              // next pixel, always even
  std::size_t written = 2;  // pixels stored: the first pair's fill, p, or p + 1 after half a pair
  int previousCode = -1;
  while (p < end) {
    Refill(r);
    const unsigned pe = kPair[Peek(r, kPairBits)];
    const int codeLength = static_cast<int>((pe >> 3) & 3);
    if (codeLength > r.count) break;
    const int code = static_cast<int>(pe & 7);
    const int bothLength = static_cast<int>(pe >> 10);

    if (code == previousCode) {
      // A run of literal colour pairs.
      Consume(r, codeLength);
      previousCode = -1;
      bool ok = true;
      // The colour before each pixel stays in a register: read back from the
      // picture it would wait on the list stores just made.
      std::uint8_t before = pic[p - 1];
      for (;;) {
        // 29 bits hold a pair of the longest codes and the bit after them;
        // the one-lookup pair takes at most 12, so most pairs skip the refill.
        if (r.count < 29) Refill(r);
        // Both codes and the bit after them at once, unless the pair is the
        // picture's last (no bit follows it) or the codes are long.
        const unsigned two = (Wide ? kTwo256 : kTwo16)[Peek(r, kTwoBits)];
        const int twoLength = static_cast<int>((two >> 10) & 15);
        if ((two & 0x8000) != 0 && twoLength <= r.count && end - p > 2) {
          Consume(r, twoLength);
          const std::uint8_t a = TakeColour<Wide, true>(lists, before, static_cast<int>(two & 15));
          pic[p] = a;
          before = TakeColour<Wide, true>(lists, a, static_cast<int>((two >> 5) & 15));
          pic[p + 1] = before;
          p += 2;
          if ((two & 0x4000) == 0) break;
          continue;
        }
        std::uint8_t a = 0;
        const int firstLength = static_cast<int>((two >> 6) & 15);
        if ((two & 0x8000) == 0 && firstLength != 0 && firstLength <= r.count) {
          Consume(r, firstLength);  // the first code from the same lookup
          a = TakeColour<Wide>(lists, before, static_cast<int>(two & 63));
        } else if (!ReadColour<Wide>(r, lists, before, &a)) {
          ok = false;
          break;
        }
        pic[p] = a;
        if (!ReadColour<Wide>(r, lists, a, &before)) {
          written = p + 1;
          ok = false;
          break;
        }
        pic[p + 1] = before;
        p += 2;
        if (p >= end) break;
        if (r.count < 1) {
          ok = false;
          break;
        }
        const bool more = Peek(r, 1) != 0;
        Consume(r, 1);
        if (!more) break;
      }
      if (!ok) break;
      continue;
    }

    previousCode = code;
    std::uint32_t pairs;
    if (bothLength != 0 && bothLength <= r.count) {
      Consume(r, bothLength);  // a short length, decoded with the position
      pairs = (pe >> 5) & 31;
    } else {
      Consume(r, codeLength);
      pairs = ReadLength(r);
      if (pairs == 0) break;
    }
    // The pixels before p through a pointer: at p = 0 they lie in the
    // leading area, and p - 1 as an unsigned index would wrap.
    const std::uint8_t* const at = pic + p;
    const std::size_t d = code == 0 ? (at[-1] == at[-2] ? 2 : 4) : distance[code];
    std::size_t count = 2 * static_cast<std::size_t>(pairs);
    if (count > pairedEnd - p) count = pairedEnd - p;
    CopyBack(pic + p, d, count);
    p += count;
  }
  return {p, written};
}

// Fills the fresh lists (the list of c holds c, c-1, c-2, ... most recent
// first), reads the first two colours and decodes the rest. Returns false
// when the first two colours cannot be read.
template <bool Wide>
bool DecodeAll(BitReader& r, std::uint8_t* lists, std::uint8_t* base, std::uint64_t lead,
               std::size_t end, const std::size_t (&distance)[5], LoopEnd* stop) {
  using Code = ColourCode<Wide>;
  // Each list is a window on one descending run: down[k] = -k (mod count).
  std::uint8_t down[2 * Code::kCount];
  for (int k = 0; k < 2 * Code::kCount; ++k)
    down[k] = static_cast<std::uint8_t>(-k & (Code::kCount - 1));
  for (int c = 0; c < Code::kCount; ++c)
    std::memcpy(lists + c * Code::kStride, down + Code::kCount - c, Code::kCount);
  std::uint8_t c1 = 0, c2 = 0;
  if (!ReadColour<Wide>(r, lists, 0, &c1) || !ReadColour<Wide>(r, lists, c1, &c2)) return false;
  // The leading area and the first pair hold c1, c2 alternately.
  for (std::uint64_t i = 0; i < lead + 2; i += 2) {
    base[i] = c1;
    base[i + 1] = c2;
  }
  *stop = DecodePixels<Wide>(r, lists, base + lead, end, distance);
  return true;
}

}  // namespace

std::int32_t DecodePiStream(const PiByteSource& source, std::int32_t width, std::int32_t height,
                            std::int32_t colourCount, PiPixels* out) {
  out->block.reset();
  out->picture = nullptr;
  out->width = width;
  out->height = height;
  out->complete = false;
  if (width < 1 || width > kPiMaxWidth || height < 0 || height > kPiMaxHeight) return kPiBadSize;

  // Sizes in 64 bits: at most 8,192 x 65,535 pixels.
  const std::uint64_t w = static_cast<std::uint64_t>(width);
  const std::uint64_t total = w * static_cast<std::uint64_t>(height);
  const std::uint64_t lead = 4 * w;
  const std::uint64_t bytes = lead + total + kSlack;
  if (bytes > SIZE_MAX) return kPiNoMemory;
  const bool wide = colourCount != 16;
  const std::size_t listBytes =
      wide ? 256 * ColourCode<true>::kStride : 16 * ColourCode<false>::kStride;

  std::unique_ptr<std::uint8_t, FreeBytes> lists(
      static_cast<std::uint8_t*>(std::malloc(listBytes)));
  // Every pixel is read only after it is written (copies reach back at
  // least one pixel), except at width 1, where the code for one row back
  // less one pixel names the pixel itself: that keeps the cleared block.
  // Elsewhere the block is not cleared ahead; the pixels the stream leaves
  // are cleared at the end.
  std::unique_ptr<std::uint8_t, FreeBytes> block(
      static_cast<std::uint8_t*>(w == 1 ? std::calloc(static_cast<std::size_t>(bytes), 1)
                                        : std::malloc(static_cast<std::size_t>(bytes))));
  if (!lists || !block) return kPiNoMemory;

  BitReader r;
  r.cur = source.data;
  r.end = source.data + source.size;
  r.source = &source;
  Refill(r);

  std::uint8_t* const base = block.get();
  std::uint8_t* const pic = base + lead;
  const std::size_t end = static_cast<std::size_t>(total);
  const std::size_t distance[5] = {0, static_cast<std::size_t>(w), static_cast<std::size_t>(2 * w),
                                   static_cast<std::size_t>(w - 1),
                                   static_cast<std::size_t>(w + 1)};
  std::uint8_t* const first = lists.get();
  LoopEnd stop{};
  const bool started = wide ? DecodeAll<true>(r, first, base, lead, end, distance, &stop)
                            : DecodeAll<false>(r, first, base, lead, end, distance, &stop);
  if (!started) return kPiNoStream;
  std::size_t written = stop.written;
  if (stop.p > written) written = stop.p;

  if (written < end) {
    // The pixels the stream did not reach, and what a copy wrote ahead.
    std::memset(pic + written, 0, end - written);
  } else {
    out->complete = true;
  }
  out->picture = pic;
  out->block = std::move(block);
  return 0;
}

}  // namespace zor
