// The integer number exports: scaled trigonometry, directions and roots,
// division as text, hexadecimal text and the byte shift.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <string>

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
  EXPECT_EQ(1, zor::RoundToResult(0.5, -0.0));  // -0.0 is not negative
}

TEST(ScaledFunctions, ValuesWrapAroundAndRanges) {
  // clang-format off
  // kind (1 cosine, 2 tangent, else sine), whole degrees, scale.
  ExpectRows("TriFunc", {
      {0, 30, 100, 0, 50},   {1, 60, 100, 0, 50},   {2, 45, 100, 0, 100}, {2, 135, 100, 0, -99},
      {0, 210, 100, 0, -49}, {0, 90, -100, 0, -99}, {0, 4096, 1000, 0, 695},
      {0, -4096, 1000, 0, -694}, {3, 30, 100, 0, 50}, {-1, 30, 100, 0, 50},
      {1, 0, 4096, 0, 4096}, {2, 89, 1, 0, 58},     {2, 1, 1000, 0, 17},
      {0, 11, 4096, 0, 782},  // 781.55 rounds up
      // reduction into one turn; tangents at 90 and 270 degrees saturate with status 0
      {0, -1, 4096, 0, -70}, {0, -361, 4096, 0, -70}, {1, -360, 7, 0, 7},
      {2, 90, 7, 0, INT_MAX}, {2, -270, 7, 0, INT_MAX}, {2, 270, 7, 0, -INT_MAX},
      // 32-bit products wrap: 4096 x INT_MAX is -4096; tan 89 is 236269 before scaling
      {0, 90, INT_MAX, 0, 0}, {2, 89, 100000, 0, -523169},
      {0, 4097, 100, 3, kUntouched}, {0, -4097, 100, 3, kUntouched}});
  // kind, angle in 1/10000 degree, scale.
  ExpectRows("TriFunc2", {
      {0, 300000, 100, 0, 50},   {1, 600000, 100, 0, 50},       {2, 1350000, 100, 0, -100},
      {0, 300000, -100, 0, -49}, {0, -300000, 100, 0, -50},     {9, 300000, 100, 0, 50},
      {2, 4050000, 100, 0, 100}, {2, 300000, 1000000, 0, 577350},
      // fixed tangent angles, with no reduction modulo a full turn
      {2, 900000, 100, -1, INT_MAX},   {2, -2700000, 100, -1, INT_MAX},
      {2, -900000, 100, -1, -INT_MAX}, {2, 2700000, 100, -1, -INT_MAX},
      {2, 450000, -12345, 0, -12345},  {2, 2250000, -12345, 0, -12345},
      {2, -3150000, -12345, 0, -12345}, {2, -1350000, -12345, 0, -12345},
      {2, 4500000, 0, 0, 0},  // a full turn on from a pole, computed: huge x 0
      {0, -2147483645, 100, 0, 15}, {0, 2147483646, 100, 0, -15},
      {0, -2147483646, 100, 3, kUntouched}, {0, INT_MAX, 100, 3, kUntouched}});
  // kind (1 arc cosine, else arc sine), ratio in millionths, scale.
  ExpectRows("TriFuncA", {
      {1, 500000, 1000, 0, 1047}, {0, -1000000, 1000, 0, -1571}, {1, -1000000, 1000, 0, 3142},
      {0, 1000000, 1000, 0, 1571}, {0, 500000, 1000, 0, 524},    {7, 0, 1000, 0, 0},
      {0, -500000, -1000, 0, 523},
      // the low 32 bits of pi x 2e9 and of -pi/2 x 2e9 + 0.5 (the angle is positive)
      {1, -1000000, 2000000000, 0, 1988218011}, {0, 1000000, -2000000000, 0, 1153374643},
      {0, 1000001, 1000, -1, kUntouched},  {1, -1000001, 1000, -1, kUntouched}});
  // x, scale.
  ExpectRows("Root", {
      {2, 1000, 0, 0, 1414}, {10, 100, 0, 0, 316}, {2, -1000, 0, 0, -1413},
      {INT_MAX, INT_MAX, 0, 0, 2040065384}, {0, 1000, 0, -2, 0}, {-4, 1000, 0, -2, kUntouched}});
  // clang-format on
}

// One pair of points through GetAngle (the direction in 1/10000 degree as
// its negated status) and GetAngle2 (degrees x scale into element 0).
TEST(GetAngle, DirectionAsStatusAndScaledDegrees) {
  // clang-format off
  const struct {
    I x1, y1, x2, y2, angle, scale, status, result;
  } cases[] = {
      {0, 0, 10, 10, -450000, 1, 0, 45},    {0, 0, -10, 0, 0, 1, 0, 0},
      {0, 0, 10, -10, -3150000, 10, 0, -450},  // no full turn added
      {0, 0, -10, -10, -450000, 1, 0, 45},  // only the slope counts
      {0, 0, 3, 1, -184349, 100, 0, 1843},  {5, 1, 5, 9, 3, 1, -3, kUntouched},
      {0, 0, 3, 1, -184349, -100, 0, -1843},  // the product's sign rounds
      // dx and dy wrap
      {INT_MIN, 0, INT_MAX, 1, -3150000, 1, 0, -45}, {0, INT_MAX, 1, INT_MIN, -450000, 1, 0, 45}};
  // clang-format on
  for (auto& c : cases) {
    EXPECT_EQ(c.angle, GetAngle(c.x1, c.y1, c.x2, c.y2)) << c.x2 << " " << c.y2;
    zt::HostVar v = zt::HostVar::Ints(5);
    const I p[5] = {kUntouched, c.x1, c.y1, c.x2, c.y2};
    std::memcpy(v.ints(), p, sizeof p);
    EXPECT_EQ(c.status, GetAngle2(v, c.scale, 0, 0)) << c.x2 << " " << c.y2;
    EXPECT_EQ(c.result, v.ints()[0]) << c.x2 << " " << c.y2;
    EXPECT_EQ(0, std::memcmp(p + 1, v.ints() + 1, 16));  // the points stay
  }
}

ZT_EXPORT(DecimalStr, HspVar*, I, I, I);
ZT_EXPORT(Hex2Int, HspVar*, const char*, I, I);
ZT_EXPORT(SlideNum, HspVar*, I, I, I);

TEST(DecimalStr, QuotientPointRemainder) {
  // clang-format off
  const struct {
    I a, b, status;
    const char* text;
    I extRow = 0;  // an extended row size word, which does not count
  } cases[] = {
      {12345, 100, 0, "123.45"}, {12305, 100, 0, "123.5"}, {-7, 2, 0, "-3.-1"}, {7, -2, 0, "-3.1"},
      {-1, 3, 0, "0.-1"},        {0, 5, 0, "0.0"},         {INT_MIN, 1, 0, "-2147483648.0"},
      {INT_MAX, -1, 0, "-2147483647.0"}, {INT_MIN, 10, 0, "-214748364.-8"},
      {INT_MIN + 1, INT_MIN, 0, "0.-2147483647"}, {9, 4, 0, "2.1", 1},
      // a division without a result is refused before anything is written
      {5, 0, -255, ""}, {INT_MIN, -1, -255, ""}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64);
    v.Fill('x');
    if (c.extRow != 0) v.SetExtended(c.extRow, 1);
    EXPECT_EQ(c.status, DecimalStr(v, c.a, c.b, 0)) << c.a << " " << c.b;
    const std::size_t end = c.status == 0 ? std::strlen(c.text) + 1 : 0;  // with the zero
    EXPECT_EQ(std::string(c.text, end) + std::string(64 - end, 'x'), std::string(v.text(), 64));
  }
}

// The last row lies at the very end of a committed region, with no
// terminator: a scan that looked past the eighth digit would fault.
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
      {"5 6", 0, 5},           {"5-3", 0, 5},   {"AbCdEf", 0, 0xABCDEF},  {"\t5", 0, 0},
      {"-7fffffff", 0, -INT_MAX},
      // eight digits from 8 up carry a sign: out of the signed range
      {"-80000000", -255, kUntouched}, {"+80000000", -255, kUntouched},
      {" -fffffffff", -255, kUntouched}, {"7654321A", 0, 0x7654321A}};
  // clang-format on
  const std::size_t page = 4096;
  char* mem = static_cast<char*>(zt::LowAlloc(page));
  for (auto& c : cases) {
    const char* text = c.text;
    if (&c == std::end(cases) - 1) text = static_cast<char*>(std::memcpy(mem + page - 8, text, 8));
    zt::HostVar v = zt::HostVar::Ints(1);
    v.ints()[0] = kUntouched;
    EXPECT_EQ(c.status, Hex2Int(v, text, 0, 0)) << c.text;
    EXPECT_EQ(c.value, v.ints()[0]) << c.text;
  }
  zt::LowFree(mem, page);
}

// 32 bytes of storage whose byte i holds 8 x i, a capacity of 16 bytes
// (4 x 2 x 2 rows) unless an extended row count is given (4 x 2 x extRows);
// the bytes [from, to) change by delta modulo 256, no other byte changes.
TEST(SlideNum, ShiftsBytesWithinTheByteCapacity) {
  // clang-format off
  const struct {
    I offset, count, delta, status, from, to, extRows = 0;
    bool ints = false;  // an integer variable: the type is not examined
  } cases[] = {
      {0, 3, 1, 0, 0, 3},        {0, 3, -1, 0, 0, 3},      {1, 1, 0, 0, 1, 2},
      {17, 2, 128, 0, 17, 19, 3}, {17, 2, -128, 0, 17, 19, 3}, {0, 4, 128, 0, 0, 4, 0, true},
      {12, 100, 1, 0, 12, 16},   {4, INT_MAX, 1, 0, 4, 16},  // offset + count must not wrap
      {16, 1, 1, 0, 0, 0},       {INT_MAX, INT_MAX, 1, 0, 0, 0},  {20, 50, 1, 0, 20, 24, 3},
      // refused: a negative offset, no count, a shift beyond 128 either way
      {-1, 1, 1, -1, 0, 0},      {0, 0, 1, -1, 0, 0},      {0, 1, 129, -1, 0, 0},
      {0, 1, -129, -1, 0, 0}};
  // clang-format on
  for (auto& c : cases) {
    zt::HostVar v = c.ints ? zt::HostVar::Ints(8) : zt::HostVar::String(16, 2);
    v.rec()->lengths[1] = 2;
    if (c.extRows != 0) v.SetExtended(2, c.extRows);
    std::string want(32, 0);
    for (int i = 0; i < 32; ++i) {
      v.bytes()[i] = std::uint8_t(8 * i);
      want[i] = char(8 * i + (i >= c.from && i < c.to ? c.delta : 0));
    }
    EXPECT_EQ(c.status, SlideNum(v, c.offset, c.count, c.delta)) << "row " << &c - cases;
    EXPECT_EQ(want, std::string(v.text(), 32)) << "row " << &c - cases;
  }
}

}  // namespace
