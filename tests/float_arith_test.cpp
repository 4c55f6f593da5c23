// Arithmetic and functions on the float registers: operand order, domain
// refusals (with the rule that a NaN counts as equal to and below every
// constant), and that a refused call leaves every register as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/zortest.h"

namespace {

using zor::HspVar;

ZT_EXPORT(FloatSetBuf, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatToString, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatNegBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

ZT_EXPORT(FloatPlus, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatMinus, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatMultiply, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatDivide, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatPlusBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatMinusBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatMultiplyBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatDivideBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatRootBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatPowBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatSinBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatCosBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatTanBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatASinBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatACosBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatATanBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatLogBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatLnBuf, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

using BufOp = std::int32_t(ZOR_CALL*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
using VarOp = std::int32_t(ZOR_CALL*)(HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr double kPi = 3.141592653589793;
const double kInf = HUGE_VAL;
const double kNaN = std::nan("");

// Loads a register through its decimal text; infinities as overflowing
// exponents, NaN as infinity minus infinity.
void Set(int r, double v) {
  zt::HostVar var = zt::HostVar::String(64);
  char text[64];
  if (std::isnan(v)) {
    Set(r, kInf);
    ASSERT_EQ(0, FloatMinusBuf(r, r, 0, 0));
    return;
  }
  if (std::isinf(v)) {
    std::snprintf(text, sizeof text, "%s", v > 0 ? "1e999" : "-1e999");
  } else {
    std::snprintf(text, sizeof text, "%.17g", v);
  }
  var.SetText(text);
  ASSERT_EQ(0, FloatSetBuf(var, r, 0, 0));
}

// A register's full decimal text: enough decimals for 17 significant digits
// of any double, so that the text identifies the value exactly.
std::string Text(int r) {
  zt::HostVar var = zt::HostVar::String(1024);
  EXPECT_EQ(0, FloatToString(var, r, 340, 0));
  return var.text();
}

double Get(int r) { return std::strtod(Text(r).c_str(), nullptr); }

std::vector<std::string> Snapshot() {
  std::vector<std::string> all;
  for (int r = 0; r < 16; ++r) all.push_back(Text(r));
  return all;
}

// The sign of a zero register, seen through 1 / zero as pow(zero, -1).
bool IsNegativeZero(int r) {
  Set(15, -1.0);
  EXPECT_EQ(0, FloatPowBuf(14, r, 15, 0));
  const double inv = Get(14);
  EXPECT_TRUE(std::isinf(inv));
  return inv < 0;
}

TEST(FloatStringOperand, OperandOrder) {
  zt::HostVar x = zt::HostVar::String(64);
  x.SetText("2.25");
  Set(3, 1.5);
  EXPECT_EQ(0, FloatPlus(x, 3, 0, 0));
  EXPECT_EQ(3.75, Get(3));
  Set(3, 1.5);
  EXPECT_EQ(0, FloatMinus(x, 3, 0, 0));
  EXPECT_EQ(-0.75, Get(3));  // register minus operand
  Set(3, 1.5);
  EXPECT_EQ(0, FloatMultiply(x, 3, 0, 0));
  EXPECT_EQ(3.375, Get(3));
  Set(3, 9.0);
  EXPECT_EQ(0, FloatDivide(x, 3, 0, 0));
  EXPECT_EQ(4.0, Get(3));  // register divided by operand
  EXPECT_STREQ("2.25", x.text());
}

TEST(FloatStringOperand, OutOfRangeIndexNamesRegisterZero) {
  zt::HostVar x = zt::HostVar::String(64);
  x.SetText(" -1.5e1xyz");
  Set(0, 100.0);
  Set(7, 1.0);
  EXPECT_EQ(0, FloatPlus(x, 16, 0, 0));
  EXPECT_EQ(85.0, Get(0));
  EXPECT_EQ(0, FloatMultiply(x, -1, 0, 0));
  EXPECT_EQ(-1275.0, Get(0));
  EXPECT_EQ(1.0, Get(7));
}

TEST(FloatStringOperand, WrongTypeOrEmptyRowChangesNothing) {
  for (VarOp op : {FloatPlus, FloatMinus, FloatMultiply, FloatDivide}) {
    Set(2, 5.0);
    const auto before = Snapshot();
    zt::HostVar ints = zt::HostVar::Ints(4);
    ints.Fill(0x31);  // "1111..." were it read as text
    EXPECT_EQ(-1, op(ints, 2, 0, 0));
    EXPECT_EQ(0x31313131, ints.ints()[3]);  // no terminator written

    zt::HostVar empty = zt::HostVar::String(16);
    empty.SetText("2");
    empty.rec()->lengths[1] = 0;  // no byte for the terminator
    EXPECT_EQ(3, op(empty, 2, 0, 0));
    EXPECT_STREQ("2", empty.text());
    EXPECT_EQ(before, Snapshot());
  }
}

TEST(FloatStringOperand, FullBufferLosesItsLastCharacter) {
  zt::HostVar x = zt::HostVar::String(8, 2);
  std::memcpy(x.text(), "12345678", 8);
  std::memcpy(x.text() + 8, "9", 2);  // the second row is not the first's tail
  Set(4, 0.0);
  EXPECT_EQ(0, FloatPlus(x, 4, 0, 0));
  EXPECT_EQ(1234567.0, Get(4));
  EXPECT_STREQ("1234567", x.text());  // the variable keeps the cut
}

TEST(FloatStringOperand, DivideByZeroTextRefusedAfterTerminating) {
  for (const char* text : {"0", "-0.0", "abc", ""}) {
    zt::HostVar x = zt::HostVar::String(16);
    x.Fill('7');
    std::memcpy(x.text(), text, std::strlen(text) + 1);
    Set(6, 42.0);
    const auto before = Snapshot();
    EXPECT_EQ(-255, FloatDivide(x, 6, 0, 0)) << text;
    EXPECT_EQ(before, Snapshot()) << text;
    EXPECT_EQ(0, x.text()[15]) << text;  // the terminator write stays
  }
}

TEST(FloatRegisterArith, OperandOrderAndIndependentMapping) {
  Set(5, 10.0);
  Set(6, 4.0);
  EXPECT_EQ(0, FloatMinusBuf(5, 6, 0, 0));
  EXPECT_EQ(6.0, Get(5));  // destination minus source
  EXPECT_EQ(0, FloatDivideBuf(5, 6, 0, 0));
  EXPECT_EQ(1.5, Get(5));  // destination over source
  EXPECT_EQ(0, FloatPlusBuf(5, 6, 0, 0));
  EXPECT_EQ(5.5, Get(5));
  EXPECT_EQ(0, FloatMultiplyBuf(5, 6, 0, 0));
  EXPECT_EQ(22.0, Get(5));
  EXPECT_EQ(4.0, Get(6));

  Set(0, 2.0);
  EXPECT_EQ(0, FloatMinusBuf(5, 99, 0, 0));  // source 99 is register 0
  EXPECT_EQ(20.0, Get(5));
  EXPECT_EQ(0, FloatDivideBuf(-7, 5, 0, 0));  // destination -7 is register 0
  EXPECT_EQ(0.1, Get(0));
  EXPECT_EQ(20.0, Get(5));
}

TEST(FloatRegisterArith, SameRegisterOnBothSides) {
  Set(9, 7.5);
  EXPECT_EQ(0, FloatDivideBuf(9, 9, 0, 0));
  EXPECT_EQ(1.0, Get(9));
  Set(9, 7.5);
  EXPECT_EQ(0, FloatMinusBuf(9, 9, 0, 0));
  EXPECT_EQ(0.0, Get(9));
  Set(9, 7.5);
  EXPECT_EQ(0, FloatPlusBuf(9, 9, 0, 0));
  EXPECT_EQ(15.0, Get(9));
  EXPECT_EQ(0, FloatMultiplyBuf(9, 9, 0, 0));
  EXPECT_EQ(225.0, Get(9));
}

TEST(FloatRegisterArith, DivisorZeroOrNaNRefused) {
  for (double divisor : {0.0, -0.0, kNaN}) {
    Set(1, 3.0);
    Set(2, divisor);
    if (divisor == 0) {
      EXPECT_EQ(std::signbit(divisor), IsNegativeZero(2));
    }
    const auto before = Snapshot();
    EXPECT_EQ(-255, FloatDivideBuf(1, 2, 0, 0));
    EXPECT_EQ(before, Snapshot());
  }
}

TEST(FloatRegisterArith, OverflowIsStoredNotReported) {
  Set(1, 1e308);
  EXPECT_EQ(0, FloatMultiplyBuf(1, 1, 0, 0));
  EXPECT_EQ(kInf, Get(1));
  Set(2, -kInf);
  EXPECT_EQ(0, FloatPlusBuf(1, 2, 0, 0));  // inf + -inf
  EXPECT_TRUE(std::isnan(Get(1)));
  Set(3, 1e-300);
  zt::HostVar x = zt::HostVar::String(16);
  x.SetText("1e-300");
  EXPECT_EQ(0, FloatDivide(x, 3, 0, 0));
  EXPECT_EQ(1.0, Get(3));
  x.SetText("1e-310");
  Set(3, 1e300);
  EXPECT_EQ(0, FloatDivide(x, 3, 0, 0));  // a subnormal divisor is not zero
  EXPECT_EQ(kInf, Get(3));
}

TEST(FloatRoot, ValuesZerosAndRefusal) {
  Set(1, 4.0);
  EXPECT_EQ(0, FloatRootBuf(2, 1, 0, 0));
  EXPECT_EQ(2.0, Get(2));
  Set(1, 2.0);
  EXPECT_EQ(0, FloatRootBuf(1, 1, 0, 0));
  EXPECT_DOUBLE_EQ(1.4142135623730951, Get(1));

  // Zero of either sign, and NaN, give +0.0 without a refusal.
  for (double v : {-0.0, 0.0, kNaN}) {
    Set(1, v);
    Set(2, 5.0);
    EXPECT_EQ(0, FloatRootBuf(2, 1, 0, 0));
    EXPECT_EQ(0.0, Get(2));
    EXPECT_FALSE(IsNegativeZero(2));
  }
  for (double v : {-4.0, -1e-310, -kInf}) {
    Set(1, v);
    Set(2, 5.0);
    const auto before = Snapshot();
    EXPECT_EQ(-255, FloatRootBuf(2, 1, 0, 0));
    EXPECT_EQ(before, Snapshot());
  }
}

TEST(FloatPow, BaseFirstExponentSecond) {
  Set(1, 2.0);
  Set(2, 10.0);
  EXPECT_EQ(0, FloatPowBuf(3, 1, 2, 0));
  EXPECT_EQ(1024.0, Get(3));
  EXPECT_EQ(0, FloatPowBuf(3, 2, 1, 0));
  EXPECT_EQ(100.0, Get(3));
  Set(4, 3.0);
  EXPECT_EQ(0, FloatPowBuf(4, 4, 4, 0));  // operands read before the store
  EXPECT_EQ(27.0, Get(4));
  Set(0, 0.5);
  EXPECT_EQ(0, FloatPowBuf(3, 2, 16, 0));  // exponent 16 is register 0
  EXPECT_DOUBLE_EQ(std::sqrt(10.0), Get(3));
}

TEST(FloatPow, OnlyTheExponentIsTested) {
  for (double base : {5.0, 0.0, kNaN}) {
    for (double exponent : {0.0, -0.0, kNaN}) {
      Set(1, base);
      Set(2, exponent);
      Set(3, 9.0);
      const auto before = Snapshot();
      EXPECT_EQ(-255, FloatPowBuf(3, 1, 2, 0)) << base << " " << exponent;
      EXPECT_EQ(before, Snapshot());
    }
  }
  Set(1, -8.0);
  Set(2, 0.5);
  EXPECT_EQ(0, FloatPowBuf(3, 1, 2, 0));
  EXPECT_TRUE(std::isnan(Get(3)));
  Set(1, 0.0);
  Set(2, -1.0);
  EXPECT_EQ(0, FloatPowBuf(3, 1, 2, 0));
  EXPECT_EQ(kInf, Get(3));
  Set(1, kNaN);
  Set(2, 1.0);
  EXPECT_EQ(0, FloatPowBuf(3, 1, 2, 0));
  EXPECT_TRUE(std::isnan(Get(3)));
}

TEST(FloatTrig, ResultsOfTheStandardLibrary) {
  struct Case {
    BufOp op;
    double in, out;
  };
  const Case cases[] = {{FloatSinBuf, kPi / 6, 0.5},  {FloatSinBuf, -1.0, -0.8414709848078965},
                        {FloatCosBuf, kPi / 3, 0.5},  {FloatCosBuf, 2.0, -0.4161468365471424},
                        {FloatTanBuf, kPi / 4, 1.0},  {FloatTanBuf, -0.5, -0.5463024898437905},
                        {FloatATanBuf, 1.0, kPi / 4}, {FloatATanBuf, -1e300, -kPi / 2},
                        {FloatATanBuf, kInf, kPi / 2}};
  for (const Case& c : cases) {
    Set(1, c.in);
    Set(2, 77.0);
    EXPECT_EQ(0, c.op(2, 1, 0, 0));
    EXPECT_NEAR(c.out, Get(2), 4e-16 * std::fabs(c.out)) << c.in;
    EXPECT_EQ(c.in, Get(1));
  }
  Set(0, 1.0);
  Set(5, 0.0);
  EXPECT_EQ(0, FloatSinBuf(5, -20, 0, 0));  // the sine of register 0
  EXPECT_DOUBLE_EQ(0.8414709848078965, Get(5));
  EXPECT_EQ(0, FloatCosBuf(5, 5, 0, 0));  // in place
  EXPECT_DOUBLE_EQ(0.6663667453928805, Get(5));
  Set(1, kInf);
  EXPECT_EQ(0, FloatSinBuf(2, 1, 0, 0));  // stored as it comes
  EXPECT_TRUE(std::isnan(Get(2)));
}

TEST(FloatArcTrig, ExactAtTheBounds) {
  Set(1, 1.0);
  EXPECT_EQ(0, FloatASinBuf(2, 1, 0, 0));
  EXPECT_EQ(kPi / 2, Get(2));
  Set(1, -1.0);
  EXPECT_EQ(0, FloatASinBuf(2, 1, 0, 0));
  EXPECT_EQ(-kPi / 2, Get(2));
  EXPECT_EQ(0, FloatACosBuf(2, 1, 0, 0));
  EXPECT_EQ(kPi, Get(2));
  Set(1, 1.0);
  EXPECT_EQ(0, FloatACosBuf(1, 1, 0, 0));
  EXPECT_EQ(0.0, Get(1));
  Set(1, 0.5);
  EXPECT_EQ(0, FloatASinBuf(2, 1, 0, 0));
  EXPECT_DOUBLE_EQ(kPi / 6, Get(2));
  EXPECT_EQ(0, FloatACosBuf(2, 1, 0, 0));
  EXPECT_DOUBLE_EQ(kPi / 3, Get(2));
}

TEST(FloatArcTrig, OutsideTheUnitRangeRefused) {
  for (BufOp op : {FloatASinBuf, FloatACosBuf}) {
    for (double v : {1.0000001, -1.0000001, kInf, -kInf, kNaN}) {
      Set(1, v);
      Set(2, 0.25);
      const auto before = Snapshot();
      EXPECT_EQ(-1, op(2, 1, 0, 0)) << v;
      EXPECT_EQ(before, Snapshot());
    }
  }
}

TEST(FloatLog, BaseTenAndNatural) {
  Set(1, 1000.0);
  EXPECT_EQ(0, FloatLogBuf(2, 1, 0, 0));
  EXPECT_EQ(3.0, Get(2));
  Set(1, 1.0);
  EXPECT_EQ(0, FloatLnBuf(2, 1, 0, 0));
  EXPECT_EQ(0.0, Get(2));
  Set(1, 2.718281828459045);
  EXPECT_EQ(0, FloatLnBuf(1, 1, 0, 0));
  EXPECT_DOUBLE_EQ(1.0, Get(1));
  Set(1, 1e-310);  // the smallest values are above zero too
  EXPECT_EQ(0, FloatLogBuf(2, 1, 0, 0));
  EXPECT_NEAR(-310.0, Get(2), 1e-12);
  Set(1, kInf);
  EXPECT_EQ(0, FloatLnBuf(2, 1, 0, 0));
  EXPECT_EQ(kInf, Get(2));
}

TEST(FloatLog, NotAboveZeroRefused) {
  for (BufOp op : {FloatLogBuf, FloatLnBuf}) {
    for (double v : {0.0, -0.0, -1.0, -kInf, kNaN}) {
      Set(1, v);
      Set(2, 8.0);
      const auto before = Snapshot();
      EXPECT_EQ(-255, op(2, 1, 0, 0)) << v;
      EXPECT_EQ(before, Snapshot());
    }
  }
}

TEST(FloatHelpers, NegativeZeroIsSeen) {
  Set(8, 0.0);
  EXPECT_FALSE(IsNegativeZero(8));
  ASSERT_EQ(0, FloatNegBuf(8, 0, 0, 0));
  EXPECT_TRUE(IsNegativeZero(8));
}

}  // namespace
