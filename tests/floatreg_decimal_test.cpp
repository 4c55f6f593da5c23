// The digit conversion and number reader behind the float bank, checked
// directly against their contracts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "floatreg/bank.h"
#include "floatreg/decimal_text.h"

namespace {

TEST(FixedDigits, PointAndDigitsFollowTheContract) {
  const struct {
    double v;
    int n;
    const char* digits;
    int point;
    bool negative;
  } cases[] = {
      {9.999999999, 2, "1000", 2, false},  // carry lengthens the integer part
      {0.006, 2, "1", -1, false},          // leading fraction zeros omitted
      {0.0006, 2, "", -3, false},          // nothing significant left
      {0.05, 8, "5000000", -1, false},    {123.456, 1, "1235", 3, false}, {-0.001, 2, "", -2, true},
      {1.45, 1, "15", 1, false},  // 1.4500000000000000 rounds away from zero
  };
  for (auto& c : cases) {
    zor::FixedDigits f = zor::ToFixedDigits(c.v, c.n);
    EXPECT_EQ(c.digits, f.digits) << c.v;
    if (!f.digits.empty()) {
      EXPECT_EQ(c.point, f.point) << c.v;
    }
    EXPECT_EQ(c.negative, f.negative) << c.v;
  }
  // Past the 17th significant digit every position is zero.
  EXPECT_EQ("115292150460684700000", zor::ToFixedDigits(std::ldexp(1.0, 60), 2).digits);
}

TEST(ReadDecimal, StopsAtTheLimitWithoutATerminator) {
  const char text[] = {'1', '2', '.', '5', '9', '9'};
  EXPECT_EQ(12.5, zor::ReadDecimal(text, 4));
  EXPECT_EQ(12.0, zor::ReadDecimal(text, 2));
  EXPECT_EQ(0.0, zor::ReadDecimal(text, 0));
  const char exp[] = {'2', 'e', '3'};
  EXPECT_EQ(2.0, zor::ReadDecimal(exp, 2));  // an exponent needs a digit
  EXPECT_EQ(2000.0, zor::ReadDecimal(exp, 3));
}

TEST(BoundedTruncate, NotANumberCountsAsBelowTheLowerBound) {
  std::int32_t st = 0;
  EXPECT_EQ(-2147483645.0, zor::BoundedTruncate(std::nan(""), &st));
  EXPECT_EQ(-16, st);
  EXPECT_EQ(2147483646.0, zor::BoundedTruncate(INFINITY, &st));
  EXPECT_EQ(-17, st);
  EXPECT_EQ(-2147483645.0, zor::BoundedTruncate(-INFINITY, &st));
  EXPECT_EQ(-16, st);
  EXPECT_EQ(-7.0, zor::BoundedTruncate(-7.9, &st));
  EXPECT_EQ(0, st);
}

}  // namespace
