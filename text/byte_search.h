// Byte counting and pattern search over a variable's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zor {

// Positions [begin, end) of a variable's bytes; empty when begin >= end.
struct ByteRange {
  std::uint32_t begin;
  std::uint32_t end;
};

// Confines start S (>= 0) and length L to a buffer of `capacity` bytes: when
// S + L reaches the capacity, L becomes capacity - S. Sums are exact (64-bit).
ByteRange ClampRange(std::int64_t start, std::int64_t length, std::uint32_t capacity);

// Number of bytes in data[0, n) equal to value.
std::uint64_t CountByte(const std::uint8_t* data, std::size_t n, std::uint8_t value);

// First position p in [begin, end) with data[p, p + patLen) == pattern and
// p + patLen <= end, or -1. Every position is a candidate.
std::int64_t FindBytes(const std::uint8_t* data, std::size_t begin, std::size_t end,
                       const std::uint8_t* pattern, std::size_t patLen);

// Longest pattern the case-insensitive search accepts.
constexpr std::size_t kMaxFoldedPattern = 2048;

// Writes the case-folded form of text[0, n) to out: a lead byte and the byte
// after it are copied unchanged, other bytes a-z become A-Z.
void FoldText(const std::uint8_t* text, std::size_t n, std::uint8_t* out);

// Case-insensitive search for a pattern already folded with FoldText. The
// walk starts a character at `begin`, never starts a match on the second
// byte of a two-byte character, and folds the text afresh from each
// candidate. Returns the first match position or -1.
std::int64_t FindFolded(const std::uint8_t* data, std::size_t begin, std::size_t end,
                        const std::uint8_t* folded, std::size_t patLen);

}  // namespace zor
