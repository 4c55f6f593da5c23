// The float registers. A NaN counts as equal to and below every constant; a
// refused call changes no register.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "floatreg/decimal_text.h"
#include "support/zortest.h"

namespace {

using zor::HspVar;
using I = std::int32_t;
using VarOp = I(ZOR_CALL*)(HspVar*, I, I, I);
using RegOp = I(ZOR_CALL*)(I, I, I, I);

ZT_EXPORT(FloatSetBuf, HspVar*, I, I, I);
ZT_EXPORT(FloatToString, HspVar*, I, I, I);
ZT_EXPORT(FloatToInt, HspVar*, I, I, I);
ZT_EXPORT(FloatIntBuf, I, I, I, I);
ZT_EXPORT(FloatChkOvFlow, I, I, I, I);
ZT_EXPORT(FloatMinusBuf, I, I, I, I);
ZT_EXPORT(FloatPowBuf, I, I, I, I);

VarOp Var(const char* name) { return reinterpret_cast<VarOp>(zt::ResolveExport(name)); }
// FloatNameBuf, the register-operand export called Name (the angle
// conversions, ending in a capital, have no Buf).
RegOp Reg(const std::string& n) {
  const std::string name = "Float" + n + (std::isupper(n.back()) ? "" : "Buf");
  return reinterpret_cast<RegOp>(zt::ResolveExport(name.c_str()));
}

constexpr double kPi = 3.141592653589793;
const double kInf = HUGE_VAL;
const double kNaN = std::nan("");

// Loads register r with exactly v: 17 significant digits read back exactly;
// infinities as overflowing exponents, NaN as infinity minus infinity.
void Set(I r, double v) {
  if (std::isnan(v)) {
    Set(r, kInf);
    ASSERT_EQ(0, FloatMinusBuf(r, r, 0, 0));
    return;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", v);
  if (std::isinf(v)) std::snprintf(text, sizeof text, "%s", v > 0 ? "1e999" : "-1e999");
  zt::HostVar s = zt::HostVar::String(64);
  s.SetText(text);
  ASSERT_EQ(0, FloatSetBuf(s, r, 0, 0));
}

// Enough decimals for all 17 significant digits of any double: the text
// names the register's value exactly.
std::string Exact(I r) {
  zt::HostVar s = zt::HostVar::String(1024);
  EXPECT_EQ(0, FloatToString(s, r, 400, 0));
  return s.text();
}
double Get(I r) { return std::strtod(Exact(r).c_str(), nullptr); }

std::vector<std::string> Snapshot() {
  std::vector<std::string> all;
  for (I r = 0; r < 16; ++r) all.push_back(Exact(r));
  return all;
}

bool Same(double want, double got) { return want == got || (std::isnan(want) && std::isnan(got)); }

TEST(Reading, DecimalNumbersOnlyLikeC90Atof) {
  // clang-format off
  const std::pair<const char*, double> cases[] = {
      {" -1.5e2xyz", -150.0}, {"abc", 0.0},  {"0x10", 0.0},     {"inf", 0.0},   {"1e", 1.0},
      {"1e+", 1.0},           {".5", 0.5},   {"5.", 5.0},       {".", 0.0},     {"+.e1", 0.0},
      {"  +7", 7.0},          {"1.45", 1.45},
      {"\t\n 12", 12.0},      {"-0.25E-1", -0.025},  {"1e-320", 1e-320},  {"1e999", kInf}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar s = zt::HostVar::String(32);
    s.SetText(c.first);
    Set(3, 99.0);
    ASSERT_EQ(0, FloatSetBuf(s, 3, 0, 0)) << c.first;
    EXPECT_EQ(c.second, Get(3)) << c.first;
  }
  // The reader never looks past its limit, terminator or not.
  const char text[] = {'1', '2', '.', '5', 'e', '3'};
  EXPECT_EQ(12.5, zor::ReadDecimal(text, 4));
  EXPECT_EQ(12.5, zor::ReadDecimal(text, 5));  // an exponent needs a digit
  EXPECT_EQ(0.0, zor::ReadDecimal(text, 0));
}

// Every string-operand export reads the first row only, after terminating it
// at its last byte, a cut the variable keeps, also when a division then
// refuses its zero divisor; other refusals change no byte. Register `index`
// (0 when out of range) holds `before`, then `after`; the others keep theirs.
TEST(Reading, FirstRowOperandsAndRefusals) {
  const char* full = "123456789999999";  // both rows of 8 bytes
  // clang-format off
  const struct {
    const char* op;
    const char* text;  // nullptr: an integer variable
    I index, status;
    double before, after;
    bool noRow = false;  // no byte for the terminator
  } cases[] = {
      {"FloatSetBuf", full, 4, 0, 0.5, 1234567.0},     {"FloatPlus", full, 16, 0, 1.5, 1234568.5},
      {"FloatMinus", full, 4, 0, 1.5, -1234565.5},     {"FloatMultiply", full, -1, 0, 2.0, 2469134.0},
      {"FloatDivide", full, 4, 0, 2469134.0, 2.0},
      // The readers share one operand check, the arithmetic one more step.
      {"FloatToInt", "keep", 2, -1, 5, 5},     {"FloatDivide", "0", 2, -255, 5, 5},
      {"FloatDivide", "-0.0", 2, -255, 5, 5},  {"FloatSetBuf", nullptr, 2, -1, 5, 5},
      {"FloatPlus", nullptr, 2, -1, 5, 5},     {"FloatToString", nullptr, 2, -1, 5, 5},
      {"FloatSetBuf", "22", 2, 3, 5, 5, true}, {"FloatPlus", "22", 2, 3, 5, 5, true},
      {"FloatToString", "22", 2, 3, 5, 5, true}};
  // clang-format on
  for (auto& c : cases) {
    const I r = (c.index < 0 || c.index > 15) ? 0 : c.index;
    Set(r, c.after);
    const auto want = Snapshot();
    Set(r, c.before);
    zt::HostVar v = c.text != nullptr ? zt::HostVar::String(8, 2) : zt::HostVar::Ints(4);
    v.Fill('7');  // "7777..." were integers read as text
    if (c.text != nullptr) std::memcpy(v.text(), c.text, std::strlen(c.text) + 1);
    if (c.noRow) v.rec()->lengths[1] = 0;
    std::string bytes(v.text(), 16);
    if (c.status == 0 || c.status == -255) bytes[7] = 0;
    EXPECT_EQ(c.status, Var(c.op)(v, c.index, 8, 0)) << c.op << " " << (c.text ? c.text : "ints");
    EXPECT_EQ(bytes, std::string(v.text(), 16)) << c.op;
    EXPECT_EQ(want, Snapshot()) << c.op;
  }
}

// FloatToInt and FloatIntBuf truncate within bounds; FloatChkOvFlow (chk)
// reports only the largest double, or a NaN, and the smallest normal one.
TEST(Registers, BoundedTruncationAndExtremeValues) {
  // clang-format off
  const struct {
    double in, out;
    I status, chk = 0;
  } cases[] = {
      {-2147483645.5, -2147483645.0, -16}, {-2147483645.0, -2147483645.0, 0},
      {2147483646.5, 2147483646.0, -17},   {2147483646.0, 2147483646.0, 0},
      {2.7, 2.0, 0},   {-2.7, -2.0, 0},    {-0.5, 0.0, 0},
      {kNaN, -2147483645.0, -16, -1},      {-kInf, -2147483645.0, -16},
      {kInf, 2147483646.0, -17},           {1.7976931348623157e308, 2147483646.0, -17, -1},
      {2.2250738585072014e-308, 0, 0, -2}, {-1.7976931348623157e308, -2147483645.0, -16},
      {-2.2250738585072014e-308, 0, 0},    {1e-310, 0, 0},   {0.0, 0, 0}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::Ints(2);
    v.ints()[1] = 77;
    Set(11, c.in);
    const std::string before = Exact(11);
    EXPECT_EQ(c.chk, FloatChkOvFlow(11, 0, 0, 0)) << c.in;
    EXPECT_EQ(c.status, FloatToInt(v, 11, 0, 0)) << c.in;
    EXPECT_EQ(static_cast<I>(c.out), v.ints()[0]) << c.in;
    EXPECT_EQ(77, v.ints()[1]) << c.in;
    EXPECT_EQ(before, Exact(11)) << c.in;  // the register is unchanged
    EXPECT_EQ(c.status, FloatIntBuf(11, 0, 0, 0)) << c.in;
    EXPECT_EQ(c.out, Get(11)) << c.in;
  }
}

// Value, decimals, trim flag, buffer bytes and rows, then the text and status.
TEST(FloatToString, WorkedExamplesAndCutTexts) {
  // clang-format off
  const struct {
    double v;
    I n, trim;
    const char* text;
    I status = 0;
    std::uint32_t bytes = 64, rows = 1;
  } cases[] = {
      {0.5, 8, 0, "0.50000000"},        {0.5, 8, 1, "0.5"},       {-0.0, 8, 0, "0.00000000"},
      {-0.5, 8, 0, "-0.50000000"},      {123.456, 8, 0, "123.45600000"}, {123.456, 2, 0, "123.46"},
      {123.456, 1, 0, "123.5"},         {0, 0, 0, "0.00000000"},  {0, 8, 1, "0"},
      {100, 8, 1, "100"},               {0.05, 8, 0, "0.05000000"},
      {0.000000001, 8, 0, "0.00000000"}, {9.999999999, 2, 0, "10.00"},
      {0.125, 2, 0, "0.13"},            {-0.001, 2, 0, "-0.00"},  {0.006, 2, 0, "0.01"},
      {1e-5, 3, 1, "0"},
      {1.96, 1, 0, "2.0"},  // the carry stops at the first digit
      {1.45, 1, 0, "1.5"},  // 1.4500000000000000 rounds away from zero
      {1152921504606846976.0, 2, 0, "1152921504606847000.00"},
      // cut: before the point (-1), just after it (-2), inside the fraction (-3)
      {123.456, 8, 0, "123", -1, 4},    {12.5, 8, 0, "12.", -2, 4},    {0.5, 8, 0, "0.5", -3, 4},
      {-1.5, 8, 0, "-1.50000000", 0, 12}, {1.0, 8, 0, "1.00000", -3, 8, 2},
      {120.0, 8, 1, "120", -3, 8},  // trimmed once the fraction was reached
      {100.0, 8, 1, "100", -1, 4},      {10.0, 8, 1, "10.", -2, 4},
      // non-finite values have no point and are never trimmed
      {-kInf, 8, 1, "-inf", 0, 16},     {-kInf, 8, 0, "-in", -1, 4},   {kNaN, 8, 1, "nan", 0, 16},
      // huge decimal counts cut like any other
      {1e-300, INT_MAX, 0, "0.00000", -3, 8}, {0.99999999999999989, INT_MAX, 0, "0.99999", -3, 8}};
  // clang-format on
  for (auto& c : cases) {
    Set(13, c.v);
    zt::HostVar s = zt::HostVar::String(c.bytes, c.rows);
    s.Fill('#');
    EXPECT_EQ(c.status, FloatToString(s, 13, c.n, c.trim)) << c.v << " n=" << c.n;
    EXPECT_STREQ(c.text, s.text()) << c.v << " n=" << c.n;
    EXPECT_EQ(0, s.text()[c.bytes - 1]) << c.v;
    EXPECT_EQ(c.rows > 1 ? '#' : 0, s.text()[c.bytes * c.rows - 1]) << "second row";
  }
}

// Destination first, source second, both read back through their own
// (maybe out-of-range) indices (for Pow: base, then exponent x, for
// PIto: the flag x); indices mapped one by one; operands read before the
// destination is written. dv is loaded first, then sv, so when both name one
// register it holds sv. Angle conversions multiply first, then divide.
TEST(Arithmetic, ResultsOperandOrderAndIndexRule) {
  // clang-format off
  const struct {
    const char* op;  // FloatNameBuf
    I d, s;
    double dv, sv, out, rel;  // rel: relative tolerance, 0 for an exact result
    I x = 0;
  } cases[] = {
      {"Minus", 5, 6, 10, 4, 6, 0},       {"Divide", 5, 6, 6, 4, 1.5, 0},
      {"Plus", 5, 6, 1.5, 4, 5.5, 0},     {"Multiply", 5, 6, 5.5, 4, 22, 0},
      {"Minus", 5, 99, 22, 2, 20, 0},     {"Divide", -7, 5, 2, 20, 0.1, 0},  // 99, -7: register 0
      {"Divide", 9, 9, 0, 7.5, 1, 0},     {"Plus", 9, 9, 0, -0.0, -0.0, 0},
      {"Neg", 9, 9, 0, 3.25, -3.25, 0},   {"Neg", 9, 9, 0, 0.0, -0.0, 0},
      {"Clr", 99, 9, 5, -0.0, 0.0, 0},    {"Plus", 1, 2, kInf, -kInf, kNaN, 0},
      {"Copy", 7, 1000, 2.5, 1.5, 1.5, 0}, {"Swap", 20, 7, 2.5, 1.5, 1.5, 0},  // a swap: dv to s
      {"Multiply", 1, 1, 0, 1e308, kInf, 0},  // overflow is stored
      {"Divide", 1, 2, 1e300, 1e-310, kInf, 0},  // a subnormal divisor is not zero
      {"PIto", 1, 2, 0, 123, kPi, 0},     {"PIto", 1, 2, 0, 123, 123 * kPi, 0, 5},
      {"PIto", 3, 77, 0, 2, 2 * kPi, 0, 1},
      {"DEGtoRAD", 5, 4, 0, 1e300, 1e300 * kPi / 180, 0},
      {"RADtoDEG", 4, 4, 0, 1e300, 1e300 * 180 / kPi, 0},
      {"Pow", 2, 1, 10, 2, 1024, 0, 2},   {"Pow", 2, 1, 2, 10, 100, 0, 2},
      {"Pow", 4, 4, 0, 3, 27, 0, 4},      {"Pow", 0, 1, 0.5, 4, 2, 0, 16},  // 16: register 0
      {"Pow", 2, 1, 0.5, -8, kNaN, 0, 2}, {"Pow", 2, 1, -1, 0, kInf, 0, 2},
      {"Pow", 2, 1, 1, kNaN, kNaN, 0, 2},
      {"Root", 2, 1, 5, 4, 2, 0},         {"Root", 1, 1, 0, 2, 1.4142135623730951, 0},
      {"Root", 2, 1, 5, -0.0, 0, 0},      {"Root", 2, 1, 5, kNaN, 0, 0},
      {"Sin", 2, 1, 77, kPi / 6, 0.5, 4e-16},
      {"Sin", 5, -20, 0, 1, 0.8414709848078965, 4e-16},  // the sine of register 0
      {"Sin", 2, 1, 77, kInf, kNaN, 0},   {"Cos", 2, 1, 77, kPi / 3, 0.5, 4e-16},
      {"Cos", 5, 5, 0, 2, -0.4161468365471424, 4e-16},   {"Tan", 2, 1, 77, kPi / 4, 1, 4e-16},
      {"ATan", 2, 1, 77, 1, kPi / 4, 4e-16}, {"ASin", 2, 1, 77, 1, kPi / 2, 0},
      {"ASin", 2, 1, 77, -1, -kPi / 2, 0},   {"ACos", 2, 1, 77, -1, kPi, 0},
      {"ACos", 1, 1, 0, 1, 0, 0},            {"Log", 2, 1, 77, 1000, 3, 0},
      {"Log", 2, 1, 77, 1e-310, -310, 3e-15},  // tiny values are above zero
      {"Ln", 1, 1, 0, 2.718281828459045, 1, 4e-16}};
  // clang-format on
  for (auto& c : cases) {
    const I d = (c.d < 0 || c.d > 15) ? 0 : c.d, s = (c.s < 0 || c.s > 15) ? 0 : c.s;
    Set(d, c.dv);
    Set(s, c.sv);
    const std::string what = std::string(c.op) + " " + std::to_string(c.sv);
    EXPECT_EQ(0, Reg(c.op)(c.d, c.s, c.x, 0)) << what;
    if (c.rel != 0) {
      EXPECT_NEAR(c.out, Get(d), c.rel * std::fabs(c.out)) << what;
    } else {
      EXPECT_TRUE(Same(c.out, Get(c.d))) << what << " gives " << Get(c.d);
    }
    if (c.out == 0) {
      Set(15, -1.0);  // the sign of a zero, seen through pow(zero, -1) = +-infinity
      EXPECT_EQ(0, FloatPowBuf(14, d, 15, 0));
      EXPECT_EQ(std::signbit(c.out), Get(14) == -kInf) << what;
    }
    const double source = std::strcmp(c.op, "Swap") == 0 ? c.dv : c.sv;
    EXPECT_TRUE(s == d || Same(source, Get(c.s))) << what << ": the source";
  }
}

TEST(Arithmetic, RefusedOperandsChangeNoRegister) {
  // clang-format off
  const struct {
    const char* op;
    std::vector<double> operands;
    I status, d = 2, s = 1;  // the source holds each operand in turn
  } cases[] = {{"Copy", {1.5}, -1, 16, 0}, {"Swap", {1.5}, -1, 0, -3},  // register 0 twice
               {"Divide", {0.0, -0.0, kNaN}, -255}, {"Root", {-4.0, -1e-310, -kInf}, -255},
               {"ASin", {1.0000001, -1.0000001, kInf, -kInf, kNaN}, -1},
               {"ACos", {1.0000001, -1.0000001, kInf, -kInf, kNaN}, -1},
               {"Log", {0.0, -0.0, -1.0, -kInf, kNaN}, -255},
               {"Ln", {0.0, -0.0, -1.0, -kInf, kNaN}, -255},
               {"Pow", {0.0, -0.0, kNaN}, -255}};  // base and exponent alike
  // clang-format on
  for (auto& c : cases) {
    for (double v : c.operands) {
      Set(2, 3.0);
      Set(1, v);
      const auto before = Snapshot();
      EXPECT_EQ(c.status, Reg(c.op)(c.d, c.s, c.s, 0)) << c.op << " " << v;
      EXPECT_EQ(before, Snapshot()) << c.op << " " << v;
    }
  }
}

}  // namespace
