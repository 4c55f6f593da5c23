// Division as text, hexadecimal text to integer, and the byte shift.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "floatreg/hex_text.h"
#include "support/zortest.h"

namespace {

using zor::HspVar;

ZT_EXPORT(DecimalStr, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Hex2Int, HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(SlideNum, HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kUntouched = 0x5A5A5A5A;

TEST(DecimalStr, QuotientPointRemainder) {
  struct Case {
    std::int32_t a, b;
    const char* text;
  } const cases[] = {
      {12345, 100, "123.45"},
      {12305, 100, "123.5"},
      {7, 2, "3.1"},
      {-7, 2, "-3.-1"},
      {7, -2, "-3.1"},
      {-1, 3, "0.-1"},
      {0, 5, "0.0"},
      {INT_MIN, 1, "-2147483648.0"},
      {INT_MAX, -1, "-2147483647.0"},
      {INT_MIN, 10, "-214748364.-8"},
      {INT_MIN, INT_MAX, "-1.-1"},
      {INT_MAX, INT_MIN, "0.2147483647"},
      {INT_MIN + 1, INT_MIN, "0.-2147483647"},
  };
  for (const Case& c : cases) {
    zt::HostVar v = zt::HostVar::String(64);
    v.Fill('x');
    EXPECT_EQ(0, DecimalStr(v, c.a, c.b, 0)) << c.a << " " << c.b;
    EXPECT_STREQ(c.text, v.text());
    const std::size_t end = std::strlen(c.text) + 1;
    EXPECT_EQ(std::string(64 - end, 'x'), std::string(v.text() + end, 64 - end));
  }
}

TEST(DecimalStr, DivisionWithoutResultRefused) {
  for (auto ab :
       {std::pair<std::int32_t, std::int32_t>{5, 0}, {0, 0}, {INT_MIN, 0}, {INT_MIN, -1}}) {
    zt::HostVar v = zt::HostVar::String(64);
    v.SetText("keep");
    EXPECT_EQ(-255, DecimalStr(v, ab.first, ab.second, 0)) << ab.first << " " << ab.second;
    EXPECT_STREQ("keep", v.text());
  }
}

TEST(DecimalStr, TypeAndSize) {
  zt::HostVar ints = zt::HostVar::Ints(16);
  ints.ints()[0] = kUntouched;
  EXPECT_EQ(-1, DecimalStr(ints, 1, 1, 0));
  EXPECT_EQ(kUntouched, ints.ints()[0]);

  zt::HostVar small = zt::HostVar::String(60, 4);
  small.SetText("keep");
  small.SetExtended(64, 4);  // only the row size word counts
  EXPECT_EQ(-2, DecimalStr(small, 1, 1, 0));
  EXPECT_STREQ("keep", small.text());
  small.rec()->lengths[1] = 0;
  EXPECT_EQ(-2, DecimalStr(small, 1, 1, 0));
  EXPECT_STREQ("keep", small.text());

  zt::HostVar exact = zt::HostVar::String(64);
  exact.SetExtended(1, 1);
  EXPECT_EQ(0, DecimalStr(exact, 9, 4, 0));
  EXPECT_STREQ("2.1", exact.text());
}

TEST(Hex2Int, Texts) {
  struct Case {
    const char* text;
    std::int32_t value;
  } const cases[] = {
      {"ff", 255},
      {"  +7fffffff", INT_MAX},
      {"80000000", INT_MIN},
      {"FFFFFFFF", -1},
      {"123456789", 0x12345678},
      {"0x10", 0},
      {"- 5", 0},
      {"+-5", -5},
      {"-+5", -5},
      {"--5", 0},
      {"++5", 0},
      {"12G4", 18},
      {"", 0},
      {"5 6", 5},
      {"5-3", 5},
      {"AbCdEf", 0xABCDEF},
      {"-7fffffff", -INT_MAX},
      {"-0FFFFFFF", -0x0FFFFFFF},
      {"\t5", 0},
      {"-", 0},
      {"+0", 0},
      {"-1", -1},
      {"  -  5", 0},
  };
  for (const Case& c : cases) {
    zt::HostVar v = zt::HostVar::Ints(1);
    v.ints()[0] = kUntouched;
    EXPECT_EQ(0, Hex2Int(v, c.text, 0, 0)) << c.text;
    EXPECT_EQ(c.value, v.ints()[0]) << c.text;
  }
}

TEST(Hex2Int, SignedEightDigitsOutOfRange) {
  for (const char* text : {"-80000000", "+80000000", "-FFFFFFFF", "+-8abcdef0", " -fffffffff"}) {
    zt::HostVar v = zt::HostVar::Ints(1);
    v.ints()[0] = kUntouched;
    EXPECT_EQ(-255, Hex2Int(v, text, 0, 0)) << text;
    EXPECT_EQ(kUntouched, v.ints()[0]) << text;
  }
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("abc");
  EXPECT_EQ(-1, Hex2Int(s, "12", 0, 0));
  EXPECT_STREQ("abc", s.text());
}

TEST(Hex2Int, StopsReadingAfterTheEighthDigit) {
  // Eight digits at the very end of a committed region, with no terminator:
  // a scan that looked at one more byte would fault.
  const std::size_t page = 4096;
  char* mem = static_cast<char*>(zt::LowAlloc(page));
  std::memcpy(mem + page - 8, "7654321A", 8);
  std::int32_t value = 0;
  EXPECT_TRUE(zor::ParseHex32(mem + page - 8, &value));
  EXPECT_EQ(0x7654321A, value);
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
  EXPECT_STREQ("abc", v.text());
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
  EXPECT_EQ(static_cast<std::int32_t>(0x807F8100), n.ints()[0]);
}

TEST(SlideNum, RangeStopsAtByteCapacity) {
  zt::HostVar v = zt::HostVar::String(16, 2);  // 32 bytes of storage
  v.rec()->lengths[1] = 2;                     // capacity 4 x 2 x 2 = 16
  v.Fill(10);
  EXPECT_EQ(0, SlideNum(v, 12, 100, 5));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(i >= 12 && i < 16 ? 15 : 10, v.bytes()[i]) << i;
  // Offset plus count past 2^31 must not wrap back inside the capacity.
  v.Fill(10);
  EXPECT_EQ(0, SlideNum(v, 4, INT_MAX, 1));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(i >= 4 && i < 16 ? 11 : 10, v.bytes()[i]) << i;
  v.Fill(10);
  EXPECT_EQ(0, SlideNum(v, 16, 1, 1));  // nothing remains
  EXPECT_EQ(0, SlideNum(v, INT_MAX, INT_MAX, 1));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(10, v.bytes()[i]) << i;
  // The extended size record and the row count take part.
  v.SetExtended(2, 3);  // 24 bytes
  EXPECT_EQ(0, SlideNum(v, 20, 50, 1));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(i >= 20 && i < 24 ? 11 : 10, v.bytes()[i]) << i;
}

TEST(SlideNum, ArgumentRefusals) {
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("abc");
  const std::int32_t bad[][3] = {{-1, 1, 1},   {0, 0, 1},       {0, -5, 1},      {0, 1, 129},
                                 {0, 1, -129}, {INT_MIN, 1, 1}, {0, 1, INT_MAX}, {0, 1, INT_MIN}};
  for (auto& b : bad) {
    EXPECT_EQ(-1, SlideNum(v, b[0], b[1], b[2])) << b[0] << " " << b[1] << " " << b[2];
  }
  EXPECT_STREQ("abc", v.text());
}

}  // namespace
