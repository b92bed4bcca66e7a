#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/vtSprite.h"
#include "movement/vtMoveStraightLine.h"
#include "movement/vtMoveStraightWithFriction.h"
#include "movement/vtMoveToFixedXYPoint.h"
#include "movement/vtMoveTowardsSprite.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

struct DirectMovementTest : ::testing::Test {
  testing::TTestContext ctx;
  Tvt6Sprite sprite{ctx.Context};
};

TEST_F(DirectMovementTest, StraightLineMovesEveryRunForEver) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>());
  move.SetSpeed(0, 16);
  sprite.Place(100, 10, 32000, false);
  for (int run = 1; run <= 40; ++run) {
    sprite.Update();
    ASSERT_EQ(sprite.Y, 10 + 16 * run);
  }
  EXPECT_EQ(sprite.X, 100);
  EXPECT_FALSE(move.Done);
  move.SetSpeed(-3, 2);
  sprite.Update();
  EXPECT_EQ(sprite.X, 97);
  EXPECT_EQ(sprite.Y, 652);
  move.Done = true;
  move.Execute();
  EXPECT_EQ(sprite.X, 97) << "a finished straight line does not move";
}

TEST_F(DirectMovementTest, FrictionChangesTheSpeedAfterEveryIntervalPlusOneRuns) {
  auto& move = sprite.AddBehavior(std::make_unique<TvtMove_StraightWithFriction>());
  move.Init(10, 0, -1, 0, 3, 0, 20, 20, -20, -20);
  std::vector<int> moves;
  for (int run = 0; run < 12; ++run) {
    const int before = sprite.X;
    sprite.Update();
    moves.push_back(sprite.X - before);
  }
  EXPECT_EQ(moves, (std::vector<int>{10, 10, 10, 10, 9, 9, 9, 9, 8, 8, 8, 8}));
  EXPECT_EQ(sprite.Y, 0);
  // It slows down, stops and drifts back, held at the lower bound.
  for (int run = 0; run < 200; ++run) sprite.Update();
  EXPECT_EQ(move.XSpeed, -20);
}

TEST_F(DirectMovementTest, FrictionBoundsApplyOnlyWhenTheSpeedChanges) {
  TvtMove_StraightWithFriction move;
  move.Sprite = &sprite;
  move.Init(50, -7, 0, 1, 2, 0, 20, 5, -20, -5);
  move.Execute();
  EXPECT_EQ(sprite.X, 50) << "a start speed outside the bounds stays until the first change";
  EXPECT_EQ(move.YSpeed, -5) << "interval 0 changes on every run, then clamps";
  move.Execute();
  move.Execute();
  EXPECT_EQ(sprite.X, 150);
  EXPECT_EQ(move.XSpeed, 20);
  EXPECT_EQ(move.XCount, 0);
  // Init keeps the counters.
  move.Execute();
  move.Init(1, 1, 0, 0, 5, 5, 9, 9, 0, 0);
  EXPECT_EQ(move.XCount, 1);
}

TEST_F(DirectMovementTest, FixedPointTravelsAnLAndArrivesOnRun26) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_MoveToFixedXYPoint>());
  move.Init(0, 300, 16, 16);
  std::vector<int> arrivals;
  int run = 0;
  move.SetOnArrive([&](Tvt6Move_MoveToFixedXYPoint& sender) {
    EXPECT_EQ(&sender, &move);
    arrivals.push_back(run);
  });
  sprite.Place(380, 280, 32000, false);
  for (run = 1; run <= 23; ++run) sprite.Update();
  EXPECT_EQ(sprite.X, 12);
  EXPECT_EQ(sprite.Y, 280);
  sprite.Update();  // run 24
  EXPECT_EQ(sprite.X, 0);
  EXPECT_EQ(sprite.Y, 280);
  run = 25;
  sprite.Update();
  EXPECT_EQ(sprite.Y, 296);
  for (run = 26; run <= 28; ++run) sprite.Update();
  EXPECT_EQ(sprite.Y, 300);
  EXPECT_EQ(arrivals, (std::vector<int>{26, 27, 28}));
  EXPECT_FALSE(move.Done) << "it never finishes by itself";
}

TEST_F(DirectMovementTest, FixedPointFromTheOtherSidesAndOnTheTarget) {
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_MoveToFixedXYPoint>());
  int arrived = 0;
  move.SetOnArrive([&](Tvt6Move_MoveToFixedXYPoint&) { ++arrived; });
  move.Init(40, 40, 16, 16);
  sprite.Place(40, 40, 32000, false);
  sprite.Update();
  EXPECT_EQ(arrived, 1) << "started on its target it arrives on the first run";
  move.Init(10, 0, 7, 3);
  sprite.Update();
  sprite.Update();
  sprite.Update();
  sprite.Update();
  sprite.Update();
  EXPECT_EQ(sprite.X, 10);  // 33, 26, 19, 12, 10
  EXPECT_EQ(sprite.Y, 40);
  sprite.Update();
  EXPECT_EQ(sprite.Y, 37);
  // A step of 0 on X never gets there, so Y never moves.
  move.Init(0, 0, 0, 5);
  for (int i = 0; i < 10; ++i) sprite.Update();
  EXPECT_EQ(sprite.X, 10);
  EXPECT_EQ(sprite.Y, 37);
  EXPECT_EQ(arrived, 1);
}

TEST_F(DirectMovementTest, HomingMovesBothAxesWithoutOvershooting) {
  Tvt6Sprite target(ctx.Context);
  target.Place(105, 99, 32000, false);
  sprite.Place(100, 100, 32000, false);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_MoveTowardsSprite>());
  move.Init(3, 2, target);
  sprite.Update();
  EXPECT_EQ(sprite.X, 103);
  EXPECT_EQ(sprite.Y, 99);
  sprite.Update();
  EXPECT_EQ(sprite.X, 105);
  EXPECT_EQ(sprite.Y, 99);
  // The target's position is read afresh each run.
  target.X = 90;
  target.Y = 110;
  sprite.Update();
  EXPECT_EQ(sprite.X, 102);
  EXPECT_EQ(sprite.Y, 101);
}

TEST_F(DirectMovementTest, HomingWithoutTargetStandsStill) {
  sprite.Place(7, 8, 32000, false);
  auto& move = sprite.AddBehavior(std::make_unique<Tvt6Move_MoveTowardsSprite>());
  move.Init(3, 3, nullptr);
  sprite.Update();
  EXPECT_EQ(sprite.X, 7);
  EXPECT_EQ(sprite.Y, 8);
  {
    Tvt6Sprite target(ctx.Context);
    target.Place(100, 100, 32000, false);
    move.Init(3, 3, target);
    sprite.Update();
    EXPECT_EQ(sprite.X, 10);
  }
  // The target is gone: never read again, the sprite stands still.
  sprite.Update();
  EXPECT_EQ(sprite.X, 10);
  EXPECT_EQ(sprite.Y, 11);
  EXPECT_FALSE(move.Target);
}

}  // namespace
}  // namespace quellix
