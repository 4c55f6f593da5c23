// CountChr and SearchStr, and the fast counting and search routines behind
// them checked against byte-by-byte walks on random Shift-JIS-like data.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "support/zortest.h"
#include "text/byte_search.h"
#include "text/sjis.h"

namespace {

ZT_EXPORT(CountChr, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SearchStr, zor::HspVar*, const char*, std::int32_t, std::int32_t);

zt::HostVar Holding(const std::string& bytes, std::uint32_t capacity = 64) {
  zt::HostVar v = zt::HostVar::String(capacity);
  std::memcpy(v.bytes(), bytes.data(), bytes.size());
  return v;
}

TEST(CountChr, RangeChecksAndCounts) {
  // 64 bytes, 61 of them zero. Lengths below 1 and negative starts are
  // refused; a start at or beyond the capacity is an empty range; the range
  // runs past the terminator and is cut at the capacity, also when start +
  // length exceeds 32 bits; only the low 8 bits of the value count.
  zt::HostVar v = Holding("abc");
  const struct {
    std::int32_t value, length, start, want;
  } cases[] = {{'a', 0, 0, 3},       {'a', -5, 0, 3},  {'a', 4, -1, 3},        {'a', 4, 64, 0},
               {'a', 4, INT_MAX, 0}, {0, 100, 0, -61}, {'a', 100, 0, -1},      {0, INT_MAX, 3, -61},
               {0, 2, 3, -2},        {'a', 2, 1, 0},   {'a' + 0x300, 1, 0, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.want, CountChr(v, c.value, c.length, c.start)) << c.value << " " << c.start;
  }
  zt::HostVar sj = Holding("\x83\x5c\\");  // second bytes count like any byte
  EXPECT_EQ(-2, CountChr(sj, 0x5c, 3, 0));
  EXPECT_EQ(-1, CountChr(sj, 0x83, 3, 0));
  zt::HostVar ints = zt::HostVar::Ints(4);  // the type is not examined
  ints.ints()[0] = 0x01010101;
  ints.ints()[3] = 0x00000100;
  EXPECT_EQ(-5, CountChr(ints, 1, 16, 0));
  zt::HostVar ext = Holding(std::string(64, 'x'));
  ext.SetExtended(2, 1);  // the extended size record bounds the range
  EXPECT_EQ(-8, CountChr(ext, 'x', 1000, 0));
}

TEST(SearchStr, StatusesAndPositions) {
  const std::string nul("ab\0cd", 5);
  // clang-format off
  const struct {
    std::string text, pattern;
    std::int32_t length, start, want;
  } cases[] = {
      // Positions count from the buffer start; a match must end in the range.
      {"abcabc", "b", 6, 0, -2},  {"abcabc", "b", 4, 2, -5},      {"abcabc", "bc", 2, 0, 0},
      {"abcabc", "bc", 3, 0, -2}, {"abcabc", "abc", 100, 1, -4},  {"abcabc", "abc", 100, 64, 0},
      {"abcabc", "x", 100, 0, 0},
      // refusals
      {"abc", "", 3, 0, 3}, {"abc", "a", 0, 0, 3}, {"abc", "a", 3, -1, 3}, {"abc", "a", -3, -1, 3},
      // Bytes after the terminator belong to the range.
      {nul, "cd", 64, 0, -4},     {nul, "CD", -64, 0, -4},        {nul, "cd", 4, 0, 0},
      // A negative length folds ASCII letters only; -INT_MIN is no length.
      {"xabc", "ABC", -4, 0, -2}, {"xabc", "ABC", 4, 0, 0},       {"xabc", "aBc", -4, 0, -2},
      {"xabc", "abc", -3, 0, 0},  {"xabc", "a", INT_MIN, 0, 0},   {"xABC[", "abc", -100, 0, -2},
      {"xABC[", "{", -100, 0, 0},
      // Without case, 0x83 0x41 is one character whose 0x41 is no 'A' (the
      // byte at the start begins a character); two-byte characters match whole,
      // their second byte unfolded; a pattern may end in a lead byte.
      {"\x83\x41\x41", "A", 3, 0, -2},              {"\x83\x41\x41", "a", -3, 0, -3},
      {"\x83\x41\x41", "a", -3, 1, -2},             {"\x82\x41\x82\x61", "\x82\x61", -4, 0, -3},
      {"\x82\x41\x82\x61", "\x82\x61", -2, 0, 0},  {"\x82\x41", "\x82\x41", -2, 0, -1},
      {"\x82\x41", "\x82", -2, 0, -1}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = Holding(c.text);
    EXPECT_EQ(c.want, SearchStr(v, c.pattern.c_str(), c.length, c.start))
        << c.text << " / " << c.pattern << " " << c.length << " " << c.start;
  }
}

TEST(SearchStr, PatternLengthLimitOnlyForCaseInsensitive) {
  zt::HostVar v = Holding(std::string(3000, 'a'), 4096);
  const std::string ok(2048, 'A'), tooLong(2049, 'A');
  EXPECT_EQ(-1, SearchStr(v, ok.c_str(), -4096, 0));
  EXPECT_EQ(3, SearchStr(v, tooLong.c_str(), -4096, 0));
  EXPECT_EQ(3, SearchStr(v, tooLong.c_str(), INT_MIN, 0));
  EXPECT_EQ(-1, SearchStr(v, std::string(2049, 'a').c_str(), 4096, 0));
}

// ---- the routines against byte-by-byte walks ----

std::int64_t SlowFind(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                      const std::vector<std::uint8_t>& pat) {
  for (std::size_t p = b; p + pat.size() <= e; ++p) {
    if (std::equal(pat.begin(), pat.end(), d.begin() + static_cast<std::ptrdiff_t>(p))) {
      return static_cast<std::int64_t>(p);
    }
  }
  return -1;
}

// The case-insensitive walk written out: no match starts on a second byte,
// the text is folded afresh from each candidate.
std::int64_t SlowFindFolded(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                            const std::vector<std::uint8_t>& folded) {
  bool second = false;
  for (std::size_t p = b; p < e; ++p) {
    if (second) {
      second = false;
      continue;
    }
    second = zor::IsLeadByte(d[p]);
    if (p + folded.size() > e) continue;
    bool trail = false, match = true;
    for (std::size_t j = 0; j < folded.size() && match; ++j) {
      std::uint8_t t = d[p + j];
      if (!trail && !zor::IsLeadByte(t) && t >= 'a' && t <= 'z') t -= 0x20;
      trail = !trail && zor::IsLeadByte(d[p + j]);
      match = t == folded[j];
    }
    if (match) return static_cast<std::int64_t>(p);
  }
  return -1;
}

// Bytes mostly from a small alphabet of letters and lead bytes, so that
// candidates, runs of lead bytes and near matches are frequent.
std::vector<std::uint8_t> RandomText(std::mt19937& rng, std::size_t n) {
  static const std::uint8_t kAlphabet[] = {'a',  'A',  'b',  'B',  0x81, 0x82, 0x9f, 0xe0,
                                           0xfd, 0x41, 0x61, 0xb1, 0x00, 0x5c, 'z',  0xff};
  std::vector<std::uint8_t> d(n);
  for (auto& b : d) {
    unsigned r = rng();
    b = (r & 0x300) ? kAlphabet[r & 15] : static_cast<std::uint8_t>(r >> 16);
  }
  return d;
}

TEST(SearchRoutines, AgreeWithByteByByteWalks) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t n = 1 + rng() % 300;
    std::vector<std::uint8_t> d = RandomText(rng, n);
    const std::size_t b = rng() % n;
    const std::size_t e = b + rng() % (n - b + 1);
    // Patterns: a slice of the text (often a match) or random bytes.
    std::vector<std::uint8_t> pat;
    const std::size_t len = 1 + rng() % 6;
    if (rng() % 3 != 0 && n >= len) {
      const auto at = d.begin() + static_cast<std::ptrdiff_t>(rng() % (n - len + 1));
      pat.assign(at, at + static_cast<std::ptrdiff_t>(len));
    } else {
      pat = RandomText(rng, len);
    }
    const std::uint8_t value = d[rng() % n];
    const auto count = std::count(d.begin() + static_cast<std::ptrdiff_t>(b),
                                  d.begin() + static_cast<std::ptrdiff_t>(e), value);
    ASSERT_EQ(static_cast<std::uint64_t>(count), zor::CountByte(d.data() + b, e - b, value));
    ASSERT_EQ(SlowFind(d, b, e, pat), zor::FindBytes(d.data(), b, e, pat.data(), pat.size()));
    std::vector<std::uint8_t> folded(pat.size());
    zor::FoldText(pat.data(), pat.size(), folded.data());
    ASSERT_EQ(SlowFindFolded(d, b, e, folded),
              zor::FindFolded(d.data(), b, e, folded.data(), folded.size()))
        << round;
  }
}

TEST(SearchRoutines, LongRunsOfLeadBytesAcrossBlocks) {
  // Runs of lead bytes of every length up to 200, at both offset parities,
  // then the pattern: only a match on a character boundary counts.
  for (std::size_t run = 0; run < 200; ++run) {
    for (std::size_t pad = 0; pad < 2; ++pad) {
      std::vector<std::uint8_t> d(pad, 'x');
      d.insert(d.end(), run, 0x88);
      d.insert(d.end(), {'q', 'q'});
      d.insert(d.end(), 70, 'x');
      const std::uint8_t folded[] = {'Q'};
      ASSERT_EQ(SlowFindFolded(d, 0, d.size(), {'Q'}),
                zor::FindFolded(d.data(), 0, d.size(), folded, 1))
          << run << " " << pad;
    }
  }
}

}  // namespace
