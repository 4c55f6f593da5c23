// Case and width mapping: MapStr, UpperCase and LowerCase through the
// user's Japanese locale, the ASCII-only UpperCaseF and LowerCaseF, and the
// platform's LCMapStringA as those exports rely on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/zortest.h"
#include "text/ascii_case.h"
#include "text/case_map.h"

namespace {

ZT_EXPORT(MapStr, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

// Code page 932 texts used below.
const std::string kFullAZ = "\x82\x60\x82\x79";                    // ＡＺ
const std::string kFullaz = "\x82\x81\x82\x9a";                    // ａｚ
const std::string kGaPaVuKa = "\x83\x4b\x83\x70\x83\x94\x83\x4a";  // ガパヴカ
const std::string kHalfGaPaVuKa = "\xb6\xde\xca\xdf\xb3\xde\xb6";  // ｶﾞﾊﾟｳﾞｶ
const std::string kHiraGaPaKa = "\x82\xaa\x82\xcf\x82\xa9";        // がぱか

std::string Text(const zt::HostVar& v) { return std::string(v.text()); }

std::string MapText(const std::string& source, std::int32_t mode, std::int32_t* status) {
  zt::HostVar v = zt::HostVar::String(64);
  *status = MapStr(v, source.c_str(), mode, 0);
  return Text(v);
}

// The platform mapping itself, as MapStr calls it.
std::string Lc(DWORD flags, const std::string& s) {
  char out[64] = {};
  int n = LCMapStringA(GetUserDefaultLCID(), flags, s.c_str(), static_cast<int>(s.size() + 1), out,
                       sizeof out);
  return n > 0 ? std::string(out) : std::string("<failed>");
}

TEST(Locale, UserLocaleIsJapaneseWithCodePage932) {
  EXPECT_EQ(0x411u, GetUserDefaultLCID());
  // Only code page 932 encodes the full-width A as 0x82 0x60.
  EXPECT_EQ(kFullAZ, Lc(LCMAP_FULLWIDTH, "AZ"));
}

TEST(Locale, LCMapStringAFailuresAndSizes) {
  char out[16];
  const DWORD conflicting[] = {LCMAP_FULLWIDTH | LCMAP_HALFWIDTH, LCMAP_HIRAGANA | LCMAP_KATAKANA,
                               LCMAP_LOWERCASE | LCMAP_UPPERCASE};
  for (DWORD flags : conflicting) {
    SetLastError(0);
    EXPECT_EQ(0, LCMapStringA(0x411, flags, "ab", 3, out, sizeof out)) << flags;
    EXPECT_EQ(ERROR_INVALID_FLAGS, GetLastError()) << flags;
  }
  // "abc" in full width needs 7 bytes with its terminator.
  EXPECT_EQ(7, LCMapStringA(0x411, LCMAP_FULLWIDTH, "abc", 4, nullptr, 0));
  SetLastError(0);
  EXPECT_EQ(0, LCMapStringA(0x411, LCMAP_FULLWIDTH, "abc", 4, out, 6));
  EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
  EXPECT_EQ(7, LCMapStringA(0x411, LCMAP_FULLWIDTH, "abc", 4, out, 7));
  // A length of -1 takes the terminator along; an explicit length does not.
  EXPECT_EQ(4, LCMapStringA(0x411, LCMAP_UPPERCASE, "abc", -1, out, sizeof out));
  EXPECT_EQ(3, LCMapStringA(0x411, LCMAP_UPPERCASE, "abc", 3, out, sizeof out));
  SetLastError(0);
  EXPECT_EQ(0, LCMapStringA(0x411, LCMAP_UPPERCASE, "abc", 0, out, sizeof out));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(Locale, LCMapStringAKanaRules) {
  // Half-width katakana with voiced and semi-voiced marks compose and split.
  EXPECT_EQ(kGaPaVuKa, Lc(LCMAP_FULLWIDTH, kHalfGaPaVuKa));
  EXPECT_EQ(kHalfGaPaVuKa, Lc(LCMAP_HALFWIDTH, kGaPaVuKa));
  // Kana mapping alone leaves half-width katakana as they are.
  EXPECT_EQ("\xb6\xb7", Lc(LCMAP_HIRAGANA, "\xb6\xb7"));
  EXPECT_EQ("\xb6\xb7", Lc(LCMAP_KATAKANA, "\xb6\xb7"));
  // Full width is applied before the kana mapping, kana before half width.
  EXPECT_EQ(kHiraGaPaKa, Lc(LCMAP_FULLWIDTH | LCMAP_HIRAGANA, "\xb6\xde\xca\xdf\xb6"));
  EXPECT_EQ("\xb6\xde\xca\xdf\xb6", Lc(LCMAP_HALFWIDTH | LCMAP_KATAKANA, kHiraGaPaKa));
  // Hiragana have no half-width forms.
  EXPECT_EQ(kHiraGaPaKa, Lc(LCMAP_HALFWIDTH, kHiraGaPaKa));
}

TEST(MapStr, FullWidthIsModeOneAndModeZero) {
  std::int32_t status = -99;
  // a Z space ~ 0 9 -> ａＺ　～０９
  const std::string full = "\x82\x81\x82\x79\x81\x40\x81\x60\x82\x4f\x82\x58";
  for (std::int32_t mode : {1, 0, 64, 65, -64}) {
    EXPECT_EQ(full, MapText("aZ ~09", mode, &status)) << mode;
    EXPECT_EQ(0, status) << mode;
  }
}

TEST(MapStr, HalfWidthKatakanaAndPunctuation) {
  std::int32_t status = -99;
  // ｶﾞﾊﾟｳﾞｶ｡｢｣､･ｰ <-> ガパヴカ。「」、・ー
  const std::string half = kHalfGaPaVuKa + "\xa1\xa2\xa3\xa4\xa5\xb0";
  const std::string full = kGaPaVuKa + "\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45\x81\x5b";
  EXPECT_EQ(full, MapText(half, 1, &status));
  EXPECT_EQ(0, status);
  EXPECT_EQ(half, MapText(full, 2, &status));
  EXPECT_EQ(0, status);
  EXPECT_EQ("aZ ~09", MapText("\x82\x81\x82\x79\x81\x40\x81\x60\x82\x4f\x82\x58", 2, &status));
  EXPECT_EQ(0, status);
}

TEST(MapStr, HiraganaKatakanaAndCombinations) {
  std::int32_t status = -99;
  const std::string kataKa = "\x83\x4a\x83\x5e\x83\x4a\x83\x69";  // カタカナ
  const std::string hiraKa = "\x82\xa9\x82\xbd\x82\xa9\x82\xc8";  // かたかな
  EXPECT_EQ(hiraKa, MapText(kataKa, 4, &status));
  EXPECT_EQ(kataKa, MapText(hiraKa, 8, &status));
  EXPECT_EQ(kHiraGaPaKa, MapText("\xb6\xde\xca\xdf\xb6", 1 | 4, &status));
  EXPECT_EQ("\xb6\xde\xca\xdf\xb6", MapText(kHiraGaPaKa, 2 | 8, &status));
  EXPECT_EQ("\x83\x4b\x83\x70\x83\x4a", MapText(kHiraGaPaKa, 1 | 8, &status));
  EXPECT_EQ(0, status);
}

TEST(MapStr, UpperAndLowerCaseIncludingTwoByteLetters) {
  std::int32_t status = -99;
  // ASCII, full-width, Greek alpha and Cyrillic a.
  const std::string lower = "az" + kFullaz + "\x83\xbf\x84\x70";
  const std::string upper = "AZ" + kFullAZ + "\x83\x9f\x84\x40";
  EXPECT_EQ(upper, MapText(lower, 32, &status));
  EXPECT_EQ(0, status);
  EXPECT_EQ(lower, MapText(upper, 16, &status));
  EXPECT_EQ(0, status);
  EXPECT_EQ("\x82\x60\x82\x61\x82\x62", MapText("abc", 1 | 32, &status));
  EXPECT_EQ("aa", MapText("\x82\x81\x82\x60", 2 | 16, &status));
  // The second byte of a two-byte character is not a letter: 0x82 0x61 is
  // a full-width B, which upper case leaves alone.
  EXPECT_EQ("\x82\x61\x41", MapText("\x82\x61\x61", 32, &status));  // Ｂa -> ＢA
}

TEST(MapStr, ConflictingModesFail) {
  for (std::int32_t mode : {3, 12, 48, 63, 64 + 3}) {
    zt::HostVar v = zt::HostVar::String(16);
    EXPECT_EQ(-1, MapStr(v, "abc", mode, 0)) << mode;
  }
}

TEST(MapStr, RefusesWrongTypeEmptySourceAndNoCapacity) {
  zt::HostVar ints = zt::HostVar::Ints(4);
  ints.Fill(0x11);
  EXPECT_EQ(6, MapStr(ints, "abc", 1, 0));
  EXPECT_EQ(0x11, ints.bytes()[0]);

  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("keep");
  EXPECT_EQ(3, MapStr(v, "", 1, 0));
  EXPECT_EQ("keep", Text(v));
  v.rec()->lengths[1] = 0;  // byte capacity 0
  EXPECT_EQ(3, MapStr(v, "abc", 1, 0));
  EXPECT_EQ("keep", Text(v));
}

TEST(MapStr, ResultMustFitTheByteCapacityWithItsTerminator) {
  zt::HostVar v = zt::HostVar::String(16);
  v.Fill('z');
  v.rec()->lengths[1] = 1;  // 4 bytes
  EXPECT_EQ(0, MapStr(v, "abc", 32, 0));
  EXPECT_EQ("ABC", Text(v));
  EXPECT_EQ(-1, MapStr(v, "abcd", 32, 0));
  EXPECT_EQ(-1, MapStr(v, "ab", 1, 0));             // 5 bytes
  EXPECT_EQ('z', static_cast<char>(v.bytes()[4]));  // nothing beyond the capacity

  // A string array is one buffer: 3 rows of 4 bytes hold 11 mapped bytes.
  zt::HostVar rows = zt::HostVar::String(4, 3);
  EXPECT_EQ(0, MapStr(rows, "abcde", 1, 0));
  EXPECT_EQ("\x82\x81\x82\x82\x82\x83\x82\x84\x82\x85", Text(rows));

  // The extended size record gives the capacity when extended > 0.
  zt::HostVar ext = zt::HostVar::String(16);
  ext.SetExtended(2, 1);  // 8 bytes
  EXPECT_EQ(0, MapStr(ext, "abc", 1, 0));
  ext.SetExtended(1, 1);  // 4 bytes
  EXPECT_EQ(-1, MapStr(ext, "abc", 1, 0));
}

TEST(UpperLowerCase, MapTheVariablesOwnText) {
  zt::HostVar v = zt::HostVar::String(32);
  v.SetText("abc" + kFullaz + "\x83\xbf");
  EXPECT_EQ(0, UpperCase(v, 0, 0, 0));
  EXPECT_EQ("ABC" + kFullAZ + "\x83\x9f", Text(v));
  EXPECT_EQ(0, LowerCase(v, 0, 0, 0));
  EXPECT_EQ("abc" + kFullaz + "\x83\xbf", Text(v));
}

TEST(UpperLowerCase, Refusals) {
  zt::HostVar ints = zt::HostVar::Ints(4);
  EXPECT_EQ(6, UpperCase(ints, 0, 0, 0));
  EXPECT_EQ(6, LowerCase(ints, 0, 0, 0));
  zt::HostVar empty = zt::HostVar::String(16);
  EXPECT_EQ(3, UpperCase(empty, 0, 0, 0));
  EXPECT_EQ(3, LowerCase(empty, 0, 0, 0));
  zt::HostVar none = zt::HostVar::String(16);
  none.SetText("abc");
  none.rec()->lengths[1] = 0;
  EXPECT_EQ(3, UpperCase(none, 0, 0, 0));
  EXPECT_EQ("abc", Text(none));
}

TEST(UpperLowerCase, UnterminatedTextIsBoundedByTheCapacity) {
  // 8 bytes of capacity, all letters, and more letters beyond it: only the
  // 8 are taken, and their upper case with a terminator does not fit.
  zt::HostVar v = zt::HostVar::String(32);
  v.SetText(std::string(20, 'a'));
  v.rec()->lengths[1] = 2;
  EXPECT_EQ(-1, UpperCase(v, 0, 0, 0));
  EXPECT_EQ(std::string(12, 'a'), std::string(v.text() + 8));
  EXPECT_EQ(-1, LowerCase(v, 0, 0, 0));
  EXPECT_EQ(std::string(12, 'a'), std::string(v.text() + 8));
}

TEST(CaseF, StepsOverTwoByteCharacters) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("\x82\x61\x61\x62");  // Ｂab
  EXPECT_EQ(0, UpperCaseF(v, 0, 0, 0));
  EXPECT_EQ("\x82\x61\x41\x42", Text(v));
  // 0xFD-0xFF lead too; 0x80 and half-width katakana are single bytes.
  v.SetText("\xfd\x61\x62\x80\x63\xb1\x64");  // 0xFD a b 0x80 c ｱ d
  EXPECT_EQ(0, UpperCaseF(v, 0, 0, 0));
  EXPECT_EQ("\xfd\x61\x42\x80\x43\xb1\x44", Text(v));
  // Full-width and Greek letters stay.
  v.SetText("\x82\x81\x83\xbf\x7a");  // ａαz
  EXPECT_EQ(0, UpperCaseF(v, 0, 0, 0));
  EXPECT_EQ("\x82\x81\x83\xbf\x5a", Text(v));
}

TEST(CaseF, LoneLeadByteAtTheEndStays) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("ABC\x81");
  EXPECT_EQ(0, LowerCaseF(v, 0, 0, 0));
  EXPECT_EQ("abc\x81", Text(v));
  v.SetText("A[Z@z");
  EXPECT_EQ(0, LowerCaseF(v, 0, 0, 0));
  EXPECT_EQ("a[z@z", Text(v));
}

TEST(CaseF, TerminatorIsStoredAtTheLastByteOfTheCapacity) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("abcdefghijkl");
  v.rec()->lengths[1] = 2;  // 8 bytes
  EXPECT_EQ(0, UpperCaseF(v, 0, 0, 0));
  EXPECT_EQ("ABCDEFG", Text(v));
  EXPECT_EQ("ijkl", std::string(v.text() + 8));
  // A string array is one buffer.
  zt::HostVar rows = zt::HostVar::String(4, 3);
  std::memcpy(rows.text(), "abcdefghijkl", 12);
  EXPECT_EQ(0, UpperCaseF(rows, 0, 0, 0));
  EXPECT_EQ("ABCDEFGHIJK", Text(rows));
}

TEST(CaseF, Refusals) {
  zt::HostVar ints = zt::HostVar::Ints(2);
  std::memcpy(ints.bytes(), "abc", 4);
  EXPECT_EQ(6, UpperCaseF(ints, 0, 0, 0));
  EXPECT_EQ(6, LowerCaseF(ints, 0, 0, 0));
  EXPECT_EQ("abc", std::string(ints.text()));
  // No byte to hold a terminator: refused, nothing written.
  zt::HostVar none = zt::HostVar::String(8);
  none.SetText("abcdefg");
  none.rec()->lengths[1] = 0;
  EXPECT_EQ(3, UpperCaseF(none, 0, 0, 0));
  EXPECT_EQ(3, LowerCaseF(none, 0, 0, 0));
  EXPECT_EQ("abcdefg", Text(none));
}

TEST(CaseInternal, MappingFlagsByModeBit) {
  EXPECT_EQ(LCMAP_FULLWIDTH, zor::MappingFlags(0));
  EXPECT_EQ(LCMAP_FULLWIDTH, zor::MappingFlags(64));
  EXPECT_EQ(LCMAP_HALFWIDTH | LCMAP_KATAKANA, zor::MappingFlags(10));
  EXPECT_EQ(LCMAP_HIRAGANA | LCMAP_LOWERCASE | LCMAP_UPPERCASE, zor::MappingFlags(52));
  EXPECT_EQ(0x00f00300u, zor::MappingFlags(63 + 128));
}

}  // namespace
