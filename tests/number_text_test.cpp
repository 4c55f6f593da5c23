// Division as text, hexadecimal text to integer, and the byte shift.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/zortest.h"

namespace {

using zor::HspVar;
using I = std::int32_t;

ZT_EXPORT(DecimalStr, HspVar*, I, I, I);
ZT_EXPORT(Hex2Int, HspVar*, const char*, I, I);
ZT_EXPORT(SlideNum, HspVar*, I, I, I);

constexpr I kUntouched = 0x5A5A5A5A;

TEST(DecimalStr, QuotientPointRemainder) {
  // clang-format off
  const struct {
    I a, b, status;
    const char* text;
  } cases[] = {
      {12345, 100, 0, "123.45"}, {12305, 100, 0, "123.5"}, {7, 2, 0, "3.1"}, {-7, 2, 0, "-3.-1"},
      {7, -2, 0, "-3.1"},        {-1, 3, 0, "0.-1"},       {0, 5, 0, "0.0"},
      {INT_MIN, 1, 0, "-2147483648.0"},   {INT_MAX, -1, 0, "-2147483647.0"},
      {INT_MIN, 10, 0, "-214748364.-8"},  {INT_MIN, INT_MAX, 0, "-1.-1"},
      {INT_MAX, INT_MIN, 0, "0.2147483647"}, {INT_MIN + 1, INT_MIN, 0, "0.-2147483647"},
      // a division without a result is refused before anything is written
      {5, 0, -255, ""}, {0, 0, -255, ""}, {INT_MIN, 0, -255, ""}, {INT_MIN, -1, -255, ""}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64);
    v.Fill('x');
    EXPECT_EQ(c.status, DecimalStr(v, c.a, c.b, 0)) << c.a << " " << c.b;
    const std::size_t end = c.status == 0 ? std::strlen(c.text) + 1 : 0;  // with the zero
    EXPECT_EQ(std::string(c.text, end) + std::string(64 - end, 'x'), std::string(v.text(), 64));
  }
}

TEST(DecimalStr, OnlyTheRowSizeWordCounts) {
  zt::HostVar exact = zt::HostVar::String(64);
  exact.SetExtended(1, 1);
  EXPECT_EQ(0, DecimalStr(exact, 9, 4, 0));
  EXPECT_STREQ("2.1", exact.text());
}

TEST(Hex2Int, TextsAndSignedOverflow) {
  // clang-format off
  const struct {
    const char* text;
    I status, value;
  } cases[] = {
      {"ff", 0, 255},          {"  +7fffffff", 0, INT_MAX}, {"80000000", 0, INT_MIN},
      {"FFFFFFFF", 0, -1},     {"123456789", 0, 0x12345678}, {"0x10", 0, 0},  {"- 5", 0, 0},
      {"9a9", 0, 0x9A9},
      {"+-5", 0, -5},          {"-+5", 0, -5},  {"--5", 0, 0},   {"++5", 0, 0}, {"12G4", 0, 18},
      {"", 0, 0},              {"5 6", 0, 5},   {"5-3", 0, 5},   {"AbCdEf", 0, 0xABCDEF},
      {"-7fffffff", 0, -INT_MAX}, {"-0FFFFFFF", 0, -0x0FFFFFFF}, {"\t5", 0, 0}, {"-", 0, 0},
      {"+0", 0, 0},            {"-1", 0, -1},   {"  -  5", 0, 0},
      // eight digits from 8 up carry a sign: out of the signed range
      {"-80000000", -255, kUntouched}, {"+80000000", -255, kUntouched},
      {"-FFFFFFFF", -255, kUntouched}, {"+-8abcdef0", -255, kUntouched},
      {" -fffffffff", -255, kUntouched}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::Ints(1);
    v.ints()[0] = kUntouched;
    EXPECT_EQ(c.status, Hex2Int(v, c.text, 0, 0)) << c.text;
    EXPECT_EQ(c.value, v.ints()[0]) << c.text;
  }
}

TEST(Hex2Int, StopsReadingAfterTheEighthDigit) {
  // Eight digits at the very end of a committed region, with no terminator:
  // a scan that looked at one more byte would fault.
  const std::size_t page = 4096;
  char* mem = static_cast<char*>(zt::LowAlloc(page));
  std::memcpy(mem + page - 8, "7654321A", 8);
  zt::HostVar v = zt::HostVar::Ints(1);
  EXPECT_EQ(0, Hex2Int(v, mem + page - 8, 0, 0));
  EXPECT_EQ(0x7654321A, v.ints()[0]);
  zt::LowFree(mem, page);
}

TEST(SlideNum, ShiftsBytesModulo256) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("abc");
  EXPECT_EQ(0, SlideNum(v, 0, 3, 1));
  EXPECT_STREQ("bcd", v.text());
  EXPECT_EQ(0, SlideNum(v, 0, 3, -1));
  EXPECT_EQ(0, SlideNum(v, 1, 1, 0));
  EXPECT_STREQ("abc", v.text());
  EXPECT_EQ(0, SlideNum(v, 1, 2, 128));
  EXPECT_EQ('b' + 128 - 256, v.text()[1]);
  EXPECT_EQ(0, SlideNum(v, 1, 2, -128));  // 128 and -128 act alike
  EXPECT_STREQ("abc", v.text());
  EXPECT_EQ(0, SlideNum(v, 3, 1, -1));  // the terminator wraps to 0xFF
  EXPECT_EQ(0xFF, v.bytes()[3]);

  zt::HostVar n = zt::HostVar::Ints(2);
  n.ints()[0] = 0x00FF0180;
  EXPECT_EQ(0, SlideNum(n, 0, 4, 128));  // integers are bytes too
  EXPECT_EQ(static_cast<I>(0x807F8100), n.ints()[0]);

  const I bad[][3] = {{-1, 1, 1},   {0, 0, 1},       {0, -5, 1},      {0, 1, 129},
                      {0, 1, -129}, {INT_MIN, 1, 1}, {0, 1, INT_MAX}, {0, 1, INT_MIN}};
  for (auto& b : bad) {
    EXPECT_EQ(-1, SlideNum(v, b[0], b[1], b[2])) << b[0] << " " << b[1] << " " << b[2];
  }
  EXPECT_EQ(0, std::memcmp("abc\xFF", v.text(), 4));  // the refusals changed nothing
}

TEST(SlideNum, RangeStopsAtByteCapacity) {
  zt::HostVar v = zt::HostVar::String(16, 2);  // 32 bytes of storage
  v.rec()->lengths[1] = 2;                     // capacity 4 x 2 x 2 rows = 16
  // offset, count, extended row count (0: none), then the bytes [from, to) that change.
  const struct {
    I offset, count, extRows, from, to;
  } cases[] = {{12, 100, 0, 12, 16},
               {4, INT_MAX, 0, 4, 16},  // offset + count must not wrap
               {16, 1, 0, 0, 0},
               {INT_MAX, INT_MAX, 0, 0, 0},  // nothing remains
               {20, 50, 3, 20, 24}};         // the extended size record counts: 4 x 2 x 3
  for (auto& c : cases) {
    v.rec()->extended = 0;
    if (c.extRows != 0) v.SetExtended(2, c.extRows);
    v.Fill(10);
    EXPECT_EQ(0, SlideNum(v, c.offset, c.count, 1));
    for (int i = 0; i < 32; ++i) EXPECT_EQ(i >= c.from && i < c.to ? 11 : 10, v.bytes()[i]) << i;
  }
}

}  // namespace
