#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/vtCommaList.h"
#include "config/vtPattern.h"
#include "engine/vtSprite.h"
#include "movement/vtMoveOffsetFromSpritePattern.h"
#include "movement/vtMoveOffsetPattern.h"
#include "movement/vtMoveStraightLine.h"
#include "movement/vtMoveTowardsSprite.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using TPos = std::pair<int32_t, int32_t>;

struct PatternMovementTest : ::testing::Test {
  testing::TTestContext ctx;
  Tvt6Sprite sprite{ctx.Context};
  Tvt6PatternManager patterns;

  PatternMovementTest() {
    patterns.ParseText(Join({Join({"square", "0,0,0,0", "10,0,0,0", "10,10,0,0", "0,10,0,0"}),
                             Join({"one", "50,50,0,0"}), Join({"line", "0,0,0,0", "30,40,0,0"})}));
  }
  const Tvt6Pattern* P(const char* name) { return patterns.FindPattern(name); }
  std::vector<TPos> Run(int runs) {
    std::vector<TPos> path;
    for (int i = 0; i < runs; ++i) {
      sprite.Update();
      path.emplace_back(sprite.X, sprite.Y);
    }
    return path;
  }
};

TEST_F(PatternMovementTest, LargeStepsReachOnePointPerRunWithTheOffset) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("square"), 0, 100, 100, 5, 7, true, true, false);
  EXPECT_EQ(Run(5), (std::vector<TPos>{{5, 7}, {15, 7}, {15, 17}, {5, 17}, {5, 7}}));
  EXPECT_FALSE(move.Done);
}

TEST_F(PatternMovementTest, PointsAndOffsetsAtTheIntegerLimitsSaturate) {
  patterns.ParseText(
      Join({Join({"far", "2147483647,-2147483648,0,0", "-2147483648,2147483647,0,0"})}));
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("far"), 0, INT32_MAX, INT32_MAX, 10, -10, true, true, false);
  // The offset target lies past the limit: the sprite stops at the limit.
  EXPECT_EQ(Run(2), (std::vector<TPos>{{INT32_MAX, INT32_MIN + 1}, {INT32_MAX, INT32_MIN}}));

  Tvt6Sprite anchor{ctx.Context};
  anchor.X = INT32_MAX;
  anchor.Y = INT32_MIN;
  Tvt6Sprite orbiter{ctx.Context};
  orbiter.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>())
      .Init(TSpriteRef(anchor), P("far"), 0, 5, -5, true, true, false);
  orbiter.Update();
  EXPECT_EQ(TPos(orbiter.X, orbiter.Y), TPos(INT32_MAX, INT32_MIN));
  orbiter.Update();
  EXPECT_EQ(TPos(orbiter.X, orbiter.Y), TPos(4, -6));

  int32_t x = INT32_MIN, y = INT32_MAX;
  P("far")->OffsetTo(x, y, 0);
  EXPECT_EQ(TPos(x, y), TPos(INT32_MIN, INT32_MAX));
}

TEST_F(PatternMovementTest, SmallStepsMoveBothAxesTowardsThePoint) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("line"), 1, 12, 12, 0, 0, true, false, true);
  EXPECT_EQ(Run(4), (std::vector<TPos>{{12, 12}, {24, 24}, {30, 36}, {30, 40}}));
  EXPECT_TRUE(move.Done) << "stops at the end";
}

TEST_F(PatternMovementTest, LoopAndStopAtEndTogether) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("line"), 0, 100, 100, 0, 0, true, true, true);
  std::vector<int32_t> endIndexes;
  move.SetOnEnd([&](Tvt6Move_OffsetPattern& sender) { endIndexes.push_back(sender.Index); });
  Run(2);
  EXPECT_EQ(endIndexes, (std::vector<int32_t>{2})) << "OnEnd runs before the wrap";
  EXPECT_EQ(move.Index, 0);
  EXPECT_TRUE(move.Done);
}

TEST_F(PatternMovementTest, OnePointLoopFiresOnEndEveryRunOnThePoint) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("one"), 0, 20, 20, 0, 0, true, true, false);
  std::vector<int> ends;
  int run = 0;
  move.SetOnEnd([&](Tvt6Move_OffsetPattern&) { ends.push_back(run); });
  for (run = 1; run <= 5; ++run) sprite.Update();
  EXPECT_EQ(ends, (std::vector<int>{3, 4, 5}));
}

TEST_F(PatternMovementTest, StepZeroOnAnAxisNeverArrives) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("square"), 1, 4, 0, 0, 3, true, true, false);
  Run(10);
  EXPECT_EQ(sprite.X, 10);
  EXPECT_EQ(sprite.Y, 0);
  EXPECT_EQ(move.Index, 1);
}

TEST_F(PatternMovementTest, BackwardLoopSkipsPointZero) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("square"), 3, 100, 100, 0, 0, false, true, false);
  EXPECT_EQ(Run(6), (std::vector<TPos>{{0, 10}, {10, 10}, {10, 0}, {0, 10}, {10, 10}, {10, 0}}));
}

TEST_F(PatternMovementTest, WalkPastTheEndFailsEveryRunAndTheSpriteStandsStill) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("line"), 0, 100, 100, 0, 0, true, false, false);
  Run(2);
  EXPECT_THROW(sprite.Update(), std::out_of_range);
  EXPECT_THROW(sprite.Update(), std::out_of_range);
  EXPECT_EQ(sprite.X, 30);
  EXPECT_EQ(sprite.Y, 40);
  Tvt6Move_OffsetPattern none;
  none.Sprite = &sprite;
  EXPECT_THROW(none.Execute(), std::logic_error) << "a pattern that was not found";
}

TEST_F(PatternMovementTest, OnEndMayHandTheSpriteToAHomingMovement) {
  Tvt6Sprite ship(ctx.Context);
  ship.Place(100, 0, 32000, false);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  move.Init(P("line"), 0, 100, 100, -10, -10, true, false, true);
  move.SetOnEnd([&](Tvt6Move_OffsetPattern& sender) {
    auto homing = std::make_unique<Tvt6Move_MoveTowardsSprite>();
    homing->Init(5, 5, ship);
    sender.Sprite->AddBehavior(std::move(homing));
  });
  EXPECT_EQ(Run(2), (std::vector<TPos>{{-10, -10}, {20, 30}}));
  // The finished walk is no longer the last behaviour, so the same update freed it.
  ASSERT_EQ(sprite.BehaviorCount(), 1);
  EXPECT_NE(dynamic_cast<Tvt6Move_MoveTowardsSprite*>(sprite.GetBehavior(0)), nullptr);
  EXPECT_EQ(Run(2), (std::vector<TPos>{{25, 25}, {30, 20}}));
}

TEST_F(PatternMovementTest, AnchoredWalkJumpsOnePointPerRunAroundTheAnchor) {
  Tvt6Sprite anchor(ctx.Context);
  anchor.Place(100, 200, 32000, false);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  move.Init(anchor, P("square"), 0, -5, 3, true, true, false);
  EXPECT_EQ(Run(5), (std::vector<TPos>{{95, 203}, {105, 203}, {105, 213}, {95, 213}, {95, 203}}));
  anchor.X = 0;
  EXPECT_EQ(Run(1), (std::vector<TPos>{{5, 203}}));
  move.Init(anchor, P("square"), 3, 0, 0, false, true, false);
  EXPECT_EQ(Run(4), (std::vector<TPos>{{0, 210}, {10, 210}, {10, 200}, {0, 210}}));
}

TEST_F(PatternMovementTest, AnchoredWalkFollowsTheAnchorOfTheSameTick) {
  // The anchor is moved earlier in the tick (created first, so updated first).
  auto anchor = std::make_unique<Tvt6Sprite>(ctx.Context);
  anchor->AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(7, 0);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  move.Init(*anchor, P("one"), 0, -372, -306, true, true, false);
  for (int tick = 1; tick <= 3; ++tick) {
    anchor->Update();
    sprite.Update();
    EXPECT_EQ(sprite.X, 50 + 7 * tick - 372);
    EXPECT_EQ(sprite.Y, 50 - 306);
  }
}

TEST_F(PatternMovementTest, AnchoredErrorsAreLoggedEachRunAndTheSpriteStays) {
  Tvt6Sprite anchor(ctx.Context);
  sprite.Place(1, 2, 32000, false);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  move.Init(anchor, P("line"), 5, 0, 0, true, false, false);
  Run(2);
  move.Pattern = nullptr;
  Run(1);
  EXPECT_EQ(sprite.X, 1);
  EXPECT_EQ(sprite.Y, 2);
  EXPECT_EQ(ctx.Messages(), (std::vector<std::string>{
                                "List index out of bounds (5)", "List index out of bounds (5)",
                                "Tvt6Move_OffsetFromSpritePattern has no pattern"}));
}

TEST_F(PatternMovementTest, AnchoredWalkWithoutLoop) {
  Tvt6Sprite anchor(ctx.Context);
  auto& stopping = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  stopping.Init(anchor, P("line"), 0, 0, 0, true, false, true);
  Run(2);
  EXPECT_TRUE(stopping.Done) << "with StopAtEnd it ends after its last point";

  Tvt6Sprite other(ctx.Context);
  auto& running = other.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  running.Init(anchor, P("line"), 0, 0, 0, true, false, false);
  for (int i = 0; i < 3; ++i) other.Update();
  EXPECT_EQ(other.X, 30);
  EXPECT_EQ(ctx.Messages(), (std::vector<std::string>{"List index out of bounds (2)"}));
}

TEST_F(PatternMovementTest, AnchoredWalkEndsWhenTheAnchorGoes) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>());
  {
    Tvt6Sprite anchor(ctx.Context);
    anchor.Place(100, 100, 32000, false);
    move.Init(anchor, P("square"), 0, 0, 0, true, true, false);
    Run(1);
  }
  Run(2);
  EXPECT_EQ(sprite.X, 100);
  EXPECT_EQ(sprite.Y, 100);
  EXPECT_TRUE(move.Done);
  EXPECT_TRUE(ctx.Messages().empty());
}

}  // namespace
}  // namespace quellix
