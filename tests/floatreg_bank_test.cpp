// The float register bank: loading from text, the register index rule, the
// bounded truncations, the extreme-value test and the decimal text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "support/zortest.h"

namespace {

using zor::HspVar;
using I = std::int32_t;

ZT_EXPORT(FloatSetBuf, HspVar*, I, I, I);
ZT_EXPORT(FloatClrBuf, I, I, I, I);
ZT_EXPORT(FloatNegBuf, I, I, I, I);
ZT_EXPORT(FloatCopyBuf, I, I, I, I);
ZT_EXPORT(FloatSwapBuf, I, I, I, I);
ZT_EXPORT(FloatIntBuf, I, I, I, I);
ZT_EXPORT(FloatChkOvFlow, I, I, I, I);
ZT_EXPORT(FloatPItoBuf, I, I, I, I);
ZT_EXPORT(FloatDEGtoRAD, I, I, I, I);
ZT_EXPORT(FloatRADtoDEG, I, I, I, I);
ZT_EXPORT(FloatToString, HspVar*, I, I, I);
ZT_EXPORT(FloatToInt, HspVar*, I, I, I);

// Sets register r to exactly v (17 significant digits read back exactly).
void Load(I r, double v) {
  zt::HostVar s = zt::HostVar::String(64);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  s.SetText(buf);
  ASSERT_EQ(0, FloatSetBuf(s, r, 0, 0));
}

std::string Text(I r, I n = 8, I trim = 0, I* status = nullptr, std::uint32_t bytes = 128) {
  zt::HostVar s = zt::HostVar::String(bytes);
  I st = FloatToString(s, r, n, trim);
  if (status != nullptr) *status = st;
  return s.text();
}

// The register's exact value: its text with enough decimals holds all 17
// significant digits, which read back to the same double.
double Value(I r) {
  zt::HostVar s = zt::HostVar::String(1024);
  FloatToString(s, r, 400, 0);
  return std::strtod(s.text(), nullptr);
}

// --- reading -----------------------------------------------------------------

TEST(FloatSetBuf, ReadsDecimalNumbersOnlyLikeC90Atof) {
  const std::pair<const char*, double> cases[] = {{" -1.5e2xyz", -150.0},
                                                  {"abc", 0.0},
                                                  {"0x10", 0.0},
                                                  {"inf", 0.0},
                                                  {"nan", 0.0},
                                                  {"1e", 1.0},
                                                  {"1e+", 1.0},
                                                  {".5", 0.5},
                                                  {"5.", 5.0},
                                                  {".", 0.0},
                                                  {"+.e1", 0.0},
                                                  {"\t\n 12", 12.0},
                                                  {"-0.25E-1", -0.025},
                                                  {"1.45", 1.45},
                                                  {"  +7", 7.0},
                                                  {"12abc34", 12.0},
                                                  {"3.14159265358979", 3.14159265358979},
                                                  {"1e-320", 1e-320},
                                                  {"", 0.0}};
  for (auto& c : cases) {
    zt::HostVar s = zt::HostVar::String(32);
    s.SetText(c.first);
    Load(3, 99.0);
    ASSERT_EQ(0, FloatSetBuf(s, 3, 0, 0)) << c.first;
    EXPECT_EQ(c.second, Value(3)) << c.first;
  }
}

TEST(FloatSetBuf, RoundTripsRandomDoublesExactly) {
  std::mt19937_64 rng(12345);
  for (int i = 0; i < 400; ++i) {
    std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    zt::HostVar s = zt::HostVar::String(64);
    s.SetText(buf);
    ASSERT_EQ(0, FloatSetBuf(s, 1, 0, 0));
    ASSERT_EQ(v, Value(1)) << buf;
  }
}

TEST(FloatSetBuf, TerminatesAFullBufferAndKeepsTheChange) {
  zt::HostVar s = zt::HostVar::String(8);
  std::memcpy(s.text(), "12345678", 8);  // no terminator inside the buffer
  ASSERT_EQ(0, FloatSetBuf(s, 4, 0, 0));
  EXPECT_EQ("1234567.00000000", Text(4));
  EXPECT_EQ(0, s.text()[7]);
  EXPECT_EQ(0, std::memcmp(s.text(), "1234567", 7));
}

TEST(FloatSetBuf, UsesOnlyTheFirstRowOfAStringArray) {
  zt::HostVar s = zt::HostVar::String(8, 2);
  std::memcpy(s.text(), "12345678", 8);
  std::memcpy(s.text() + 8, "9999999", 8);
  ASSERT_EQ(0, FloatSetBuf(s, 4, 0, 0));
  EXPECT_EQ("1234567.00000000", Text(4));
}

TEST(FloatSetBuf, RefusesWrongTypeAndEmptyRowWithoutWriting) {
  Load(5, 42.0);
  zt::HostVar n = zt::HostVar::Ints(2);
  n.ints()[0] = 0x31313131;
  n.ints()[1] = 0x31313131;
  EXPECT_EQ(-1, FloatSetBuf(n, 5, 0, 0));
  EXPECT_EQ(0x31313131, n.ints()[1]);
  zt::HostVar e = zt::HostVar::String(4);
  e.rec()->lengths[1] = 0;  // no byte for the terminator
  EXPECT_EQ(3, FloatSetBuf(e, 5, 0, 0));
  EXPECT_EQ("42.00000000", Text(5));
}

// --- register index rule, copy, swap, clear, negate ----------------------------

TEST(Registers, OutOfRangeIndicesNameRegisterZero) {
  Load(0, 1.5);
  Load(7, 2.5);
  EXPECT_EQ(-1, FloatCopyBuf(16, 0, 0, 0));
  EXPECT_EQ(-1, FloatCopyBuf(-1, 1000, 0, 0));
  EXPECT_EQ(-1, FloatSwapBuf(0, -3, 0, 0));
  EXPECT_EQ(-1, FloatSwapBuf(7, 7, 0, 0));
  EXPECT_EQ("1.50000000", Text(0));
  EXPECT_EQ("1.50000000", Text(16));
  EXPECT_EQ("1.50000000", Text(-1));
  EXPECT_EQ("2.50000000", Text(7));

  EXPECT_EQ(0, FloatCopyBuf(7, 1000, 0, 0));  // source 1000 is register 0
  EXPECT_EQ("1.50000000", Text(7));
  Load(7, 2.5);
  EXPECT_EQ(0, FloatSwapBuf(20, 7, 0, 0));
  EXPECT_EQ("2.50000000", Text(0));
  EXPECT_EQ("1.50000000", Text(7));
  EXPECT_EQ(0, FloatClrBuf(99, 0, 0, 0));
  EXPECT_EQ("0.00000000", Text(0));
  EXPECT_EQ("1.50000000", Text(7));
}

TEST(Registers, NegateFlipsTheSignBit) {
  Load(9, 3.25);
  EXPECT_EQ(0, FloatNegBuf(9, 0, 0, 0));
  EXPECT_EQ("-3.25000000", Text(9));
  EXPECT_EQ(0, FloatClrBuf(9, 0, 0, 0));
  EXPECT_EQ(0, FloatNegBuf(9, 0, 0, 0));  // +0.0 -> -0.0
  // -0.0 is not below zero: no minus sign, and it still truncates to 0.
  EXPECT_EQ("0.00000000", Text(9));
  EXPECT_EQ(0, FloatPItoBuf(10, 9, 1, 0));  // -0.0 x pi keeps the sign
  EXPECT_EQ(0, FloatChkOvFlow(9, 0, 0, 0));
}

// --- pi and angle conversions ---------------------------------------------------

TEST(Constants, PiAndAngleConversionsMultiplyThenDivide) {
  Load(2, 123.0);
  EXPECT_EQ(0, FloatPItoBuf(1, 2, 0, 0));
  EXPECT_EQ(3.141592653589793, Value(1));
  EXPECT_EQ(0, FloatPItoBuf(1, 2, 5, 0));
  EXPECT_EQ(123.0 * 3.141592653589793, Value(1));
  Load(0, 2.0);
  EXPECT_EQ(0, FloatPItoBuf(3, 77, 1, 0));  // out-of-range source is register 0
  EXPECT_EQ(2.0 * 3.141592653589793, Value(3));
  EXPECT_EQ(0, FloatPItoBuf(3, 3, 1, 0));  // same register in and out
  EXPECT_EQ(2.0 * 3.141592653589793 * 3.141592653589793, Value(3));

  const double angles[] = {0.0, 1.0, 45.0, 90.0, 180.0, -270.0, 1e300, 33.3};
  for (double a : angles) {
    Load(4, a);
    EXPECT_EQ(0, FloatDEGtoRAD(5, 4, 0, 0));
    volatile double p = a * 3.141592653589793;
    EXPECT_EQ(p / 180.0, Value(5)) << a;
    EXPECT_EQ(0, FloatRADtoDEG(6, 4, 0, 0));
    volatile double q = a * 180.0;
    EXPECT_EQ(q / 3.141592653589793, Value(6)) << a;
  }
  Load(4, 90.0);
  EXPECT_EQ(0, FloatDEGtoRAD(4, 4, 0, 0));
  EXPECT_EQ(90.0 * 3.141592653589793 / 180.0, Value(4));
}

// --- bounded truncation -----------------------------------------------------------

TEST(Truncation, IntBufBoundsAndStatuses) {
  struct Case {
    double in;
    const char* out;
    I status;
  } cases[] = {{-2147483645.5, "-2147483645.00000000", -16},
               {-2147483645.0, "-2147483645.00000000", 0},
               {2147483646.5, "2147483646.00000000", -17},
               {2147483646.0, "2147483646.00000000", 0},
               {2.7, "2.00000000", 0},
               {-2.7, "-2.00000000", 0},
               {-1e300, "-2147483645.00000000", -16},
               {1e300, "2147483646.00000000", -17}};
  for (auto& c : cases) {
    Load(8, c.in);
    EXPECT_EQ(c.status, FloatIntBuf(8, 0, 0, 0)) << c.in;
    EXPECT_EQ(c.out, Text(8)) << c.in;
  }
}

TEST(Truncation, ToIntWritesFirstElementAndKeepsRegister) {
  zt::HostVar v = zt::HostVar::Ints(2);
  v.ints()[1] = 77;
  const std::pair<double, I> ok[] = {{3.99, 3}, {-3.99, -3}, {0.0, 0}, {-0.5, 0}};
  for (auto& c : ok) {
    Load(11, c.first);
    EXPECT_EQ(0, FloatToInt(v, 11, 0, 0));
    EXPECT_EQ(c.second, v.ints()[0]);
  }
  EXPECT_EQ(77, v.ints()[1]);
  Load(11, 5e9);
  EXPECT_EQ(-17, FloatToInt(v, 11, 0, 0));
  EXPECT_EQ(2147483646, v.ints()[0]);
  EXPECT_EQ(5e9, Value(11));  // the register is unchanged
  Load(11, -5e9);
  EXPECT_EQ(-16, FloatToInt(v, 11, 0, 0));
  EXPECT_EQ(-2147483645, v.ints()[0]);

  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("keep");
  EXPECT_EQ(-1, FloatToInt(s, 11, 0, 0));
  EXPECT_STREQ("keep", s.text());
}

TEST(Extremes, ChkOvFlowReportsOnlyTheTwoExactValues) {
  Load(12, 1.7976931348623157e308);
  EXPECT_EQ(-1, FloatChkOvFlow(12, 0, 0, 0));
  Load(12, 2.2250738585072014e-308);
  EXPECT_EQ(-2, FloatChkOvFlow(12, 0, 0, 0));
  Load(12, -1.7976931348623157e308);
  EXPECT_EQ(0, FloatChkOvFlow(12, 0, 0, 0));
  Load(12, 1e-310);  // subnormal
  EXPECT_EQ(0, FloatChkOvFlow(12, 0, 0, 0));
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("1e999");
  ASSERT_EQ(0, FloatSetBuf(s, 12, 0, 0));  // infinity
  EXPECT_EQ(0, FloatChkOvFlow(12, 0, 0, 0));
  EXPECT_EQ(-17, FloatIntBuf(12, 0, 0, 0));
}

// --- decimal text -------------------------------------------------------------------

struct TextCase {
  double v;
  I n;
  I trim;
  const char* text;
};

TEST(FloatToString, WorkedExamples) {
  const TextCase cases[] = {{0.5, 8, 0, "0.50000000"},
                            {0.5, 8, 1, "0.5"},
                            {-0.5, 8, 0, "-0.50000000"},
                            {-0.5, 8, 1, "-0.5"},
                            {123.456, 8, 0, "123.45600000"},
                            {123.456, 8, 1, "123.456"},
                            {123.456, 2, 0, "123.46"},
                            {123.456, 1, 0, "123.5"},
                            {0, 8, 0, "0.00000000"},
                            {0, 0, 0, "0.00000000"},
                            {0, -5, 0, "0.00000000"},
                            {0, 8, 1, "0"},
                            {100, 8, 1, "100"},
                            {0.05, 8, 0, "0.05000000"},
                            {0.000000001, 8, 0, "0.00000000"},
                            {9.999999999, 2, 1, "10"},
                            {0.125, 2, 0, "0.13"},
                            {1152921504606846976.0, 2, 0, "1152921504606847000.00"},
                            {100.5, 8, 1, "100.5"},
                            {100.0, 8, 1, "100"},
                            {1.45, 1, 0, "1.5"},
                            {-0.001, 2, 0, "-0.00"},
                            {0.006, 2, 0, "0.01"},
                            {0.0006, 2, 0, "0.00"},
                            {9.999999999, 2, 0, "10.00"},
                            {-9.96, 1, 0, "-10.0"},
                            {2.5, 0, 0, "2.50000000"},
                            {1e-5, 3, 1, "0"}};
  for (auto& c : cases) {
    Load(13, c.v);
    I st = 99;
    EXPECT_EQ(c.text, Text(13, c.n, c.trim, &st)) << c.v << " n=" << c.n;
    EXPECT_EQ(0, st);
  }
}

TEST(FloatToString, SmallBuffersReportWhereTheTextWasCut) {
  const struct {
    double v;
    std::uint32_t bytes;
    const char* text;
    I status;
  } cases[] = {{123.456, 4, "123", -1},     {12.5, 4, "12.", -2},         {0.5, 4, "0.5", -3},
               {123.456, 8, "123.456", -3}, {-1.5, 12, "-1.50000000", 0}, {-1.5, 4, "-1.", -2},
               {123456.0, 4, "123", -1}};
  for (auto& c : cases) {
    Load(13, c.v);
    zt::HostVar s = zt::HostVar::String(c.bytes);
    s.Fill('#');
    EXPECT_EQ(c.status, FloatToString(s, 13, 8, 0)) << c.v;
    EXPECT_STREQ(c.text, s.text()) << c.v;
    EXPECT_EQ(0, s.text()[c.bytes - 1]);
  }
}

TEST(FloatToString, TrimsOnlyWhenTheFractionWasReached) {
  Load(13, 120.0);
  zt::HostVar s = zt::HostVar::String(8);
  EXPECT_EQ(-3, FloatToString(s, 13, 8, 1));  // "120.000" cut in the fraction
  EXPECT_STREQ("120", s.text());
  Load(13, 100.0);
  zt::HostVar t = zt::HostVar::String(4);
  EXPECT_EQ(-1, FloatToString(t, 13, 8, 1));  // "100": cut before the point
  EXPECT_STREQ("100", t.text());
  Load(13, 10.0);
  EXPECT_EQ(-2, FloatToString(t, 13, 8, 1));  // "10.": no trimming
  EXPECT_STREQ("10.", t.text());
}

TEST(FloatToString, UsesOnlyTheFirstRowAndRefusesBadVariables) {
  Load(13, 1.0);
  zt::HostVar arr = zt::HostVar::String(8, 2);
  arr.Fill('#');
  EXPECT_EQ(-3, FloatToString(arr, 13, 8, 0));
  EXPECT_STREQ("1.00000", arr.text());
  EXPECT_EQ('#', arr.text()[8]);  // the second string is untouched

  zt::HostVar n = zt::HostVar::Ints(4);
  n.Fill(0x55);
  EXPECT_EQ(-1, FloatToString(n, 13, 8, 0));
  EXPECT_EQ(0x55555555, n.ints()[0]);

  zt::HostVar e = zt::HostVar::String(4);
  e.Fill('#');
  e.rec()->lengths[1] = 0;
  EXPECT_EQ(3, FloatToString(e, 13, 8, 0));
  EXPECT_EQ('#', e.text()[0]);
}

// Reference: the value with 17 significant digits, then cut after n decimals
// by adding half a unit of the last kept place and dropping the rest, in
// decimal string arithmetic.
std::string ReferenceText(double v, int n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.16e", std::fabs(v));
  std::string mant;
  for (const char* p = buf; *p && *p != 'e'; ++p)
    if (*p != '.') mant += *p;
  int e10 = std::atoi(std::strchr(buf, 'e') + 1);
  // Exact decimal as an integer string scaled by 10^(n+1): digits * 10^(e10-16+n+1)
  int shift = e10 - 16 + n + 1;
  std::string scaled = mant;
  if (shift >= 0) {
    scaled.append(static_cast<std::size_t>(shift), '0');
  } else {
    std::size_t cut = static_cast<std::size_t>(-shift);
    scaled = cut >= scaled.size() ? std::string("0") : scaled.substr(0, scaled.size() - cut);
  }
  // Add 5 (half a unit of the n-th decimal), then drop the last digit.
  std::string sum = scaled;
  int carry = 5;
  for (std::size_t i = sum.size(); i-- > 0 && carry;) {
    int d = sum[i] - '0' + carry;
    sum[i] = static_cast<char>('0' + d % 10);
    carry = d / 10;
  }
  if (carry) sum.insert(sum.begin(), '1');
  sum.pop_back();
  while (sum.size() < static_cast<std::size_t>(n) + 1) sum.insert(sum.begin(), '0');
  std::string ip = sum.substr(0, sum.size() - static_cast<std::size_t>(n));
  std::size_t z = 0;
  while (z + 1 < ip.size() && ip[z] == '0') ++z;
  ip = ip.substr(z);
  return std::string(v < 0 ? "-" : "") + ip + "." +
         sum.substr(sum.size() - static_cast<std::size_t>(n));
}

TEST(FloatToString, MatchesDecimalReferenceOverManyValues) {
  std::mt19937_64 rng(2024);
  std::uniform_int_distribution<int> decimals(1, 20);
  std::uniform_real_distribution<double> mant(-10.0, 10.0);
  std::uniform_int_distribution<int> exp10(-25, 25);
  int checked = 0;
  for (int i = 0; i < 1500; ++i) {
    double v;
    int kind = i % 3;
    if (kind == 0) {
      v = mant(rng) * std::pow(10.0, exp10(rng));
    } else if (kind == 1) {
      // Halfway cases at the cut: k + 0.5 units of the last place, built
      // from exactly representable binary fractions.
      v = static_cast<double>(static_cast<std::int64_t>(rng() % 2000000) - 1000000) / 1024.0;
    } else {
      v = std::ldexp(mant(rng), exp10(rng) * 2);
    }
    int n = decimals(rng);
    Load(13, v);
    ASSERT_EQ(ReferenceText(v, n), Text(13, n, 0, nullptr, 512)) << "v=" << v << " n=" << n;
    ++checked;
  }
  // Huge and tiny magnitudes.
  const double extremes[] = {1e300,
                             -1e300,
                             1.7976931348623157e308,
                             1e-300,
                             4.9e-324,
                             std::ldexp(1.0, 60),
                             123456789012345678.0};
  for (double v : extremes) {
    for (int n : {1, 8, 20}) {
      Load(13, v);
      ASSERT_EQ(ReferenceText(v, n), Text(13, n, 0, nullptr, 1024)) << v << " n=" << n;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1500);
}

TEST(FloatToString, HugeDecimalCountsCutLikeAnyOther) {
  const double values[] = {0.125, 1e-300, 0.99999999999999989, 123.0};
  for (double v : values) {
    Load(13, v);
    for (I n : {500, 100000, 2147483647}) {
      zt::HostVar s = zt::HostVar::String(64);
      EXPECT_EQ(-3, FloatToString(s, 13, n, 0)) << v << " " << n;
      std::string want = Text(13, 400, 0, nullptr, 1024).substr(0, 63);
      EXPECT_EQ(want, s.text()) << v << " " << n;
    }
  }
}

TEST(FloatToString, InfinityHasNoPointAndIsNeverTrimmed) {
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("-1e999");
  ASSERT_EQ(0, FloatSetBuf(s, 13, 0, 0));
  I st = 99;
  EXPECT_EQ("-inf", Text(13, 8, 1, &st));
  EXPECT_EQ(0, st);
  EXPECT_EQ("-in", Text(13, 8, 0, &st, 4));
  EXPECT_EQ(-1, st);
}

#if defined(_WIN32) && defined(__i386__)
// Bytes the callee removed from the stack when called with four zero
// arguments.
int CalleeCleanup(void* fn) {
  int removed;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "pushl $0\n\tpushl $0\n\tpushl $0\n\tpushl $0\n\t"
      "call *%1\n\t"
      "movl %%esp, %%eax\n\t"
      "subl %%esi, %%eax\n\t"
      "addl $16, %%eax\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(removed)
      : "r"(fn)
      : "esi", "ecx", "edx", "memory", "cc");
  return removed;
}

TEST(CallingConvention, ExportsRemoveTheirSixteenArgumentBytes) {
  for (const char* name :
       {"FloatClrBuf", "FloatNegBuf", "FloatCopyBuf", "FloatSwapBuf", "FloatIntBuf",
        "FloatChkOvFlow", "FloatPItoBuf", "FloatDEGtoRAD", "FloatRADtoDEG"}) {
    EXPECT_EQ(16, CalleeCleanup(zt::ResolveExport(name))) << name;
  }
}
#endif

}  // namespace
