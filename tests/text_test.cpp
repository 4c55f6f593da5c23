// The text exports, with the fast counting and search routines checked
// against byte-by-byte walks on random Shift-JIS-like data.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "support/zortest.h"
#include "text/byte_search.h"
#include "text/file_name.h"
#include "text/sjis.h"

namespace {

ZT_EXPORT(MapStr, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
using ZorOp = std::int32_t(ZOR_CALL*)(zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
using namespace std::string_literals;

// Code page 932 texts.
const std::string kFullAZ = "\x82\x60\x82\x79";                    // ＡＺ
const std::string kFullaz = "\x82\x81\x82\x9a";                    // ａｚ
const std::string kGaPaVuKa = "\x83\x4b\x83\x70\x83\x94\x83\x4a";  // ガパヴカ
const std::string kHalfGaPaVuKa = "\xb6\xde\xca\xdf\xb3\xde\xb6";  // ｶﾞﾊﾟｳﾞｶ
const std::string kHiraGaPaKa = "\x82\xaa\x82\xcf\x82\xa9";        // がぱか
const std::string kHalfGaPaKa = "\xb6\xde\xca\xdf\xb6";            // ｶﾞﾊﾟｶ
const std::string kFullMix = "\x82\x81\x82\x79\x81\x40\x81\x60\x82\x4f\x82\x58";  // ａＺ　～０９
const std::string kLower = "az" + kFullaz + "\x83\xbf\x84\x70";  // ASCII, full-width, α, а
const std::string kUpper = "AZ" + kFullAZ + "\x83\x9f\x84\x40";

TEST(MapStr, MapsByModeBits) {
  const std::string halfMarks = kHalfGaPaVuKa + "\xa1\xa2\xa3\xa4\xa5\xb0";
  const std::string fullMarks = kGaPaVuKa + "\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x81\x5b";
  const std::string kata = "\x83\x4a\x83\x5e\x83\x4a\x83\x69";  // カタカナ
  const std::string hira = "\x82\xa9\x82\xbd\x82\xa9\x82\xc8";  // かたかな
  // clang-format off
  const struct {
    std::string source;
    std::int32_t mode;
    std::string want;  // "-": refused with -1
    std::uint16_t words = 0;  // the row size word, 0: as made
    std::uint32_t bytes = 64, rows = 1;
    std::int32_t extRow = 0, limit = 0;  // limit: the first byte past the capacity
  } cases[] = {
      // Only the low 6 bits count; none set means full width.
      {"aZ ~09", 1, kFullMix}, {"aZ ~09", 0, kFullMix}, {"aZ ~09", 64, kFullMix},
      {kFullMix, 2, "aZ ~09"},
      // Half-width katakana and marks compose and split (｡｢｣､･ｰ <-> 。「」、・ー);
      // kana mapping alone leaves half-width katakana; hiragana have no half
      // width; full width comes before kana, kana before half width.
      {halfMarks, 1, fullMarks},     {fullMarks, 2, halfMarks},         {kata, 4, hira},
      {hira, 8, kata},               {kHiraGaPaKa, 2, kHiraGaPaKa},
      {kHalfGaPaKa, 1 | 4, kHiraGaPaKa}, {kHiraGaPaKa, 2 | 8, kHalfGaPaKa},
      // Case folds two-byte letters too; 0x82 0x61 (Ｂ) holds no 'a'.
      {kLower, 32, kUpper}, {kUpper, 16, kLower}, {"\x82\x81\x82\x60", 2 | 16, "aa"},
      {"\x82\x61\x61", 32, "\x82\x61\x41"},
      // pairs the platform refuses
      {"abc", 3, "-"}, {"abc", 12, "-"}, {"abc", 48, "-"},
      // The result with its terminator must fit the byte capacity (here 4
      // bytes; nothing goes beyond); a string array is one buffer; the
      // extended size record gives the capacity when extended > 0.
      {"abc", 32, "ABC", 1, 16, 1, 0, 4},   {"abcd", 32, "-", 1, 16, 1, 0, 4},
      {"abcde", 1, "\x82\x81\x82\x82\x82\x83\x82\x84\x82\x85", 0, 4, 3},
      {"abc", 1, "\x82\x81\x82\x82\x82\x83", 0, 16, 1, 2}, {"abc", 1, "-", 0, 16, 1, 1}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.bytes, c.rows);
    v.Fill('z');
    if (c.words != 0) v.rec()->lengths[1] = c.words;
    if (c.extRow != 0) v.SetExtended(c.extRow, 1);
    const bool refused = c.want == "-";
    EXPECT_EQ(refused ? -1 : 0, MapStr(v, c.source.c_str(), c.mode, 0))
        << c.mode << " " << c.source;
    if (!refused) {
      EXPECT_EQ(c.want, std::string(v.text())) << c.mode << " " << c.source;
    }
    if (c.limit != 0) {
      EXPECT_EQ('z', v.text()[c.limit]) << c.mode << " " << c.source;
    }
  }
}

// Upper and lower case through the locale, then the ASCII-only F forms that
// skip two-byte characters: the storage afterwards. The text is copied
// without its terminator; words sets the row size word (0: as made).
TEST(Case, MapsTheVariablesOwnTextWithinItsCapacity) {
  const ZorOp ops[] = {UpperCase, LowerCase, UpperCaseF, LowerCaseF};
  // clang-format off
  const struct {
    int op;  // UpperCase, LowerCase, UpperCaseF, LowerCaseF
    std::string text;
    std::int32_t status;
    std::string want;
    std::uint16_t words = 0;
    std::uint32_t bytes = 32, rows = 1, skip = 0;  // skip: leading bytes not compared
  } cases[] = {
      {0, "abc" + kFullaz + "\x83\xbf", 0, "ABC" + kFullAZ + "\x83\x9f"},
      {1, "ABC" + kFullAZ + "\x83\x9f", 0, "abc" + kFullaz + "\x83\xbf"},
      // Unterminated within 8 bytes: only the 8 are taken, and their upper
      // case with a terminator does not fit.
      {0, std::string(20, 'a'), -1, std::string(12, 'a'), 2, 32, 1, 8},
      {2, "\x82\x61\x61\x62", 0, "\x82\x61\x41\x42"},  // Ｂab
      // 0xFD-0xFF lead too; 0x80 and half-width katakana are single bytes.
      {2, "\xfd\x61\x62\x80\x63\xb1\x64", 0, "\xfd\x61\x42\x80\x43\xb1\x44"},
      {2, "\x82\x81\x83\xbf\x7a", 0, "\x82\x81\x83\xbf\x5a"},  // ａαz
      {3, "ABC\x81\0A"s, 0, "abc\x81\0A"s},  // a lone lead byte ends the text
      {3, "A[Z@z", 0, "a[z@z"},
      // The terminator goes to the last byte of the capacity; a string array
      // is one buffer.
      {2, "abcdefghijkl", 0, "ABCDEFG\0ijkl"s, 2},
      {2, "abcdefghijkl", 0, "ABCDEFGHIJK", 0, 4, 3}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.bytes, c.rows);
    std::memcpy(v.text(), c.text.data(), c.text.size());
    if (c.words != 0) v.rec()->lengths[1] = c.words;
    EXPECT_EQ(c.status, ops[c.op](v, 0, 0, 0)) << c.op << " " << c.text;
    const std::string all(v.text() + c.skip, v.storageBytes() - c.skip);
    EXPECT_EQ(c.want + std::string(all.size() - c.want.size(), '\0'), all) << c.op << " " << c.text;
  }
}

ZT_EXPORT(CountChr, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SearchStr, zor::HspVar*, const char*, std::int32_t, std::int32_t);

// CountChr counts `value` where a row gives one, else SearchStr looks for
// the pattern, in 64 bytes (4096 for long texts). CountChr refuses lengths
// below 1 and negative starts; a start at or beyond the capacity is an empty
// range; the range runs past the terminator and is cut at the capacity, also
// when start + length exceeds 32 bits; only the low 8 bits of the value count.
TEST(CountChrSearchStr, StatusesCountsAndPositions) {
  const std::string nul("ab\0cd", 5), a3000(3000, 'a'), A2049(2049, 'A');
  // clang-format off
  const struct {
    std::string text, pattern;
    std::int32_t length, start, want;
    int value = INT_MIN;  // CountChr's value
  } cases[] = {
      {"abc", "", 0, 0, 3, 'a'},       {"abc", "", 4, -1, 3, 'a'},     {"abc", "", 4, 64, 0, 'a'},
      {"abc", "", 100, 0, -61, 0},     {"abc", "", INT_MAX, 3, -61, 0}, {"abc", "", 2, 3, -2, 0},
      {"abc", "", 2, 1, 0, 'a'},       {"abc", "", 1, 0, -1, 'a' + 0x300},
      // Positions count from the buffer start; a match must end in the range.
      {"abcabc", "b", 6, 0, -2},  {"abcabc", "b", 4, 2, -5},      {"abcabc", "bc", 2, 0, 0},
      {"abcabc", "bc", 3, 0, -2}, {"abcabc", "abc", 100, 1, -4},  {"abcabc", "abc", 100, 64, 0},
      {"abcabc", "x", 100, 0, 0},
      // refusals
      {"abc", "", 3, 0, 3}, {"abc", "a", 0, 0, 3}, {"abc", "a", 3, -1, 3},
      // Bytes after the terminator belong to the range.
      {nul, "cd", 64, 0, -4},     {nul, "CD", -64, 0, -4},        {nul, "cd", 4, 0, 0},
      // A negative length folds ASCII letters only; -INT_MIN is no length.
      {"xabc", "ABC", 4, 0, 0},   {"xabc", "aBc", -4, 0, -2},     {"xabc", "abc", -3, 0, 0},
      {"xabc", "a", INT_MIN, 0, 0}, {"xABC[", "abc", -100, 0, -2}, {"xABC[", "{", -100, 0, 0},
      {"xyZ", "z", -3, 0, -3},
      // Without case, 0x83 0x41 is one character whose 0x41 is no 'A' (the
      // byte at the start begins a character); two-byte characters match whole,
      // their second byte unfolded; a pattern may end in a lead byte.
      {"\x83\x41\x41", "A", 3, 0, -2},              {"\x83\x41\x41", "a", -3, 0, -3},
      {"\x83\x41\x41", "a", -3, 1, -2},             {"\x82\x41\x82\x61", "\x82\x61", -4, 0, -3},
      {"\x82\x41\x82\x61", "\x82\x61", -2, 0, 0},  {"\x82\x41", "\x82\x41", -2, 0, -1},
      {"\x82\x41", "\x82", -2, 0, -1},          {"\x82\x41" "ab", "\x82\x41" "AB", -4, 0, -1},
      // The pattern length limit holds only without case.
      {a3000, A2049.substr(1), -4096, 0, -1}, {a3000, A2049, -4096, 0, 3},
      {a3000, A2049, INT_MIN, 0, 3},          {a3000, std::string(2049, 'a'), 4096, 0, -1}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.text.size() > 64 ? 4096 : 64);
    std::memcpy(v.bytes(), c.text.data(), c.text.size());
    const std::int32_t got = c.value != INT_MIN
                                 ? CountChr(v, c.value, c.length, c.start)
                                 : SearchStr(v, c.pattern.c_str(), c.length, c.start);
    EXPECT_EQ(c.want, got) << "row " << &c - cases;
  }
  zt::HostVar ints = zt::HostVar::Ints(4);  // the type is not examined
  ints.ints()[0] = 0x01010101;
  ints.ints()[3] = 0x00000100;
  EXPECT_EQ(-5, CountChr(ints, 1, 16, 0));
  zt::HostVar ext = zt::HostVar::String(64);
  ext.Fill('x');
  ext.SetExtended(2, 1);  // the extended size record bounds the range
  EXPECT_EQ(-8, CountChr(ext, 'x', 1000, 0));
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

// CountByte, FindBytes and FindFolded over d[b, e) against plain walks; the
// case-insensitive walk steps over second bytes and folds the text afresh
// from each character boundary.
void ExpectWalks(const std::vector<std::uint8_t>& d, std::size_t b, std::size_t e,
                 const std::vector<std::uint8_t>& pat, std::uint8_t value) {
  const auto first = d.begin() + static_cast<std::ptrdiff_t>(b);
  const auto last = d.begin() + static_cast<std::ptrdiff_t>(e);
  ASSERT_EQ(std::count(first, last, value), zor::CountByte(d.data() + b, e - b, value));
  const auto at = std::search(first, last, pat.begin(), pat.end());
  ASSERT_EQ(at == last ? -1 : at - d.begin(),
            zor::FindBytes(d.data(), b, e, pat.data(), pat.size()));
  std::vector<std::uint8_t> folded(pat.size()), window(pat.size());
  zor::FoldText(pat.data(), pat.size(), folded.data());
  std::int64_t want = -1;
  for (std::size_t p = b; p + pat.size() <= e && want < 0; p += zor::IsLeadByte(d[p]) ? 2 : 1) {
    zor::FoldText(d.data() + p, pat.size(), window.data());
    if (window == folded) want = static_cast<std::int64_t>(p);
  }
  ASSERT_EQ(want, zor::FindFolded(d.data(), b, e, folded.data(), folded.size()));
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
    ExpectWalks(d, b, e, pat, d[rng() % n]);
    if (HasFatalFailure()) return;
  }
  // Runs of lead bytes of every length up to 200, at both offset parities,
  // then the pattern: only a match on a character boundary counts.
  for (std::size_t run = 0; run < 400; ++run) {
    std::vector<std::uint8_t> d(run % 2, 'x');
    d.insert(d.end(), run / 2, 0x88);
    d.insert(d.end(), {'q', 'q'});
    d.insert(d.end(), 70, 'x');
    ExpectWalks(d, 0, d.size(), {'q'}, 'q');
    if (HasFatalFailure()) return;
  }
}

ZT_EXPORT(CheckFilename, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(NodeExt, zor::HspVar*, const char*, std::int32_t, std::int32_t);

TEST(FindChr, FindsOnlyAtCharacterBoundaries) {
  // ソa\ (0x5C as second byte, then '\'): the second byte is skipped unless
  // the walk starts there; a lead byte may equal the value; a lone lead byte
  // hides the end; 0xFD leads too, 0xA0 does not.
  const char* soA = "\x83\x5c\x61\x5c";
  // clang-format off
  const struct {
    const char* text;
    int value, start, want;
  } cases[] = {{"abc", 'a', -1, -2}, {"abc", 'a', 1, -1}, {soA, '\\', 0, 3},  {soA, '\\', 1, 1},
               {"\x83\x5c", 0x83, 0, 0}, {"a\x83", '\\', 0, -1}, {"\xfd\\", '\\', 0, -1},
               {"\xa0\\", '\\', 0, 1}};
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(c.want, zor::FindChr(c.text, c.value, c.start)) << c.text << " " << c.start;
}

TEST(CheckFilename, ForbiddenCharactersAndDriveColon) {
  // clang-format off
  const struct {
    std::string name;
    std::int32_t noDirs, semicolon, want;
    std::uint32_t bytes = 64;
  } cases[] = {
      {"a\\b.txt", 0, 0, 0}, {"a\\b.txt", 1, 0, -255}, {"a;b", 0, 0, -255}, {"a;b", 0, 1, 0},
      {"ab\"d", 0, 1, -255},  {"ab<d", 0, 1, -255},      {"ab>d", 0, 1, -255}, {"ab?d", 0, 1, -255},
      {"ab*d", 0, 1, -255},   {"ab/d", 0, 1, -255},      {"ab|d", 0, 1, -255},
      {"*ab", 0, 1, -255},    {";ab", 0, 0, -255},       {"\\ab", 1, 0, -255},  // in first place
      // ':' only second after an ASCII letter; only the first colon counts.
      {"C:\\x", 0, 0, 0},    {"z:x", 0, 0, 0},          {"1:\\x", 0, 0, -255}, {"ab:c", 0, 0, -255},
      {":", 0, 0, -255},      {"C:a:b", 0, 0, 0},
      // Second bytes 0x5C and 0x7C (of ソ, 表) are no characters; ｱ is one byte.
      {"\x83\x5c\x95\x7c.txt", 1, 0, 0},
      {"abcdefg*", 0, 0, 0, 8}};  // the row is terminated first: '*' lies in its last byte
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.bytes);
    std::memcpy(v.text(), c.name.data(), c.name.size());
    EXPECT_EQ(c.want, CheckFilename(v, c.noDirs, c.semicolon, 0)) << c.name;
    EXPECT_EQ(c.name.substr(0, c.bytes - 1), std::string(v.text())) << c.name;
  }
}

// Each case on rows filled with '#': the status, then the first row holds the
// part and zeros, and later rows keep their '#'.
TEST(NodeExt, PartsOfPathsTrimmedAndCutToTheRow) {
  // clang-format off
  const struct {
    std::string path;
    std::int32_t selector, status;
    std::string want;
    std::int32_t trim = 0;
    std::uint32_t row = 64, rows = 1;  // only the first row is used,
    std::int32_t extRow = 0;            // and an extended record does not widen it
  } cases[] = {
      {"c:\\a\\b.c", 1, 0, "C:"}, {"c:\\a\\b.c", 2, 0, "b"}, {"c:\\a\\b.c", 3, 0, "c"},
      {"a:x", 1, 0, "A:"},
      {"c:\\a\\b.c", 4, 0, "b.c"}, {"c:\\a\\b.c", 0, 0, "c:\\a\\"}, {"c:\\a\\b.c", 5, 0, "c:\\a\\"},
      {"c:\\a\\b.c", -1, 0, "c:\\a\\"},
      // Dots of directories are no extensions; a name that begins with its
      // dot has no base name.
      {"a.d\\file", 3, -255, ""}, {"file.tar.gz", 3, 0, "gz"}, {"x\\.cfg", 2, -255, ""},
      {"x\\.cfg", 3, 0, "cfg"},
      {".cfg", 2, -255, ""},       {"C:.cfg", 2, 0, ""},       {"noext", 2, 0, "noext"},
      {"noext", 3, -255, ""},      {"dir\\name.", 3, 0, ""},
      {"C:", 4, 0, ""},            {"C:\\", 4, -255, ""},     {"", 4, -255, ""},
      {"C:name", 4, 0, "name"},    {"name.ext", 0, -255, ""},  {"1:x", 1, -255, ""},
      // 0x83 0x5C (ソ) ends in the backslash byte but is no separator.
      {"d\\\x83\x5c.txt", 4, 0, "\x83\x5c.txt"}, {"\x83\x5c", 0, -255, ""},
      // Trimming removes trailing bytes up to 0x20 from the written part.
      {"C:\\a\\b.ext  ", 3, 0, "ext", 1}, {"C:\\a\\b.ext  ", 3, 0, "ext  ", 0},
      {"C:\\a\\b \t.e", 2, 0, "b", 1},
      // A part and its terminator must fit the row, else it is cut (then
      // trimmed); a directory that does not fit leaves the row empty (the
      // separator at position 6 needs 8 bytes).
      {"x.abcdefg", 3, 0, "abcdefg", 0, 8},  {"x.abcdefgh", 3, -16, "abcdefg", 0, 8},
      {"x.abcdef  ", 3, -16, "abcdef", 1, 8}, {"abcdef\\x", 0, 0, "abcdef\\", 0, 8},
      {"abcdefg\\x", 0, -16, "", 0, 8},       {"abcdefghij.x", 2, -16, "abcdefg", 0, 8, 2, 4}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.row, c.rows);
    v.Fill('#');
    if (c.extRow != 0) v.SetExtended(c.extRow, 1);
    const std::string what = c.path + " / " + std::to_string(c.selector);
    EXPECT_EQ(c.status, NodeExt(v, c.path.c_str(), c.selector, c.trim)) << what;
    const std::string rest =
        std::string(c.row - c.want.size(), '\0') + std::string(c.row * (c.rows - 1), '#');
    EXPECT_EQ(c.want + rest, std::string(v.text(), v.storageBytes())) << what;
  }
}

}  // namespace
