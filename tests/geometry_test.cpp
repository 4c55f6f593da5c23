// Trigonometry, directions and roots on scaled integers: the fixed-point
// sine table, the rounding rules, 32-bit wrap-around and the 64-bit
// truncation of results.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>

#include "floatreg/scaled_int.h"
#include "support/zortest.h"

namespace {

using zor::HspVar;
using I = std::int32_t;
using VarOp = I(ZOR_CALL*)(HspVar*, I, I, I);

ZT_EXPORT(GetAngle, I, I, I, I);
ZT_EXPORT(GetAngle2, HspVar*, I, I, I);

constexpr I kUntouched = 0x5A5A5A5A;

// A call of a one-result export on a fresh integer variable: its three
// integer arguments, the status and the first element afterwards.
struct Row {
  I a, b, c, status, result;
};

void ExpectRows(const char* op, std::initializer_list<Row> rows) {
  const auto fn = reinterpret_cast<VarOp>(zt::ResolveExport(op));
  for (const Row& r : rows) {
    zt::HostVar v = zt::HostVar::Ints(1);
    v.ints()[0] = kUntouched;
    EXPECT_EQ(r.status, fn(v, r.a, r.b, r.c)) << op << "(" << r.a << ", " << r.b << ", " << r.c;
    EXPECT_EQ(r.result, v.ints()[0]) << op << "(" << r.a << ", " << r.b << ", " << r.c;
  }
}

TEST(ScaledResult, TruncationKeepsLowBitsOfSixtyFourBits) {
  // clang-format off
  const std::pair<double, I> cases[] = {
      {2.999, 2}, {-2.999, -2}, {4294967297.9, 1}, {4294967295.5, -1}, {2147483648.0, INT_MIN},
      {-8589934591.0, 1}, {-9223372036854775808.0, 0}, {9223372036854774784.0, -1024},  // 2^63-1024
      {9223372036854775808.0, 0}, {-1e19, 0}, {HUGE_VAL, 0}, {std::nan(""), 0}};  // beyond: 0
  // clang-format on
  for (auto& c : cases) EXPECT_EQ(c.second, zor::TruncateToResult(c.first)) << c.first;
  EXPECT_EQ(3, zor::RoundToResult(2.5, 1.0));
  EXPECT_EQ(-3, zor::RoundToResult(-2.5, -1.0));
  EXPECT_EQ(-2, zor::RoundToResult(-2.5, 1.0));  // the sign argument decides
  EXPECT_EQ(1, zor::RoundToResult(0.5, -0.0));   // -0.0 is not negative
}

// kind (1 cosine, 2 tangent, else sine), whole degrees, scale.
TEST(TriFunc, TableValuesSaturatedTangentsAndRange) {
  // clang-format off
  ExpectRows("TriFunc", {
      {0, 30, 100, 0, 50},   {1, 60, 100, 0, 50},   {2, 45, 100, 0, 100}, {2, 135, 100, 0, -99},
      {0, 210, 100, 0, -49}, {0, 90, -100, 0, -99}, {0, 4096, 1000, 0, 695},
      {0, -4096, 1000, 0, -694}, {3, 30, 100, 0, 50}, {-1, 30, 100, 0, 50},
      {1, 0, 4096, 0, 4096}, {1, 180, 1000, 0, -999}, {1, -90, 1000, 0, 0}, {0, -30, 100, 0, -49},
      {2, 89, 1, 0, 58},     {2, 1, 1000, 0, 17},   {0, 11, 4096, 0, 782},  // 781.55 rounds up
      // reduction into one turn
      {0, -1, 4096, 0, -70}, {0, -361, 4096, 0, -70}, {1, 720, 1000, 0, 1000},
      {1, -360, 7, 0, 7},    {0, -4095, 1000, 0, -706},
      // tangents at 90 and 270 degrees saturate with status 0
      {2, 90, 7, 0, INT_MAX}, {2, 450, 7, 0, INT_MAX}, {2, -270, 7, 0, INT_MAX},
      {2, 4050, 7, 0, INT_MAX}, {2, 270, 7, 0, -INT_MAX}, {2, -90, 7, 0, -INT_MAX},
      // 32-bit products wrap: 4096 x INT_MAX is -4096; tan 89 is 236269 before scaling
      {0, 90, INT_MAX, 0, 0}, {2, 89, 100000, 0, -523169}, {1, 0, INT_MIN, 0, 0},
      {0, 4097, 100, 3, kUntouched}, {0, -4097, 100, 3, kUntouched},
      {2, INT_MIN, 100, 3, kUntouched}});
  // clang-format on
}

// kind, angle in 1/10000 degree, scale.
TEST(TriFunc2, DoubleValuesFixedTangentsAndRange) {
  // clang-format off
  ExpectRows("TriFunc2", {
      {0, 300000, 100, 0, 50},   {1, 600000, 100, 0, 50},       {2, 1350000, 100, 0, -100},
      {0, 300000, -100, 0, -49}, {0, 900000, 1000, 0, 1000},    {1, 0, 1000, 0, 1000},
      {0, -300000, 100, 0, -50}, {0, 2100000, 100, 0, -50},     {9, 300000, 100, 0, 50},
      {2, 4050000, 100, 0, 100}, {2, 300000, 1000000, 0, 577350}, {1, 1800000, 1000, 0, -1000},
      // fixed tangent angles, with no reduction modulo a full turn
      {2, 900000, 100, -1, INT_MAX},   {2, -2700000, 100, -1, INT_MAX},
      {2, -900000, 100, -1, -INT_MAX}, {2, 2700000, 100, -1, -INT_MAX},
      {2, 450000, -12345, 0, -12345},  {2, 2250000, -12345, 0, -12345},
      {2, -3150000, -12345, 0, -12345}, {2, -1350000, -12345, 0, -12345},
      {2, 4500000, 0, 0, 0},  // a full turn on from a pole, computed: huge x 0
      {0, -2147483645, 100, 0, 15}, {0, 2147483646, 100, 0, -15},
      {0, -2147483646, 100, 3, kUntouched}, {0, INT_MAX, 100, 3, kUntouched}});
  // clang-format on
}

// kind (1 arc cosine, else arc sine), ratio in millionths, scale.
TEST(TriFuncA, AnglesInRadiansTimesScale) {
  // clang-format off
  ExpectRows("TriFuncA", {
      {1, 500000, 1000, 0, 1047}, {0, -1000000, 1000, 0, -1571}, {1, -1000000, 1000, 0, 3142},
      {0, 1000000, 1000, 0, 1571}, {1, 1000000, 1000, 0, 0},     {0, 500000, 1000, 0, 524},
      {7, 0, 1000, 0, 0},          {0, -500000, -1000, 0, 523},  {0, 500000, -1000, 0, -523},
      // the low 32 bits of pi x 2e9 and of -pi/2 x 2e9 + 0.5 (the angle is positive)
      {1, -1000000, 2000000000, 0, 1988218011}, {0, 1000000, -2000000000, 0, 1153374643},
      {0, 1000001, 1000, -1, kUntouched},  {1, -1000001, 1000, -1, kUntouched},
      {0, INT_MAX, 1000, -1, kUntouched},  {1, INT_MIN, 1000, -1, kUntouched}});
  // clang-format on
}

// x, scale.
TEST(Root, ScaledSquareRootZeroWritesZero) {
  // clang-format off
  ExpectRows("Root", {
      {2, 1000, 0, 0, 1414}, {10, 100, 0, 0, 316}, {2, -1000, 0, 0, -1413}, {4, 1, 0, 0, 2},
      {1, -1, 0, 0, 0},      {9, 0, 0, 0, 0},      {INT_MAX, 1, 0, 0, 46341},
      {INT_MAX, INT_MAX, 0, 0, 2040065384},
      {0, 1000, 0, -2, 0}, {-4, 1000, 0, -2, kUntouched}, {INT_MIN, 1000, 0, -2, kUntouched}});
  // clang-format on
}

TEST(GetAngle, DirectionAsNegatedStatus) {
  // clang-format off
  const struct {
    I x1, y1, x2, y2, status;
  } cases[] = {
      {0, 0, 10, 10, -450000}, {0, 0, 10, -10, -3150000}, {0, 0, -10, 0, 0},
      {0, 0, 3, -1, -3415651}, {0, 0, -10, -10, -450000},  // only the slope counts
      {0, 0, 3, 1, -184349},   {5, 5, 0, 15, -2965651},   {5, 1, 5, 9, 3},
      {INT_MIN, 0, INT_MIN, 0, 3},
      {INT_MIN, 0, INT_MAX, 1, -3150000}, {0, INT_MAX, 1, INT_MIN, -450000}};  // dx, dy wrap
  // clang-format on
  for (auto& c : cases)
    EXPECT_EQ(c.status, GetAngle(c.x1, c.y1, c.x2, c.y2)) << c.x2 << " " << c.y2;
}

TEST(GetAngle2, DegreesTimesScaleIntoElementZero) {
  // clang-format off
  const struct {
    I x1, y1, x2, y2, scale, status, result;
  } cases[] = {
      {0, 0, 10, 10, 1, 0, 45}, {0, 0, 10, -10, 10, 0, -450},  // no full turn added
      {0, 0, 3, 1, 100, 0, 1843}, {0, 0, 3, 1, -100, 0, -1843},  // the product's sign rounds
      {INT_MIN, 0, INT_MAX, 1, 1, 0, -45}, {7, 0, 7, 100, 1, -3, kUntouched}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::Ints(5);
    const I p[5] = {kUntouched, c.x1, c.y1, c.x2, c.y2};
    std::memcpy(v.ints(), p, sizeof p);
    EXPECT_EQ(c.status, GetAngle2(v, c.scale, 0, 0)) << c.x2 << " " << c.y2;
    EXPECT_EQ(c.result, v.ints()[0]) << c.x2 << " " << c.y2;
    EXPECT_EQ(0, std::memcmp(p + 1, v.ints() + 1, 16));  // the points stay
  }
}

}  // namespace
