// A freshly loaded library: every register holds +0.0. This program touches
// the bank only to read it, so it sees the state at load.
#include <gtest/gtest.h>

#include "support/zortest.h"

namespace {

ZT_EXPORT(FloatToString, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

TEST(FreshBank, EveryRegisterReadsZero) {
  for (std::int32_t r = -1; r <= 16; ++r) {
    zt::HostVar s = zt::HostVar::String(32);
    EXPECT_EQ(0, FloatToString(s, r, 8, 0)) << r;
    EXPECT_STREQ("0.00000000", s.text()) << r;
  }
}

}  // namespace
