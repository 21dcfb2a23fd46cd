#include "platform/support/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace starquill {
namespace {

std::vector<float> Draw(int n) {
  std::vector<float> values;
  for (int i = 0; i < n; ++i)
    values.push_back(Rnd());
  return values;
}

TEST(Rnd, ValuesLieInTheUnitIntervalOn24Bits) {
  RestoreRandomState(InitialRandomState());
  double sum = 0;
  float lowest = 1, highest = 0;
  for (int i = 0; i < 1'000'000; ++i) {
    const float r = Rnd();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    const float scaled = r * 16777216.0f;
    ASSERT_EQ(scaled, std::floor(scaled)) << "not a multiple of 2^-24";
    sum += r;
    lowest = std::min(lowest, r);
    highest = std::max(highest, r);
  }
  EXPECT_NEAR(sum / 1e6, 0.5, 0.002);
  EXPECT_LT(lowest, 1e-5f);
  EXPECT_GT(highest, 1 - 1e-5f);
}

TEST(Rnd, SequencesRepeatFromTheSameState) {
  RestoreRandomState(InitialRandomState());
  const auto first = Draw(100);
  RestoreRandomState(InitialRandomState());
  EXPECT_EQ(Draw(100), first);

  Randomize(43210.125);
  const auto seeded = Draw(100);
  Randomize(43210.125);
  EXPECT_EQ(Draw(100), seeded);
  EXPECT_NE(seeded, first);
}

TEST(Randomize, NearbySeedsGiveUnrelatedSequences) {
  // Two programme events within the same second must not repeat the same launch.
  Randomize(43210.0);
  const auto a = Draw(20);
  Randomize(43210.001);
  const auto b = Draw(20);
  int equal = 0;
  for (size_t i = 0; i < a.size(); ++i)
    equal += a[i] == b[i];
  EXPECT_LT(equal, 2);

  Randomize(0.0);
  const auto zero = Draw(5);
  Randomize(-0.0);
  EXPECT_EQ(Draw(5), zero);
}

}  // namespace
}  // namespace starquill
