#include "platform/support/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/drawing/color.h"

namespace starquill {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999999), 2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-7.2), -7);
  EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0);  // the classic trap of floor(x + 0.5)
  // Beyond 2^51 the fast path no longer applies; halves still go to even.
  EXPECT_EQ(RoundHalfEven(2251799813685248.5), 2251799813685248.0);
  EXPECT_EQ(RoundHalfEven(2251799813685249.5), 2251799813685250.0);
  EXPECT_EQ(RoundHalfEven(1e300), 1e300);
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

TEST(RoundToInteger, FitsOrStopsTheProgram) {
  EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.4), -2147483647 - 1);
  EXPECT_EQ(RoundToInt16(32767.0), 32767);
  EXPECT_FALSE(TryRoundTo<int32_t>(2147483647.5));
  EXPECT_FALSE(TryRoundTo<int32_t>(std::nan("")));
  EXPECT_FALSE(TryRoundTo<int16_t>(32767.5));
  EXPECT_EXIT(RoundToInt32(3e9), ::testing::ExitedWithCode(70),
              "starquill: fatal run-time error: Overflow");
  EXPECT_EXIT(RoundToInt16(-40000), ::testing::ExitedWithCode(70), "Overflow");
}

TEST(IntAndIntegerDivision, FollowTheirRules) {
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(2.999), 2);
  // Both operands are rounded first, then the quotient is truncated toward zero.
  EXPECT_EQ(IntDiv(7.5, 2), 4);    // 8 \ 2
  EXPECT_EQ(IntDiv(2.5, 1.5), 1);  // 2 \ 2
  EXPECT_EQ(IntDiv(-7, 2), -3);
  EXPECT_EQ(IntDiv(593, 142), 4);
  EXPECT_FALSE(TryIntDiv(5, 0.4));  // the divisor rounds to 0
  EXPECT_FALSE(TryIntDiv(-2147483648.0, -1));
  EXPECT_EXIT(IntDiv(1, 0), ::testing::ExitedWithCode(70), "Division by zero");
}

TEST(CheckedAdd, StopsOnOverflow) {
  EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
  EXPECT_EXIT(CheckedAdd(2147483647, 1, "the number of live fireworks"),
              ::testing::ExitedWithCode(70),
              "Overflow: the number of live fireworks passed 2147483647");
}

TEST(Colors, ChannelsAreCappedAndLaidOutRedLow) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(RGB(300, 255, 256), 0xFFFFFF);
  EXPECT_EQ(RGB(-4, 0, 0), 0);
  EXPECT_EQ(RedOf(0x563412), 0x12);
  EXPECT_EQ(GreenOf(0x563412), 0x34);
  EXPECT_EQ(BlueOf(0x563412), 0x56);
}

}  // namespace
}  // namespace starquill
