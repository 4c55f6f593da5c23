// CountChr and SearchStr, and the counting and search routines behind them
// checked against a plain byte-by-byte walk on random Shift-JIS-like data.
#include <gtest/gtest.h>

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

TEST(CountChr, ArgumentChecksAndEmptyRanges) {
  zt::HostVar v = Holding("aaaa");
  EXPECT_EQ(3, CountChr(v, 'a', 0, 0));
  EXPECT_EQ(3, CountChr(v, 'a', -5, 0));
  EXPECT_EQ(3, CountChr(v, 'a', 4, -1));
  EXPECT_EQ(0, CountChr(v, 'a', 4, 64));  // start at the capacity
  EXPECT_EQ(0, CountChr(v, 'a', 4, INT_MAX));
}

TEST(CountChr, RangeRunsPastTheTerminatorUpToTheCapacity) {
  zt::HostVar v = Holding("abc");
  EXPECT_EQ(-61, CountChr(v, 0, 100, 0));
  EXPECT_EQ(-1, CountChr(v, 'a', 100, 0));
  EXPECT_EQ(-61, CountChr(v, 0, INT_MAX, 3));  // start + length beyond 32 bits
  EXPECT_EQ(-2, CountChr(v, 0, 2, 3));
  EXPECT_EQ(0, CountChr(v, 'a', 2, 1));
  EXPECT_EQ(-1, CountChr(v, 'a' + 0x300, 1, 0));  // only the low 8 bits count
}

TEST(CountChr, CountsSecondBytesAndAnyVariableType) {
  zt::HostVar v = Holding("\x83\x5c\\");
  EXPECT_EQ(-2, CountChr(v, 0x5c, 3, 0));
  EXPECT_EQ(-1, CountChr(v, 0x83, 3, 0));
  zt::HostVar ints = zt::HostVar::Ints(4);
  ints.ints()[0] = 0x01010101;
  ints.ints()[3] = 0x00000100;
  EXPECT_EQ(-5, CountChr(ints, 1, 16, 0));
  // The extended size record bounds the range.
  zt::HostVar ext = Holding(std::string(64, 'x'));
  ext.SetExtended(2, 1);
  EXPECT_EQ(-8, CountChr(ext, 'x', 1000, 0));
}

TEST(SearchStr, PositionsCountFromTheBufferStart) {
  zt::HostVar v = Holding("abcabc");
  EXPECT_EQ(-2, SearchStr(v, "b", 6, 0));
  EXPECT_EQ(-5, SearchStr(v, "b", 4, 2));
  EXPECT_EQ(0, SearchStr(v, "bc", 2, 0));  // would end beyond the range
  EXPECT_EQ(-2, SearchStr(v, "bc", 3, 0));
  EXPECT_EQ(-4, SearchStr(v, "abc", 100, 1));
  EXPECT_EQ(0, SearchStr(v, "abc", 100, 64));
  EXPECT_EQ(0, SearchStr(v, "x", 100, 0));
}

TEST(SearchStr, ArgumentChecks) {
  zt::HostVar v = Holding("abc");
  EXPECT_EQ(3, SearchStr(v, "", 3, 0));
  EXPECT_EQ(3, SearchStr(v, "a", 0, 0));
  EXPECT_EQ(3, SearchStr(v, "a", 3, -1));
  EXPECT_EQ(3, SearchStr(v, "a", -3, -1));
}

TEST(SearchStr, CaseInsensitiveWithNegativeLength) {
  zt::HostVar v = Holding("xabc");
  EXPECT_EQ(-2, SearchStr(v, "ABC", -4, 0));
  EXPECT_EQ(0, SearchStr(v, "ABC", 4, 0));
  EXPECT_EQ(-2, SearchStr(v, "aBc", -4, 0));
  EXPECT_EQ(0, SearchStr(v, "abc", -3, 0));  // the match must end inside the range
  zt::HostVar upper = Holding("xABC[");
  EXPECT_EQ(-2, SearchStr(upper, "abc", -100, 0));
  EXPECT_EQ(0, SearchStr(upper, "{", -100, 0));  // only letters fold
  EXPECT_EQ(0, SearchStr(v, "a", INT_MIN, 0));   // -INT_MIN is no length
}

TEST(SearchStr, CaseInsensitiveRespectsCharacterBoundaries) {
  // 0x83 0x41 is one character: its 0x41 is no 'A'.
  zt::HostVar v = Holding("\x83\x41\x41");
  EXPECT_EQ(-2, SearchStr(v, "A", 3, 0));   // byte for byte it is
  EXPECT_EQ(-3, SearchStr(v, "a", -3, 0));  // the walk steps over it
  EXPECT_EQ(-2, SearchStr(v, "a", -3, 1));  // the byte at the start begins a character
  // Two-byte characters match whole, their second byte unfolded.
  zt::HostVar sj = Holding("\x82\x41\x82\x61");
  EXPECT_EQ(-3, SearchStr(sj, "\x82\x61", -4, 0));
  EXPECT_EQ(0, SearchStr(sj, "\x82\x61", -2, 0));
  zt::HostVar only = Holding("\x82\x41");
  EXPECT_EQ(0, SearchStr(only, "\x82\x61", -2, 0));
  EXPECT_EQ(-1, SearchStr(only, "\x82\x41", -2, 0));
  // A pattern ending in a lead byte matches that byte alone.
  EXPECT_EQ(-1, SearchStr(only, "\x82", -2, 0));
}

TEST(SearchStr, PatternLengthLimitOnlyForCaseInsensitive) {
  zt::HostVar v = Holding(std::string(3000, 'a'), 4096);
  const std::string ok(2048, 'A'), tooLong(2049, 'A');
  EXPECT_EQ(-1, SearchStr(v, ok.c_str(), -4096, 0));
  EXPECT_EQ(3, SearchStr(v, tooLong.c_str(), -4096, 0));
  EXPECT_EQ(3, SearchStr(v, tooLong.c_str(), INT_MIN, 0));
  EXPECT_EQ(-1, SearchStr(v, std::string(2049, 'a').c_str(), 4096, 0));
}

TEST(SearchStr, FindsMatchesAfterTheTerminator) {
  zt::HostVar v = Holding(std::string("ab\0cd", 5));
  EXPECT_EQ(-4, SearchStr(v, "cd", 64, 0));
  EXPECT_EQ(-4, SearchStr(v, "CD", -64, 0));
  EXPECT_EQ(0, SearchStr(v, "cd", 4, 0));
}

// ---- the routines against a byte-by-byte walk ----

std::uint64_t SlowCount(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                        std::uint8_t v) {
  std::uint64_t n = 0;
  for (std::size_t i = b; i < e; ++i) n += d[i] == v;
  return n;
}

std::int64_t SlowFind(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                      const std::vector<std::uint8_t>& pat) {
  for (std::size_t p = b; p < e; ++p) {
    if (p + pat.size() > e) return -1;
    if (std::equal(pat.begin(), pat.end(), d.begin() + static_cast<std::ptrdiff_t>(p))) {
      return static_cast<std::int64_t>(p);
    }
  }
  return -1;
}

std::uint8_t Fold(std::uint8_t b) { return (b >= 'a' && b <= 'z') ? b - 0x20 : b; }

std::int64_t SlowFindFolded(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                            const std::vector<std::uint8_t>& folded) {
  const std::uint8_t f1 = folded[0];
  const std::uint8_t f2 = (f1 >= 'A' && f1 <= 'Z') ? f1 + 0x20 : f1;
  bool second = false;
  for (std::size_t p = b; p < e; ++p) {
    if (second) {
      second = false;
      continue;
    }
    if (zor::IsLeadByte(d[p])) second = true;
    if (d[p] != f1 && d[p] != f2) continue;
    bool match = true, trail = false;
    for (std::size_t j = 0; j < folded.size() && match; ++j) {
      if (p + j >= e) {
        match = false;
        break;
      }
      std::uint8_t t = d[p + j];
      if (trail) {
        trail = false;
      } else if (zor::IsLeadByte(t)) {
        trail = true;
      } else {
        t = Fold(t);
      }
      match = t == folded[j];
    }
    if (match) return static_cast<std::int64_t>(p);
  }
  return -1;
}

// Bytes drawn mostly from a small alphabet of letters and lead bytes, so
// that candidates, runs of lead bytes and near matches are frequent.
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
      const std::size_t at = rng() % (n - len + 1);
      pat.assign(d.begin() + static_cast<std::ptrdiff_t>(at),
                 d.begin() + static_cast<std::ptrdiff_t>(at + len));
    } else {
      pat = RandomText(rng, len);
    }
    const std::uint8_t value = d[rng() % n];
    ASSERT_EQ(SlowCount(d, b, e, value), zor::CountByte(d.data() + b, e - b, value)) << round;
    ASSERT_EQ(SlowFind(d, b, e, pat), zor::FindBytes(d.data(), b, e, pat.data(), pat.size()))
        << round;
    std::vector<std::uint8_t> folded(pat.size());
    zor::FoldText(pat.data(), pat.size(), folded.data());
    ASSERT_EQ(SlowFindFolded(d, b, e, folded),
              zor::FindFolded(d.data(), b, e, folded.data(), folded.size()))
        << round;
  }
}

TEST(SearchRoutines, LongRunsOfLeadBytesAcrossBlocks) {
  // Runs of lead bytes of every length up to 200, at every offset parity,
  // followed by the pattern: only a match on a character boundary counts.
  for (std::size_t run = 0; run < 200; ++run) {
    for (std::size_t pad = 0; pad < 2; ++pad) {
      std::vector<std::uint8_t> d(pad, 'x');
      d.insert(d.end(), run, 0x88);
      d.push_back('q');
      d.push_back('q');
      d.insert(d.end(), 70, 'x');
      const std::uint8_t folded[] = {'Q'};
      ASSERT_EQ(SlowFindFolded(d, 0, d.size(), {'Q'}),
                zor::FindFolded(d.data(), 0, d.size(), folded, 1))
          << run << " " << pad;
    }
  }
}

TEST(SearchRoutines, FoldTextPairsLeadBytes) {
  const std::uint8_t in[] = {'a', 0x82, 'a', 'b', 0xe0, 0x81, 'c', 0x81};
  std::uint8_t out[sizeof in];
  zor::FoldText(in, sizeof in, out);
  const std::uint8_t want[] = {'A', 0x82, 'a', 'B', 0xe0, 0x81, 'C', 0x81};
  EXPECT_EQ(0, std::memcmp(want, out, sizeof want));
}

TEST(SearchRoutines, ClampRange) {
  auto r = zor::ClampRange(10, INT_MAX, 64);
  EXPECT_EQ(10u, r.begin);
  EXPECT_EQ(64u, r.end);
  r = zor::ClampRange(70, 5, 64);
  EXPECT_GE(r.begin, r.end);
  r = zor::ClampRange(3, INT_MIN, 64);
  EXPECT_GE(r.begin, r.end);
  r = zor::ClampRange(3, 4, 64);
  EXPECT_EQ(3u, r.begin);
  EXPECT_EQ(7u, r.end);
}

}  // namespace
