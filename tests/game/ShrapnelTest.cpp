// The effects of hits and kills: popups, sparks, shrapnel bursts, explosion sounds and
// the bonuses that come out of the hole.
#include <map>
#include <string>

#include "GameUnitsFixture.h"
#include "engine/vtSprite.h"
#include "game/vtHitterStep.h"
#include "movement/vtMoveStraightWithFriction.h"

namespace quellix::testing {
namespace {

using ShrapnelTest = GameUnitsTest;

constexpr int32_t Shot = 1, HWave = 15, VWave = 16, Shield = 19, Ship = 24;

TvtMove_StraightWithFriction& FrictionOf(Tvt6Sprite& piece) {
  return dynamic_cast<TvtMove_StraightWithFriction&>(*piece.GetBehavior(0));
}

std::vector<Tvt6Sprite*> Bonuses(Tvt6Engine& engine) {
  std::vector<Tvt6Sprite*> found;
  for (int i = 0; i < engine.SpriteCount(); ++i)
    if (engine.GetSprite(i)->Kind >= 20 && engine.GetSprite(i)->Kind <= 23)
      found.push_back(engine.GetSprite(i));
  return found;
}

TEST_F(ShrapnelTest, WithShrapnelOffAKillStillShowsItsPopupSparkBonusAndSound) {
  NewGameAtEasy();
  main.Globals.ShrapnelOn = false;
  Kind(TEnemyKind::Spinners).Common().Current_ArmorPoints = 1;
  int kills = 0;
  for (; kills < 200; ++kills) {
    Tvt6Sprite& spinner = LaunchOne(TEnemyKind::Spinners);
    enemies.Hit(spinner, Hitter(Shot, 1, 10, 10, 0, -16));
  }
  EXPECT_TRUE(InReel(Text(), "shrapnel").empty());
  EXPECT_EQ(InReel(Text(), "Bonuses").size(), 200u);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 200u);
  EXPECT_EQ(PlayedCount("explosion.wav") + PlayedCount("explosion82.wav"), 200);
  EXPECT_GT(PlayedCount("explosion.wav"), 70);
  EXPECT_GT(PlayedCount("explosion82.wav"), 70);
  EXPECT_GT(Bonuses(Main()).size(), 4u);
}

TEST_F(ShrapnelTest, ShieldsAndShipsThrowNoShrapnelShotsAndWavesDo) {
  NewGameAtEasy();
  for (int32_t kind : {Shield, Ship}) shrapnel.KillEffects(Hitter(kind, 100, 50, 50, 0, 0, false));
  // A shield given a movement still throws nothing: only shots and waves do.
  shrapnel.KillEffects(Hitter(Shield, 100, 50, 50, 16, 0));
  // A hitter standing still throws nothing either.
  shrapnel.KillEffects(Hitter(Shot, 1, 50, 50, 0, 0));
  EXPECT_TRUE(InReel(Text(), "shrapnel").empty());

  shrapnel.KillEffects(Hitter(HWave, 100000, 0, 200, 0, 16));
  const auto pieces = InReel(Text(), "shrapnel");
  ASSERT_GE(pieces.size(), 9u);
  ASSERT_LE(pieces.size(), 28u);
  const std::string image = pieces[0]->Projector->SceneName;
  EXPECT_NE(pieces[0]->Projector->Scene, nullptr);
  for (Tvt6Sprite* piece : pieces) {
    EXPECT_EQ(piece->Projector->SceneName, image);  // one image per burst
    EXPECT_GE(piece->Lifetime, 10);
    EXPECT_LT(piece->Lifetime, 30);
    const TvtMove_StraightWithFriction& f = FrictionOf(*piece);
    EXPECT_GE(f.YSpeed, 5);  // downwards
    EXPECT_LE(f.YSpeed, 19);
    EXPECT_GE(f.XSpeed, -8);
    EXPECT_LE(f.XSpeed, 7);
    EXPECT_EQ(f.YAccel, -1);
    EXPECT_GE(f.XAccel, -1);
    EXPECT_LE(f.XAccel, 1);
    EXPECT_EQ(f.MaxXSpeed, 0);
    EXPECT_EQ(f.MaxYSpeed, 20);
    EXPECT_EQ(f.MinXSpeed, -20);
    EXPECT_EQ(f.XInterval, 3);
    EXPECT_EQ(f.YInterval, 5);
  }
}

TEST_F(ShrapnelTest, BurstsFollowTheHittersFlight) {
  NewGameAtEasy();
  struct TCase {
    int32_t Kind, Dx, Dy;
  };
  for (const TCase c : {TCase{Shot, 16, 0}, TCase{VWave, -16, 0}, TCase{Shot, 0, -16}}) {
    Text().ClearSprites();
    Tvt6Sprite& hitter = Hitter(c.Kind, 1, 200, 300, c.Dx, c.Dy);
    shrapnel.KillEffects(hitter);
    int32_t width = 0, height = 0;
    hitter.Projector->GetDims(width, height);
    const auto pieces = InReel(Text(), "shrapnel");
    ASSERT_FALSE(pieces.empty());
    for (Tvt6Sprite* piece : pieces) {
      EXPECT_EQ(piece->X, 200 + width / 2);
      EXPECT_EQ(piece->Y, 300 + height / 2);
      const TvtMove_StraightWithFriction& f = FrictionOf(*piece);
      if (c.Dx > 0) {
        EXPECT_GE(f.XSpeed, 5);
        EXPECT_LE(f.XSpeed, 19);
        EXPECT_EQ(f.XAccel, -1);
        EXPECT_GE(f.YSpeed, -6);
        EXPECT_LE(f.YSpeed, 5);
      } else if (c.Dx < 0) {
        EXPECT_LE(f.XSpeed, -5);
        EXPECT_GE(f.XSpeed, -19);
        EXPECT_EQ(f.XAccel, -1);
      } else {
        EXPECT_LE(f.YSpeed, -5);
        EXPECT_GE(f.YSpeed, -19);
        EXPECT_EQ(f.YAccel, -1);
        EXPECT_EQ(f.MaxXSpeed, 20);
      }
    }
  }
  // Thrown up, the pieces keep speeding up until 20 pixels per update.
  Tvt6Sprite& piece = *InReel(Text(), "shrapnel")[0];
  piece.Lifetime = 32000;
  for (int i = 0; i < 200; ++i) piece.Update();
  EXPECT_EQ(FrictionOf(piece).YSpeed, -20);
}

TEST_F(ShrapnelTest, BonusesComeInTheirProportionsAndAlwaysMove) {
  NewGameAtEasy();
  constexpr int Drops = 20000;
  std::map<int32_t, int> kinds;
  std::map<int32_t, std::string> scenes;
  int fromTheRule = 0;
  for (int i = 0; i < Drops; ++i) {
    Main().ClearSprites();
    shrapnel.DropBonus(380, 280);
    const Tvt6Sprite& bonus = *Main().GetSprite(0);
    ++kinds[bonus.Kind];
    scenes[bonus.Kind] = bonus.Projector->SceneName;
    ASSERT_EQ(bonus.X, 380);
    ASSERT_EQ(bonus.Y, 280);
    ASSERT_TRUE(bonus.Collidable);
    ASSERT_EQ(bonus.Lifetime, 200);
    ASSERT_NE(bonus.Projector->Scene, nullptr);
    const TStep step = *FirstMovementStep(bonus);
    ASSERT_FALSE(step.X == 0 && step.Y == 0);
    ASSERT_GE(step.X, -10);
    ASSERT_GE(step.Y, -10);
    ASSERT_LE(step.X, 11);
    ASSERT_LE(step.Y, 11);
    // Steps of 10 and 11 come only from the both-zero rule, which moves down-right.
    if (step.X >= 10 || step.Y >= 10) {
      ++fromTheRule;
      ASSERT_GE(step.X, 2) << step.Y;
      ASSERT_GE(step.Y, 2) << step.X;
    }
  }
  EXPECT_GT(fromTheRule, 5);
  EXPECT_NEAR(kinds[20], Drops * 80 / 100, 400);
  EXPECT_NEAR(kinds[22], Drops * 7 / 100, 200);
  EXPECT_NEAR(kinds[21], Drops * 9 / 100, 200);
  EXPECT_NEAR(kinds[23], Drops * 4 / 100, 150);
  EXPECT_EQ(scenes[20], "shotpower");
  EXPECT_EQ(scenes[21], "wavepower");
  EXPECT_EQ(scenes[22], "shieldpower");
  EXPECT_EQ(scenes[23], "extralife");
}

TEST_F(ShrapnelTest, AboutOneKillInTwelveBringsABonusOutOfTheHole) {
  NewGameAtEasy();
  main.Globals.ShrapnelOn = false;
  Tvt6Sprite& shield = Hitter(Shield, 32000, 0, 0, 0, 0, false);
  constexpr int Kills = 10000;
  for (int i = 0; i < Kills; ++i) shrapnel.KillEffects(shield);
  const auto bonuses = Bonuses(Main());
  EXPECT_NEAR(static_cast<int>(bonuses.size()), Kills * 8 / 100, 150);
  for (const Tvt6Sprite* bonus : bonuses) {
    EXPECT_EQ(bonus->X, 380);
    EXPECT_EQ(bonus->Y, 280);
  }
}

}  // namespace
}  // namespace quellix::testing
