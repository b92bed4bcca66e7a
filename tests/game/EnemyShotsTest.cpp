// The shots of spirals, azteks and flouds: when they are fired, how they fly, how many
// there may be, and what hitting them does.
#include <map>
#include <optional>
#include <set>
#include <string>

#include "GameUnitsFixture.h"
#include "config/vtPattern.h"
#include "engine/vtSprite.h"
#include "game/vtHitterStep.h"

namespace quellix::testing {
namespace {

using EnemyShotsTest = GameUnitsTest;

constexpr int32_t SpiralShot = 7, AztekShot = 9, FloudShot = 12, Shot = 1;

std::pair<int32_t, int32_t> StepOf(const Tvt6Sprite& sprite) {
  const std::optional<TStep> step = FirstMovementStep(sprite);
  return step ? std::make_pair(step->X, step->Y) : std::make_pair(0, 0);
}

TEST_F(EnemyShotsTest, FloudBurstsGoOutInThreeNeighbouringDirections) {
  NewGameAtEasy();
  enemies.Settings.FloudsSettings.Current_ShotChance = 100;
  Tvt6Sprite& floud = LaunchOne(TEnemyKind::Flouds);
  floud.ClearBehaviors();  // hold it still
  floud.X = 300;
  floud.Y = 200;
  // Up, up-left, left, down-left, down, down-right, right, up-right.
  const std::pair<int32_t, int32_t> unit[] = {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1},
                                              {0, 1},  {1, 1},   {1, 0},  {1, -1}};
  std::map<std::pair<int32_t, int32_t>, int32_t> codeOf;
  for (int32_t code = 1; code <= 8; ++code)
    codeOf[{8 * unit[code - 1].first, 8 * unit[code - 1].second}] = code;

  std::map<int32_t, std::vector<int32_t>> bursts;  // by d, the three codes in order
  for (int i = 0; i < 200 && bursts.size() < 8; ++i) {
    const size_t played = Played().size();
    floud.OnTick(floud);
    EXPECT_EQ(Played().size(), played + 1);
    EXPECT_EQ(Played().back(), "floud_shot.wav");
    const auto shots = OfKind(FloudShot);
    ASSERT_EQ(shots.size(), 3u);
    std::vector<int32_t> codes;
    for (Tvt6Sprite* shot : shots) {
      codes.push_back(codeOf.at(StepOf(*shot)));
      EXPECT_EQ(shot->X, 332);
      EXPECT_EQ(shot->Y, 232);
      EXPECT_EQ(shot->Lifetime, 100);
      EXPECT_EQ(shot->Strength, 1);
      EXPECT_TRUE(shot->Collidable);
      EXPECT_NE(shot->Projector->Scene, nullptr);
      shot->Dead = true;
    }
    bursts[codes[0]] = codes;
    Main().PurgeSprites();
  }
  ASSERT_EQ(bursts.size(), 8u);
  EXPECT_EQ(bursts[8], (std::vector<int32_t>{8, 1, 7}));  // up-right, up, right
  EXPECT_EQ(bursts[1], (std::vector<int32_t>{1, 2, 8}));  // up, up-left, up-right
  EXPECT_EQ(bursts[4], (std::vector<int32_t>{4, 5, 3}));

  // At a chance of 0 it never fires.
  enemies.Settings.FloudsSettings.Current_ShotChance = 0;
  for (int i = 0; i < 100; ++i) floud.OnTick(floud);
  EXPECT_TRUE(OfKind(FloudShot).empty());
}

TEST_F(EnemyShotsTest, AFloudShotHitGoesScoresOneAndSparks) {
  NewGameAtEasy();
  enemies.Settings.FloudsSettings.Current_ShotChance = 100;
  Tvt6Sprite& floud = LaunchOne(TEnemyKind::Flouds);
  floud.OnTick(floud);
  Tvt6Sprite& shot = *OfKind(FloudShot)[0];
  const int32_t score = main.Globals.Score;
  const int32_t enemiesLeft = main.EnemiesLeft();
  enemies.Hit(shot, Hitter(Shot, 1));
  EXPECT_TRUE(shot.Dead);
  EXPECT_EQ(main.Globals.Score, score + 1);
  EXPECT_EQ(main.EnemiesLeft(), enemiesLeft);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 1u);
}

TEST_F(EnemyShotsTest, SpiralShotsAreCappedByTheSpiralsMaximum) {
  NewGameAtEasy();
  TSpiralsSettings& s = enemies.Settings.SpiralsSettings;
  s.Current_ShotChance = 100;
  s.Current_Shot_XSpeed = 3;
  s.Current_Shot_YSpeed = 2;
  std::vector<Tvt6Sprite*> spirals;
  for (int i = 0; i < 3; ++i) spirals.push_back(&LaunchOne(TEnemyKind::Spirals));
  s.Current_MaxAmount = 2;
  for (Tvt6Sprite* spiral : spirals) spiral->OnTick(*spiral);
  const auto shots = OfKind(SpiralShot);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(s.Shots_Active, 2);
  EXPECT_EQ(PlayedCount("spirial_shot.wav"), 2);
  for (Tvt6Sprite* shot : shots) {
    EXPECT_GE(shot->Lifetime, 30);
    EXPECT_LT(shot->Lifetime, 80);
    EXPECT_EQ(shot->Strength, 0);
    const auto [dx, dy] = StepOf(*shot);
    EXPECT_TRUE(dx == 0 || dx == 3 || dx == -3) << dx;
    EXPECT_TRUE(dy == 0 || dy == 2 || dy == -2) << dy;
    EXPECT_FALSE(dx == 0 && dy == 0);
  }
  for (int i = 0; i < 20; ++i)
    for (Tvt6Sprite* spiral : spirals) spiral->OnTick(*spiral);
  EXPECT_EQ(OfKind(SpiralShot).size(), 2u);

  // Shooting one down scores nothing and makes room for one more once it has gone.
  const int32_t score = main.Globals.Score;
  enemies.Hit(*shots[0], Hitter(Shot, 1));
  EXPECT_EQ(main.Globals.Score, score);
  EXPECT_EQ(s.Shots_Active, 2);
  Main().PurgeSprites();
  EXPECT_EQ(s.Shots_Active, 1);
  spirals[0]->OnTick(*spirals[0]);
  spirals[1]->OnTick(*spirals[1]);
  EXPECT_EQ(OfKind(SpiralShot).size(), 2u);
}

TEST_F(EnemyShotsTest, SpiralShotsTakeAllEightDirections) {
  NewGameAtEasy();
  TSpiralsSettings& s = enemies.Settings.SpiralsSettings;
  s.Current_ShotChance = 100;
  s.Current_Shot_XSpeed = 5;
  s.Current_Shot_YSpeed = 5;
  Tvt6Sprite& spiral = LaunchOne(TEnemyKind::Spirals);
  s.Current_MaxAmount = 1000;
  for (int i = 0; i < 400; ++i) spiral.OnTick(spiral);
  std::set<std::pair<int32_t, int32_t>> directions;
  for (Tvt6Sprite* shot : OfKind(SpiralShot)) directions.insert(StepOf(*shot));
  EXPECT_EQ(directions.size(), 8u);
  EXPECT_EQ(directions.count({0, 0}), 0u);
}

TEST_F(EnemyShotsTest, AztekShotsCircleTheirAztekAndGoWithIt) {
  NewGameAtEasy();
  TAzteksSettings& s = enemies.Settings.AzteksSettings;
  s.Current_ShotChance = 100;
  s.max_shots = 3;
  Tvt6Sprite& aztek = LaunchOne(TEnemyKind::Azteks);
  aztek.ClearBehaviors();  // hold it still
  aztek.X = 300;
  aztek.Y = 250;
  for (int i = 0; i < 6; ++i) aztek.OnTick(aztek);
  auto shots = OfKind(AztekShot);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(s.Current_Shots, 3);
  EXPECT_EQ(PlayedCount("aztek_shot.wav"), 3);
  for (Tvt6Sprite* shot : shots) {
    EXPECT_TRUE(shot->Parent.Refers(aztek));
    EXPECT_EQ(shot->Lifetime, 32000);
  }

  // Each update puts a shot on the next point of the orbit, carried by the aztek.
  const Tvt6Pattern& orbit = *Main().PatternManager().FindPattern("circle_50");
  Tvt6Sprite& first = *shots[0];
  first.Update();
  EXPECT_EQ(first.X, orbit.Point(0).X + 300 - 372);
  EXPECT_EQ(first.Y, orbit.Point(0).Y + 250 - 306);
  aztek.X += 10;
  first.Update();
  EXPECT_EQ(first.X, orbit.Point(1).X + 310 - 372);

  // Destroyed, the aztek takes its three shots with it.
  enemies.Hit(aztek, Hitter(15, 100000));
  Main().PurgeSprites();
  EXPECT_TRUE(OfKind(AztekShot).empty());
  EXPECT_TRUE(OfKind(8).empty());
  EXPECT_EQ(s.Current_Shots, 0);
}

TEST_F(EnemyShotsTest, AnAztekShotShotDownLeavesItsAztekForGood) {
  NewGameAtEasy();
  TAzteksSettings& s = enemies.Settings.AzteksSettings;
  s.Current_ShotChance = 100;
  s.max_shots = 2;
  Tvt6Sprite& aztek = LaunchOne(TEnemyKind::Azteks);
  aztek.OnTick(aztek);
  aztek.OnTick(aztek);
  ASSERT_EQ(aztek.OnKillSelf.Count(), 2);
  Tvt6Sprite& shot = *OfKind(AztekShot)[0];
  const int32_t score = main.Globals.Score;
  enemies.Hit(shot, Hitter(Shot, 1, 50, 50, 16, 0));
  EXPECT_TRUE(shot.Dead);
  EXPECT_EQ(main.Globals.Score, score + 5);
  EXPECT_EQ(s.Current_Shots, 1);
  EXPECT_EQ(aztek.OnKillSelf.Count(), 1);
  // A second hit in the same tick does nothing.
  enemies.Hit(shot, Hitter(Shot, 1));
  EXPECT_EQ(main.Globals.Score, score + 5);
  Main().PurgeSprites();
  // There is room for a new shot, and the aztek's end counts only the one left.
  aztek.OnTick(aztek);
  EXPECT_EQ(s.Current_Shots, 2);
  Main().ClearSprites();
  EXPECT_EQ(s.Current_Shots, 0);
}

}  // namespace
}  // namespace quellix::testing
