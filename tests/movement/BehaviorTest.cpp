#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/vtSprite.h"
#include "movement/vtBehaviorBlinkSprite.h"
#include "movement/vtBehaviorExtRepEvents.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

struct BehaviorTest : ::testing::Test {
  testing::TTestContext ctx;
  Tvt6Sprite sprite{ctx.Context};
  std::vector<std::string> calls;

  Tvt6Behavior_ERE& AddEre(int count, bool withTick, bool withDone) {
    auto& ere = sprite.AddBehavior(std::make_unique<Tvt6Behavior_ERE>());
    TMovementEvent<Tvt6Behavior_ERE> tick, done;
    if (withTick)
      tick = [this](Tvt6Behavior_ERE& b) { calls.push_back("tick" + std::to_string(b.Count)); };
    if (withDone)
      done = [this](Tvt6Behavior_ERE& b) { calls.push_back("done" + std::to_string(b.Count)); };
    ere.Init(count, tick, done);
    return ere;
  }
  // Runs the sprite's update n times; the number of calls after each.
  std::vector<size_t> Run(int n) {
    std::vector<size_t> after;
    for (int i = 0; i < n; ++i) {
      sprite.Update();
      after.push_back(calls.size());
    }
    return after;
  }
};

TEST_F(BehaviorTest, EreTicksCountTimesThenFinishesInTheLastRun) {
  Tvt6Behavior_ERE& ere = AddEre(50, true, true);
  Run(49);
  EXPECT_EQ(calls.size(), 49u);
  EXPECT_FALSE(ere.Done);
  Run(1);
  ASSERT_EQ(calls.size(), 51u);
  EXPECT_EQ(calls[49], "tick1");
  EXPECT_EQ(calls[50], "done0");
  EXPECT_TRUE(ere.Done);
  Run(5);
  EXPECT_EQ(calls.size(), 51u) << "no calls after the end";
}

TEST_F(BehaviorTest, EreWithCountOneOrLessDoesEverythingInTheFirstRun) {
  AddEre(1, true, true);
  Run(3);
  EXPECT_EQ(calls, (std::vector<std::string>{"tick1", "done0"}));
  calls.clear();
  Tvt6Sprite other(ctx.Context);
  auto& ere = other.AddBehavior(std::make_unique<Tvt6Behavior_ERE>());
  ere.Init(
      -4, [&](Tvt6Behavior_ERE&) { calls.push_back("tick"); },
      [&](Tvt6Behavior_ERE&) { calls.push_back("done"); });
  other.Update();
  EXPECT_EQ(calls, (std::vector<std::string>{"tick", "done"}));
}

TEST_F(BehaviorTest, EreWithoutTickHandlerIsSilentUntilTheLastRun) {
  AddEre(3, false, true);
  EXPECT_EQ(Run(4), (std::vector<size_t>{0, 0, 1, 1}));
}

TEST_F(BehaviorTest, EreHandlersMayEndTheSpriteAndReadTheirParams) {
  auto& ere = AddEre(2, false, false);
  EXPECT_EQ(ere.AddParam(120), 0);
  EXPECT_EQ(ere.AddParam(-7), 1);
  EXPECT_EQ(ere.AddParam(3), 2);
  ere.DeleteParam(1);
  EXPECT_EQ(ere.ParamCount(), 2);
  EXPECT_EQ(ere.Param(1), 3);
  EXPECT_THROW(ere.Param(2), std::out_of_range);
  EXPECT_THROW(ere.DeleteParam(-1), std::out_of_range);
  ere.SetOnDone([](Tvt6Behavior_ERE& b) {
    b.Sprite->Dead = true;
    b.Sprite->X = static_cast<int32_t>(b.Param(0));
  });
  sprite.Update();
  sprite.Update();
  EXPECT_TRUE(sprite.Dead);
  EXPECT_EQ(sprite.X, 120);
  ere.ClearParams();
  EXPECT_EQ(ere.ParamCount(), 0);
}

TEST_F(BehaviorTest, EreHandlerReadingAMissingParamEndsTheUpdate) {
  auto& ere = AddEre(5, false, false);
  int ticks = 0;
  sprite.OnTick = [&](Tvt6Sprite&) { ++ticks; };
  ere.SetOnTick([](Tvt6Behavior_ERE& b) { b.Param(0); });
  EXPECT_THROW(sprite.Update(), std::out_of_range);
  EXPECT_EQ(ticks, 0) << "the rest of the sprite's update is skipped";
}

TEST_F(BehaviorTest, BlinkRampsUpThenSetsTheFinalAlpha) {
  auto& blink = sprite.AddBehavior(std::make_unique<Tvt6Behavior_BlinkSprite>());
  blink.Init(0, 30, 255);
  std::vector<int> alphas;
  for (int i = 0; i < 10; ++i) {
    sprite.Update();
    alphas.push_back(sprite.Alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{30, 60, 90, 120, 150, 180, 210, 240, 255, 255}));
  EXPECT_TRUE(blink.Done);
}

TEST_F(BehaviorTest, BlinkRampsDownPastZero) {
  auto& blink = sprite.AddBehavior(std::make_unique<Tvt6Behavior_BlinkSprite>());
  blink.Init(255, -51, 128);
  std::vector<int> alphas;
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(blink.Done);
    sprite.Update();
    alphas.push_back(sprite.Alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{204, 153, 102, 51, 0, 128}));
  EXPECT_TRUE(blink.Done);
}

TEST_F(BehaviorTest, BlinkWithStepZeroHoldsForEver) {
  auto& blink = sprite.AddBehavior(std::make_unique<Tvt6Behavior_BlinkSprite>());
  blink.Init(77, 0, 255);
  for (int i = 0; i < 100; ++i) sprite.Update();
  EXPECT_EQ(sprite.Alpha, 77);
  EXPECT_FALSE(blink.Done);
}

}  // namespace
}  // namespace quellix
