#include <gtest/gtest.h>

#include <vector>

#include "engine/vtGear.h"

namespace quellix {
namespace {

// The ticks (counted from 1) on which the gear fires during the first n ticks.
std::vector<int> FiringTicks(Tvt6Gear& gear, int n) {
  std::vector<int> ticks;
  for (int t = 1; t <= n; ++t)
    if (gear.Tick()) ticks.push_back(t);
  return ticks;
}

TEST(Gear, DefaultGearFiresEveryTickAndKeepsItsInterval) {
  Tvt6Gear gear;
  gear.SetGear(0, 0, 0, 32000, 0, 0);
  EXPECT_EQ(FiringTicks(gear, 100).size(), 100u);
  EXPECT_EQ(gear.Interval, 0);
  EXPECT_EQ(gear.FiringCount, 1);
}

TEST(Gear, SteppingIntervalShrinksToItsMinimum) {
  Tvt6Gear gear;
  gear.SetGear(4, 0, -1, 3, 1, 4);
  const std::vector<int> expected = {1, 5, 8, 11, 13, 15, 16, 17, 18, 19, 20};
  EXPECT_EQ(FiringTicks(gear, 20), expected);
  EXPECT_EQ(gear.Interval, 1);
  EXPECT_EQ(FiringTicks(gear, 30).size(), 30u);  // from then on every tick
}

TEST(Gear, IntervalThreeFiresFirstTickThenEveryThird) {
  Tvt6Gear gear;
  gear.SetGear(3, 0, 0, 32000, 0, 0);
  EXPECT_EQ(FiringTicks(gear, 10), (std::vector<int>{1, 4, 7, 10}));
}

TEST(Gear, FirstDelayPostponesTheFirstFiring) {
  Tvt6Gear gear;
  gear.SetGear(2, 3, 0, 32000, 0, 0);
  EXPECT_EQ(FiringTicks(gear, 8), (std::vector<int>{3, 5, 7}));
}

TEST(Gear, GrowingIntervalIsClampedToItsMaximum) {
  Tvt6Gear gear;
  // StepEvery 2: the count reaches it at every firing.
  gear.SetGear(1, 0, 2, 2, 0, 4);
  EXPECT_EQ(FiringTicks(gear, 16), (std::vector<int>{1, 4, 8, 12, 16}));
  EXPECT_EQ(gear.Interval, 4);
}

TEST(Gear, SetGearRestartsCountAndDelay) {
  Tvt6Gear gear;
  gear.SetGear(4, 0, -1, 3, 1, 4);
  FiringTicks(gear, 9);
  gear.SetGear(5, 2, 0, 32000, 0, 0);
  EXPECT_EQ(gear.Remaining, 2);
  EXPECT_EQ(gear.FiringCount, 1);
  EXPECT_EQ(FiringTicks(gear, 12), (std::vector<int>{2, 7, 12}));
}

}  // namespace
}  // namespace quellix
