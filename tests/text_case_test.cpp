// MapStr, UpperCase and LowerCase through the user's Japanese locale, the
// ASCII-only UpperCaseF and LowerCaseF, and LCMapStringA as they rely on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/zortest.h"

namespace {

ZT_EXPORT(MapStr, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCase, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(UpperCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(LowerCaseF, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

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

TEST(Locale, JapaneseUserLocaleAndLCMapStringAContract) {
  EXPECT_EQ(0x411u, GetUserDefaultLCID());
  char out[16];
  for (DWORD flags : {LCMAP_FULLWIDTH | LCMAP_HALFWIDTH, LCMAP_HIRAGANA | LCMAP_KATAKANA,
                      LCMAP_LOWERCASE | LCMAP_UPPERCASE}) {
    SetLastError(0);
    EXPECT_EQ(0, LCMapStringA(0x411, flags, "ab", 3, out, sizeof out)) << flags;
    EXPECT_EQ(ERROR_INVALID_FLAGS, GetLastError()) << flags;
  }
  // "abc" in full width needs 7 bytes with its terminator: the mapping
  // fails rather than cut it.
  SetLastError(0);
  EXPECT_EQ(0, LCMapStringA(0x411, LCMAP_FULLWIDTH, "abc", 4, out, 6));
  EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
  EXPECT_EQ(7, LCMapStringA(0x411, LCMAP_FULLWIDTH, "abc", 4, out, 7));
  EXPECT_STREQ("\x82\x81\x82\x82\x82\x83", out);  // ａｂｃ in code page 932
}

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
  } cases[] = {
      // Only the low 6 bits count; none set means full width.
      {"aZ ~09", 1, kFullMix},  {"aZ ~09", 0, kFullMix},   {"aZ ~09", 64, kFullMix},
      {"aZ ~09", 65, kFullMix}, {"aZ ~09", -64, kFullMix}, {kFullMix, 2, "aZ ~09"},
      // Half-width katakana and marks compose and split (｡｢｣､･ｰ <-> 。「」、・ー);
      // kana mapping alone leaves half-width katakana; hiragana have no half
      // width; full width comes before kana, kana before half width.
      {halfMarks, 1, fullMarks},     {fullMarks, 2, halfMarks},         {kata, 4, hira},
      {hira, 8, kata},               {"\xb6\xb7", 4, "\xb6\xb7"},       {"\xb6\xb7", 8, "\xb6\xb7"},
      {kHiraGaPaKa, 2, kHiraGaPaKa}, {kHalfGaPaKa, 1 | 4, kHiraGaPaKa},
      {kHiraGaPaKa, 2 | 8, kHalfGaPaKa}, {kHiraGaPaKa, 1 | 8, "\x83\x4b\x83\x70\x83\x4a"},
      // Case folds two-byte letters too; 0x82 0x61 (Ｂ) holds no 'a'.
      {kLower, 32, kUpper}, {kUpper, 16, kLower}, {"abc", 1 | 32, "\x82\x60\x82\x61\x82\x62"},
      {"\x82\x81\x82\x60", 2 | 16, "aa"},   {"\x82\x61\x61", 32, "\x82\x61\x41"},
      // pairs the platform refuses
      {"abc", 3, "-"}, {"abc", 12, "-"}, {"abc", 48, "-"}, {"abc", 63, "-"}, {"abc", 64 + 3, "-"}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64);
    const bool refused = c.want == "-";
    EXPECT_EQ(refused ? -1 : 0, MapStr(v, c.source.c_str(), c.mode, 0))
        << c.mode << " " << c.source;
    if (!refused) {
      EXPECT_EQ(c.want, std::string(v.text())) << c.mode << " " << c.source;
    }
  }
}

TEST(MapStr, ByteCapacity) {
  zt::HostVar v = zt::HostVar::String(16);
  // The result with its terminator must fit 4 bytes; nothing goes beyond.
  v.Fill('z');
  v.rec()->lengths[1] = 1;
  EXPECT_EQ(0, MapStr(v, "abc", 32, 0));
  EXPECT_EQ("ABC", std::string(v.text()));
  EXPECT_EQ(-1, MapStr(v, "abcd", 32, 0));
  EXPECT_EQ(-1, MapStr(v, "ab", 1, 0));  // 5 bytes
  EXPECT_EQ('z', v.text()[4]);
  // A string array is one buffer: 3 rows of 4 bytes hold 11 mapped bytes.
  zt::HostVar rows = zt::HostVar::String(4, 3);
  EXPECT_EQ(0, MapStr(rows, "abcde", 1, 0));
  EXPECT_EQ("\x82\x81\x82\x82\x82\x83\x82\x84\x82\x85", std::string(rows.text()));
  // The extended size record gives the capacity when extended > 0.
  zt::HostVar ext = zt::HostVar::String(16);
  ext.SetExtended(2, 1);
  EXPECT_EQ(0, MapStr(ext, "abc", 1, 0));
  ext.SetExtended(1, 1);
  EXPECT_EQ(-1, MapStr(ext, "abc", 1, 0));
}

TEST(UpperLowerCase, MapTheVariablesOwnText) {
  zt::HostVar v = zt::HostVar::String(32);
  v.SetText("abc" + kFullaz + "\x83\xbf");
  EXPECT_EQ(0, UpperCase(v, 0, 0, 0));
  EXPECT_EQ("ABC" + kFullAZ + "\x83\x9f", std::string(v.text()));
  EXPECT_EQ(0, LowerCase(v, 0, 0, 0));
  EXPECT_EQ("abc" + kFullaz + "\x83\xbf", std::string(v.text()));
  // Unterminated within 8 bytes: only the 8 are taken, and their upper case
  // with a terminator does not fit.
  v.SetText(std::string(20, 'a'));
  v.rec()->lengths[1] = 2;
  EXPECT_EQ(-1, UpperCase(v, 0, 0, 0));
  EXPECT_EQ(std::string(12, 'a'), std::string(v.text() + 8));
  EXPECT_EQ(-1, LowerCase(v, 0, 0, 0));
  EXPECT_EQ(std::string(12, 'a'), std::string(v.text() + 8));
}

TEST(CaseF, ChangesOnlyAsciiLettersOutsideTwoByteCharacters) {
  struct Case {
    bool upper;
    std::string text, want;
  } cases[] = {
      {true, "\x82\x61\x61\x62", "\x82\x61\x41\x42"},  // Ｂab
      // 0xFD-0xFF lead too; 0x80 and half-width katakana are single bytes.
      {true, "\xfd\x61\x62\x80\x63\xb1\x64", "\xfd\x61\x42\x80\x43\xb1\x44"},
      {true, "\x82\x81\x83\xbf\x7a", "\x82\x81\x83\xbf\x5a"},  // ａαz
      {false, "ABC\x81", "abc\x81"},                           // lone lead byte at the end
      {false, "A[Z@z", "a[z@z"},
  };
  for (const Case& c : cases) {
    zt::HostVar v = zt::HostVar::String(16);
    v.SetText(c.text);
    EXPECT_EQ(0, (c.upper ? UpperCaseF : LowerCaseF)(v, 0, 0, 0)) << c.text;
    EXPECT_EQ(c.want, std::string(v.text())) << c.text;
  }
}

TEST(CaseF, TerminatorGoesToTheLastByteOfTheCapacity) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("abcdefghijkl");
  v.rec()->lengths[1] = 2;  // 8 bytes
  EXPECT_EQ(0, UpperCaseF(v, 0, 0, 0));
  EXPECT_EQ("ABCDEFG", std::string(v.text()));
  EXPECT_EQ("ijkl", std::string(v.text() + 8));
  zt::HostVar rows = zt::HostVar::String(4, 3);  // a string array is one buffer
  std::memcpy(rows.text(), "abcdefghijkl", 12);
  EXPECT_EQ(0, UpperCaseF(rows, 0, 0, 0));
  EXPECT_EQ("ABCDEFGHIJK", std::string(rows.text()));
}

}  // namespace
