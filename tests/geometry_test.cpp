// Trigonometry, directions and roots on scaled integers: the fixed-point
// sine table, the rounding rules, 32-bit wrap-around and the 64-bit
// truncation of results.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "floatreg/degree_sine.h"
#include "floatreg/scaled_int.h"
#include "support/zortest.h"

namespace {

using zor::HspVar;

ZT_EXPORT(TriFunc, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(TriFunc2, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(TriFuncA, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetAngle, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetAngle2, HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Root, HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kUntouched = 0x5A5A5A5A;

// Calls a one-result export on a fresh integer variable; returns the status
// and leaves the first element in *out.
template <class Fn>
std::int32_t Call(Fn fn, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t* out) {
  zt::HostVar v = zt::HostVar::Ints(1);
  v.ints()[0] = kUntouched;
  std::int32_t status = fn(v, a, b, c);
  *out = v.ints()[0];
  return status;
}

TEST(DegreeSineTable, TellingEntriesAndMirror) {
  const std::int16_t* t = zor::DegreeSineTable();
  const std::pair<int, int> telling[] = {{0, 0},     {1, 71},    {30, 2048}, {45, 2896},
                                         {60, 3547}, {89, 4095}, {90, 4096}, {135, 2896},
                                         {179, 71},  {180, 0},   {181, -71}, {270, -4096},
                                         {359, -71}, {44, 2845}, {46, 2946}};
  for (auto& e : telling) EXPECT_EQ(e.second, t[e.first]) << e.first;
  for (int i = 180; i < 360; ++i) EXPECT_EQ(-t[i - 180], t[i]) << i;
  for (int i = 1; i <= 90; ++i) EXPECT_GT(t[i], t[i - 1]) << i;
  for (int i = 91; i < 180; ++i) EXPECT_EQ(t[180 - i], t[i]) << i;
  EXPECT_EQ(t, zor::DegreeSineTable());
}

TEST(DegreeSineTable, ReductionIntoOneTurn) {
  const std::pair<int, int> cases[] = {{0, 0},       {359, 359}, {360, 0},    {4096, 136},
                                       {-1, 359},    {-90, 270}, {-360, 0},   {-361, 359},
                                       {-4096, 224}, {720, 0},   {-4095, 225}};
  for (auto& c : cases) EXPECT_EQ(c.second, zor::ReduceDegrees(c.first)) << c.first;
}

TEST(ScaledResult, TruncationKeepsLowBitsOfSixtyFourBits) {
  EXPECT_EQ(2, zor::TruncateToResult(2.999));
  EXPECT_EQ(-2, zor::TruncateToResult(-2.999));
  EXPECT_EQ(1, zor::TruncateToResult(4294967297.9));
  EXPECT_EQ(-1, zor::TruncateToResult(4294967295.5));
  EXPECT_EQ(INT_MIN, zor::TruncateToResult(2147483648.0));
  EXPECT_EQ(1, zor::TruncateToResult(-8589934591.0));
  EXPECT_EQ(0, zor::TruncateToResult(-9223372036854775808.0));     // low bits of INT64_MIN
  EXPECT_EQ(-1024, zor::TruncateToResult(9223372036854774784.0));  // 2^63 - 1024
  EXPECT_EQ(0, zor::TruncateToResult(9223372036854775808.0));      // beyond 64 bits
  EXPECT_EQ(0, zor::TruncateToResult(-1e19));
  EXPECT_EQ(0, zor::TruncateToResult(HUGE_VAL));
  EXPECT_EQ(0, zor::TruncateToResult(std::nan("")));
  EXPECT_EQ(3, zor::RoundToResult(2.5, 1.0));
  EXPECT_EQ(-3, zor::RoundToResult(-2.5, -1.0));
  EXPECT_EQ(-2, zor::RoundToResult(-2.5, 1.0));  // the sign argument decides
  EXPECT_EQ(1, zor::RoundToResult(0.5, -0.0));   // -0.0 is not negative
}

TEST(TriFunc, WorkedValues) {
  struct Case {
    std::int32_t kind, angle, scale, result;
  } const cases[] = {
      {0, 30, 100, 50},   {1, 60, 100, 50},   {2, 45, 100, 100},    {2, 135, 100, -99},
      {0, 210, 100, -49}, {0, 90, -100, -99}, {0, 4096, 1000, 695}, {0, -4096, 1000, -694},
      {3, 30, 100, 50},   {-1, 30, 100, 50},  {1, 0, 4096, 4096},   {1, 180, 1000, -999},
      {1, -90, 1000, 0},  {0, 360, 1000, 0},  {0, -30, 100, -49},   {2, 89, 1, 58},
      {2, 1, 1000, 17},
  };
  for (const Case& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(0, Call(TriFunc, c.kind, c.angle, c.scale, &out)) << c.kind << " " << c.angle;
    EXPECT_EQ(c.result, out) << c.kind << " " << c.angle << " " << c.scale;
  }
}

TEST(TriFunc, SaturatedTangentsWithStatusZero) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{90, 2147483647},   {450, 2147483647},
                                                         {-270, 2147483647}, {270, -2147483647},
                                                         {-90, -2147483647}, {4050, 2147483647}};
  for (auto& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(0, Call(TriFunc, 2, c.first, 7, &out)) << c.first;
    EXPECT_EQ(c.second, out) << c.first;
  }
}

TEST(TriFunc, ProductsWrapAroundThirtyTwoBits) {
  std::int32_t out = 0;
  // 4096 x 2147483647 wraps to -4096; (-4096 + 2048) / 4096 truncates to 0.
  EXPECT_EQ(0, Call(TriFunc, 0, 90, INT_MAX, &out));
  EXPECT_EQ(0, out);
  // tan 89: T = 236269, and T x 100000 wraps.
  EXPECT_EQ(0, Call(TriFunc, 2, 89, 100000, &out));
  EXPECT_EQ(-523169, out);
  EXPECT_EQ(0, Call(TriFunc, 1, 0, INT_MIN, &out));
  EXPECT_EQ(0, out);
}

TEST(TriFunc, RefusalsWriteNothing) {
  std::int32_t out = 0;
  EXPECT_EQ(3, Call(TriFunc, 0, 4097, 100, &out));
  EXPECT_EQ(kUntouched, out);
  EXPECT_EQ(3, Call(TriFunc, 0, -4097, 100, &out));
  EXPECT_EQ(kUntouched, out);
  EXPECT_EQ(3, Call(TriFunc, 2, INT_MIN, 100, &out));
  EXPECT_EQ(kUntouched, out);
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("abc");
  EXPECT_EQ(6, TriFunc(s, 0, 30, 100));
  EXPECT_EQ(6, TriFunc(s, 0, 5000, 100));  // the type is tested first
  EXPECT_STREQ("abc", s.text());
}

TEST(TriFunc2, WorkedValues) {
  struct Case {
    std::int32_t kind, angle, scale, result;
  } const cases[] = {
      {0, 300000, 100, 50},   {1, 600000, 100, 50},         {2, 1350000, 100, -100},
      {0, 300000, -100, -49}, {0, 900000, 1000, 1000},      {1, 0, 1000, 1000},
      {0, -300000, 100, -50}, {0, 2100000, 100, -50},       {9, 300000, 100, 50},
      {2, 4050000, 100, 100}, {2, 300000, 1000000, 577350}, {1, 1800000, 1000, -1000},
  };
  for (const Case& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(0, Call(TriFunc2, c.kind, c.angle, c.scale, &out)) << c.kind << " " << c.angle;
    EXPECT_EQ(c.result, out) << c.kind << " " << c.angle << " " << c.scale;
  }
}

TEST(TriFunc2, FixedTangentAngles) {
  std::int32_t out = 0;
  for (std::int32_t a : {900000, -2700000}) {
    EXPECT_EQ(-1, Call(TriFunc2, 2, a, 100, &out)) << a;
    EXPECT_EQ(2147483647, out) << a;
  }
  for (std::int32_t a : {-900000, 2700000}) {
    EXPECT_EQ(-1, Call(TriFunc2, 2, a, 100, &out)) << a;
    EXPECT_EQ(-2147483647, out) << a;
  }
  for (std::int32_t a : {450000, 2250000, -3150000, -1350000}) {
    EXPECT_EQ(0, Call(TriFunc2, 2, a, -12345, &out)) << a;
    EXPECT_EQ(-12345, out) << a;  // the scale itself, sign and all
  }
  // Only these exact angles: a full turn further is computed.
  EXPECT_EQ(0, Call(TriFunc2, 2, 900000 + 3600000, 1, &out));
  EXPECT_EQ(0, Call(TriFunc2, 2, 450000 + 3600000, 100, &out));
  EXPECT_EQ(100, out);
}

TEST(TriFunc2, RangeAndType) {
  std::int32_t out = 0;
  EXPECT_EQ(3, Call(TriFunc2, 0, -2147483646, 100, &out));
  EXPECT_EQ(kUntouched, out);
  EXPECT_EQ(3, Call(TriFunc2, 0, INT_MAX, 100, &out));
  EXPECT_EQ(kUntouched, out);
  EXPECT_EQ(0, Call(TriFunc2, 0, -2147483645, 100, &out));
  EXPECT_EQ(0, Call(TriFunc2, 0, 2147483646, 100, &out));
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("abc");
  EXPECT_EQ(6, TriFunc2(s, 2, 900000, 100));
  EXPECT_STREQ("abc", s.text());
}

TEST(TriFuncA, WorkedValuesAndSignOfTheAngle) {
  struct Case {
    std::int32_t kind, ratio, scale, result;
  } const cases[] = {
      {1, 500000, 1000, 1047},  {0, -1000000, 1000, -1571}, {1, -1000000, 1000, 3142},
      {0, 1000000, 1000, 1571}, {1, 1000000, 1000, 0},      {0, 500000, 1000, 524},
      {7, 0, 1000, 0},          {0, -500000, -1000, 523},   {0, 500000, -1000, -523},
  };
  for (const Case& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(0, Call(TriFuncA, c.kind, c.ratio, c.scale, &out)) << c.kind << " " << c.ratio;
    EXPECT_EQ(c.result, out) << c.kind << " " << c.ratio << " " << c.scale;
  }
}

TEST(TriFuncA, ResultKeepsLowThirtyTwoBits) {
  std::int32_t out = 0;
  // pi x 2e9 = 6283185307.18: the 64-bit integer's low half.
  EXPECT_EQ(0, Call(TriFuncA, 1, -1000000, 2000000000, &out));
  EXPECT_EQ(1988218011, out);
  // pi/2 x -2e9 = -3141592653.59, plus 0.5 because the angle is positive.
  EXPECT_EQ(0, Call(TriFuncA, 0, 1000000, -2000000000, &out));
  EXPECT_EQ(1153374643, out);
}

TEST(TriFuncA, RatioOutsideUnitRangeRefused) {
  std::int32_t out = 0;
  for (std::int32_t ratio : {1000001, -1000001, INT_MAX, INT_MIN}) {
    EXPECT_EQ(-1, Call(TriFuncA, 0, ratio, 1000, &out)) << ratio;
    EXPECT_EQ(kUntouched, out);
    EXPECT_EQ(-1, Call(TriFuncA, 1, ratio, 1000, &out)) << ratio;
    EXPECT_EQ(kUntouched, out);
  }
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("abc");
  EXPECT_EQ(6, TriFuncA(s, 0, 0, 100));
  EXPECT_STREQ("abc", s.text());
}

TEST(GetAngle, DirectionAsNegatedStatus) {
  EXPECT_EQ(-450000, GetAngle(0, 0, 10, 10));
  EXPECT_EQ(-3150000, GetAngle(0, 0, 10, -10));
  EXPECT_EQ(0, GetAngle(0, 0, -10, 0));
  EXPECT_EQ(-3415651, GetAngle(0, 0, 3, -1));
  EXPECT_EQ(-450000, GetAngle(0, 0, -10, -10));  // only the slope counts
  EXPECT_EQ(-184349, GetAngle(0, 0, 3, 1));
  EXPECT_EQ(-2965651, GetAngle(5, 5, 0, 15));
  EXPECT_EQ(3, GetAngle(5, 1, 5, 9));
  EXPECT_EQ(3, GetAngle(INT_MIN, 0, INT_MIN, 0));
}

TEST(GetAngle, DifferencesWrapAround) {
  // dx = INT_MAX - INT_MIN wraps to -1.
  EXPECT_EQ(-3150000, GetAngle(INT_MIN, 0, INT_MAX, 1));
  // dy = INT_MIN - INT_MAX wraps to 1.
  EXPECT_EQ(-450000, GetAngle(0, INT_MAX, 1, INT_MIN));
}

TEST(GetAngle2, DegreesTimesScale) {
  zt::HostVar v = zt::HostVar::Ints(5);
  auto run = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t scale, std::int32_t* out) {
    const std::int32_t p[5] = {kUntouched, x1, y1, x2, y2};
    std::memcpy(v.ints(), p, sizeof p);
    std::int32_t status = GetAngle2(v, scale, 0, 0);
    *out = v.ints()[0];
    EXPECT_EQ(0, std::memcmp(p + 1, v.ints() + 1, 16));  // the points stay
    return status;
  };
  std::int32_t out = 0;
  EXPECT_EQ(0, run(0, 0, 10, 10, 1, &out));
  EXPECT_EQ(45, out);
  EXPECT_EQ(0, run(0, 0, 10, -10, 10, &out));
  EXPECT_EQ(-450, out);  // no full turn added
  EXPECT_EQ(0, run(0, 0, 3, 1, 100, &out));
  EXPECT_EQ(1843, out);
  EXPECT_EQ(0, run(0, 0, 3, 1, -100, &out));
  EXPECT_EQ(-1843, out);  // the sign of the product decides the rounding
  EXPECT_EQ(0, run(INT_MIN, 0, INT_MAX, 1, 1, &out));
  EXPECT_EQ(-45, out);
  EXPECT_EQ(-3, run(7, 0, 7, 100, 1, &out));
  EXPECT_EQ(kUntouched, out);
}

TEST(GetAngle2, TypeAndSizeRefusals) {
  zt::HostVar four = zt::HostVar::Ints(4);
  four.ints()[0] = kUntouched;
  four.ints()[3] = 10;
  EXPECT_EQ(-2, GetAngle2(four, 1, 0, 0));
  four.SetExtended(8, 1);  // the extended record does not count
  EXPECT_EQ(-2, GetAngle2(four, 1, 0, 0));
  EXPECT_EQ(kUntouched, four.ints()[0]);
  zt::HostVar s = zt::HostVar::String(32);
  s.SetText("abc");
  EXPECT_EQ(-1, GetAngle2(s, 1, 0, 0));
  EXPECT_STREQ("abc", s.text());
}

TEST(Root, ScaledSquareRoot) {
  struct Case {
    std::int32_t x, scale, result;
  } const cases[] = {
      {2, 1000, 1414}, {10, 100, 316}, {2, -1000, -1413},   {4, 1, 2},
      {1, -1, 0},      {9, 0, 0},      {INT_MAX, 1, 46341}, {INT_MAX, INT_MAX, 2040065384},
  };
  for (const Case& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(0, Call(Root, c.x, c.scale, 0, &out)) << c.x;
    EXPECT_EQ(c.result, out) << c.x << " " << c.scale;
  }
}

TEST(Root, ZeroWritesZeroNegativeWritesNothing) {
  std::int32_t out = 0;
  EXPECT_EQ(-2, Call(Root, 0, 1000, 0, &out));
  EXPECT_EQ(0, out);
  EXPECT_EQ(-2, Call(Root, -4, 1000, 0, &out));
  EXPECT_EQ(kUntouched, out);
  EXPECT_EQ(-2, Call(Root, INT_MIN, 1000, 0, &out));
  EXPECT_EQ(kUntouched, out);
  zt::HostVar s = zt::HostVar::String(16);
  s.SetText("abc");
  EXPECT_EQ(-1, Root(s, 4, 1, 0));
  EXPECT_EQ(-1, Root(s, 0, 1, 0));
  EXPECT_STREQ("abc", s.text());
}

}  // namespace
