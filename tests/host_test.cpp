// The host interface: record layout helpers, capacity rules, the shared
// string routines and ChkPval.
#include <gtest/gtest.h>

#include <climits>

#include "host/capacity.h"
#include "host/strings.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(ChkPval, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

TEST(ChkPval, ReportsSizeWordsNegatedWhateverExtendedHolds) {
  zt::HostVar v = zt::HostVar::String(64, 3);
  v.rec()->lengths[0] = 7;
  v.rec()->lengths[3] = 40000;
  EXPECT_EQ(-16, ChkPval(v, 1, 0, 0));
  EXPECT_EQ(-3, ChkPval(v, 2, 0, 0));
  EXPECT_EQ(-7, ChkPval(v, 0, 0, 0));
  EXPECT_EQ(-40000, ChkPval(v, 3, 0, 0));  // read unsigned, not as -25536
  v.SetExtended(99, 99);
  EXPECT_EQ(-16, ChkPval(v, 1, 0, 0));
  EXPECT_EQ(-3, ChkPval(v, 2, 0, 0));
  v.rec()->type = 4;
  EXPECT_EQ(-16, ChkPval(v, 1, 0, 0));
}

TEST(ChkPval, IndexOutsideSizeWordsReadsNothing) {
  zt::HostVar v = zt::HostVar::String(64, 3);
  v.rec()->extended = 0x7777;
  EXPECT_EQ(0, ChkPval(v, 5, 0, 0));
  EXPECT_EQ(0, ChkPval(v, -1, 0, 0));
  EXPECT_EQ(0, ChkPval(v, INT_MIN, 0, 0));
  EXPECT_EQ(0, ChkPval(v, INT_MAX, 0, 0));
}

TEST(Capacity, TextLimitByteCapacityAndRowBytes) {
  zt::HostVar one = zt::HostVar::String(64, 1);
  EXPECT_EQ(63u, zor::TextLimit(*one.rec()));
  EXPECT_EQ(64u, zor::ByteCapacity(*one.rec()));
  one.rec()->lengths[2] = 0;
  EXPECT_EQ(63u, zor::TextLimit(*one.rec()));
  EXPECT_EQ(64u, zor::ByteCapacity(*one.rec()));

  zt::HostVar two = zt::HostVar::String(64, 2);
  EXPECT_EQ(126u, zor::TextLimit(*two.rec()));
  EXPECT_EQ(128u, zor::ByteCapacity(*two.rec()));
  EXPECT_EQ(64u, zor::RowBytes(*two.rec()));

  zt::HostVar three = zt::HostVar::String(64, 3);
  EXPECT_EQ(192u, zor::ByteCapacity(*three.rec()));

  zt::HostVar ext = zt::HostVar::String(64, 1);
  ext.SetExtended(32, 1);
  EXPECT_EQ(127u, zor::TextLimit(*ext.rec()));
  EXPECT_EQ(128u, zor::ByteCapacity(*ext.rec()));
  EXPECT_EQ(64u, zor::RowBytes(*ext.rec()));  // row bytes ignore the record
  ext.SetExtended(32, -5);                    // compared as signed
  EXPECT_EQ(128u, zor::ByteCapacity(*ext.rec()));
  ext.rec()->extended = -1;  // only a positive value selects the record
  EXPECT_EQ(64u, zor::ByteCapacity(*ext.rec()));
}

TEST(Capacity, ZeroRowSizeHasNoTextRoom) {
  zt::HostVar v = zt::HostVar::String(4, 1);
  EXPECT_TRUE(zor::HasTextRoom(*v.rec()));
  v.rec()->lengths[1] = 0;
  EXPECT_FALSE(zor::HasTextRoom(*v.rec()));
}

TEST(Strings, IntToDecimalExtremes) {
  char buf[12];
  const std::pair<std::int32_t, const char*> cases[] = {{0, "0"},
                                                        {-1, "-1"},
                                                        {7, "7"},
                                                        {10, "10"},
                                                        {-305, "-305"},
                                                        {INT_MAX, "2147483647"},
                                                        {INT_MIN, "-2147483648"}};
  for (auto& c : cases) {
    std::memset(buf, 'x', sizeof buf);
    zor::IntToDecimal(c.first, buf);
    EXPECT_STREQ(c.second, buf);
  }
}

TEST(Strings, CopyAndAppend) {
  char a[16], b[16];
  std::memset(a, 'x', sizeof a);
  EXPECT_EQ(a, zor::CopyString(a, "abc"));
  EXPECT_STREQ("abc", a);
  b[0] = 0;
  zor::AppendString(b, "abc");
  EXPECT_EQ(0, std::memcmp(a, b, 4));  // onto empty equals a copy
  zor::AppendString(a, "de");
  EXPECT_STREQ("abcde", a);
  zor::AppendString(a, "");
  EXPECT_STREQ("abcde", a);
}

}  // namespace
