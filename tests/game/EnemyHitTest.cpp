// What hits do to the enemies: damage, points, kills and their effects, and the
// variants of the spiral, squid, spiker, castle and base.
#include <string>

#include "GameUnitsFixture.h"
#include "engine/vtSprite.h"

namespace quellix::testing {
namespace {

using EnemyHitTest = GameUnitsTest;

constexpr int32_t Shot = 1, HWave = 15, VWave = 16, Shield = 19, Ship = 24;

TEST_F(EnemyHitTest, AStarfishTakesThreeShotsAndScoresOneOneFifty) {
  NewGameAtEasy();
  main.SetEnemiesLeft(5);
  Kind(TEnemyKind::Starfish).Common().Current_ArmorPoints = 3;
  Tvt6Sprite& starfish = LaunchOne(TEnemyKind::Starfish);
  std::vector<int32_t> scores;
  for (int i = 0; i < 3; ++i) {
    const int32_t before = main.Globals.Score;
    enemies.Hit(starfish, Hitter(Shot, 1, 200, 100, 0, 16));
    scores.push_back(main.Globals.Score - before);
  }
  EXPECT_EQ(scores, (std::vector<int32_t>{1, 1, 50}));
  EXPECT_TRUE(starfish.Dead);
  EXPECT_EQ(Kind(TEnemyKind::Starfish).Common().Amount_Active, 0);
  EXPECT_EQ(main.EnemiesLeft(), 4);
  const auto popups = InReel(Text(), "Bonuses");
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0]->Projector->SceneName, "50");
  EXPECT_NE(popups[0]->Projector->Scene, nullptr);
  EXPECT_EQ(popups[0]->X, starfish.X);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 3u);  // a spark for every hit
  EXPECT_EQ(PlayedCount("explosion.wav") + PlayedCount("explosion82.wav"), 1);

  // A dead enemy takes no more hits.
  enemies.Hit(starfish, Hitter(Shot, 1));
  EXPECT_EQ(main.EnemiesLeft(), 4);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 3u);
}

TEST_F(EnemyHitTest, WavesAndShieldsDestroyEveryKindAtOnce) {
  NewGameAtEasy();
  PlaceShip(0, 300);
  const TEnemyKind all[] = {TEnemyKind::Spikers, TEnemyKind::Starfish, TEnemyKind::Castles,
                            TEnemyKind::Spirals, TEnemyKind::Spikes,   TEnemyKind::Squids,
                            TEnemyKind::Bases,   TEnemyKind::Azteks,   TEnemyKind::Spinners,
                            TEnemyKind::Flouds};
  for (TEnemyKind kind : all) {
    Kind(kind).Common().Current_ArmorPoints = 30000;
    for (int32_t hitterKind : {HWave, VWave, Shield}) {
      Tvt6Sprite& enemy = LaunchOne(kind);
      const int32_t enemiesLeft = main.EnemiesLeft();
      const int32_t score = main.Globals.Score;
      enemies.Hit(enemy, Hitter(hitterKind, hitterKind == Shield ? 32000 : 100000));
      EXPECT_TRUE(enemy.Dead) << enemy.Kind;
      EXPECT_EQ(main.EnemiesLeft(), enemiesLeft - 1);
      EXPECT_EQ(main.Globals.Score - score, Kind(kind).Traits().Score);
    }
    EXPECT_EQ(Kind(kind).Common().Amount_Active, 0);
  }
  // Armour beyond a shield's damage survives it.
  Kind(TEnemyKind::Starfish).Common().Current_ArmorPoints = 40000;
  Tvt6Sprite& tough = LaunchOne(TEnemyKind::Starfish);
  enemies.Hit(tough, Hitter(Shield, 32000, 0, 0, 0, 0, false));
  EXPECT_FALSE(tough.Dead);
  EXPECT_EQ(tough.Strength, 8000);
}

TEST_F(EnemyHitTest, ACastleIsPushedAlongTheShotWithAThud) {
  NewGameAtEasy();
  Kind(TEnemyKind::Castles).Common().Current_ArmorPoints = 5;
  Tvt6Sprite& castle = LaunchOne(TEnemyKind::Castles);
  castle.X = 300;
  castle.Y = 200;
  const int32_t score = main.Globals.Score;
  enemies.Hit(castle, Hitter(Shot, 1, 310, 50, 0, 16));  // from the Top ship
  EXPECT_EQ(castle.X, 300);
  EXPECT_EQ(castle.Y, 216);
  enemies.Hit(castle, Hitter(Shot, 1, 40, 212, 16, 0));  // from the Left ship
  EXPECT_EQ(castle.X, 316);
  EXPECT_EQ(castle.Y, 216);
  EXPECT_EQ(PlayedCount("thud.wav"), 2);
  EXPECT_EQ(main.Globals.Score, score);
  EXPECT_EQ(castle.Strength, 3);
  // The spark shows on the castle itself, at the middle of its image.
  int32_t width = 0, height = 0;
  castle.Projector->GetDims(width, height);
  ASSERT_GT(width, 0);
  const auto sparks = InReel(Text(), "Explosions");
  ASSERT_EQ(sparks.size(), 2u);
  EXPECT_EQ(sparks[0]->X, 300 + width / 2);
  EXPECT_EQ(sparks[0]->Y, 200 + height / 2);

  // A shield has no movement and pushes nothing; its 32000 kill the castle.
  enemies.Hit(castle, Hitter(Shield, 2, 0, 0, 0, 0, false));
  EXPECT_EQ(castle.X, 316);
  enemies.Hit(castle, Hitter(Shield, 32000, 0, 0, 0, 0, false));
  EXPECT_TRUE(castle.Dead);
  EXPECT_EQ(main.Globals.Score, score + 1000);
  EXPECT_EQ(InReel(Text(), "Bonuses").back()->Projector->SceneName, "1000");
}

TEST_F(EnemyHitTest, ABaseSparksAtTheHitterAndPassesTheShipsHarmlessly) {
  NewGameAtEasy();
  Kind(TEnemyKind::Bases).Common().Current_ArmorPoints = 5;
  Tvt6Sprite& base = LaunchOne(TEnemyKind::Bases);
  Tvt6Sprite& shot = Hitter(Shot, 1, 500, 500, -16, 0);
  enemies.Hit(base, shot);
  EXPECT_EQ(base.X, 380 - 16);
  EXPECT_EQ(PlayedCount("thud.wav"), 1);
  int32_t width = 0, height = 0;
  shot.Projector->GetDims(width, height);
  EXPECT_EQ(InReel(Text(), "Explosions").back()->X, 500 + width / 2);

  // A ship passing over a base: the base has no handler of its own and the ship's
  // pass leaves it as it was.
  Tvt6Sprite& ship = PlaceShip(base.X, base.Y);
  Main().CollideSprites(Ship);
  EXPECT_FALSE(base.Dead);
  EXPECT_EQ(base.Strength, 4);
  EXPECT_FALSE(ship.Dead);
  EXPECT_FALSE(static_cast<bool>(base.OnCollide));
}

TEST_F(EnemyHitTest, ASpikerSparksRightAfterTheDamageAndScoresOnlyItsKill) {
  NewGameAtEasy();
  PlaceShip(0, 300);
  Kind(TEnemyKind::Spikers).Common().Current_ArmorPoints = 2;
  Tvt6Sprite& spiker = LaunchOne(TEnemyKind::Spikers);
  const int32_t score = main.Globals.Score;
  enemies.Hit(spiker, Hitter(Shot, 1));
  EXPECT_EQ(main.Globals.Score, score);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 1u);
  enemies.Hit(spiker, Hitter(Shot, 1));
  EXPECT_EQ(main.Globals.Score, score + 300);
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 2u);
  EXPECT_EQ(InReel(Text(), "Bonuses").back()->Projector->SceneName, "300");
}

TEST_F(EnemyHitTest, ASquidShowsAnExplosionAtTheHitterOnEveryHit) {
  NewGameAtEasy();
  Kind(TEnemyKind::Squids).Common().Current_ArmorPoints = 2;
  Tvt6Sprite& squid = LaunchOne(TEnemyKind::Squids);
  const int32_t score = main.Globals.Score;
  const auto explosions = [this] {
    return Sprites(Main(), [](const Tvt6Sprite& s) {
      return s.Projector->ReelName == "Explosions" && !s.Collidable;
    });
  };
  enemies.Hit(squid, Hitter(Shot, 1, 123, 45));
  EXPECT_EQ(main.Globals.Score, score + 1);
  ASSERT_EQ(explosions().size(), 1u);
  EXPECT_EQ(explosions()[0]->X, 123);
  EXPECT_EQ(explosions()[0]->Y, 45);
  EXPECT_EQ(explosions()[0]->Lifetime, 9);
  EXPECT_TRUE(InReel(Text(), "Explosions").empty());
  enemies.Hit(squid, Hitter(Shot, 1, 130, 50));
  EXPECT_EQ(main.Globals.Score, score + 1 + 100);
  EXPECT_EQ(explosions().size(), 2u);
  // The kill adds a spark at the hitter as well.
  EXPECT_EQ(InReel(Text(), "Explosions").size(), 1u);
}

TEST_F(EnemyHitTest, ASpiralKillFloatsItsOwnPopupUpwards) {
  NewGameAtEasy();
  Kind(TEnemyKind::Spirals).Common().Current_ArmorPoints = 1;
  for (int i = 0; i < 30; ++i) {
    Tvt6Sprite& spiral = LaunchOne(TEnemyKind::Spirals);
    spiral.X = 222;
    spiral.Y = 111;
    enemies.Hit(spiral, Hitter(Shot, 1));
  }
  const auto popups = InReel(Text(), "Bonuses");
  ASSERT_EQ(popups.size(), 30u);
  for (Tvt6Sprite* popup : popups) {
    EXPECT_EQ(popup->Projector->SceneName, "500");
    EXPECT_EQ(popup->Lifetime, 20);
    EXPECT_EQ(popup->X, 222);
  }
  Frame();
  for (Tvt6Sprite* popup : InReel(Text(), "Bonuses")) {
    EXPECT_GE(popup->X, 222 - 5);
    EXPECT_LE(popup->X, 222 + 4);
    EXPECT_GE(popup->Y, 111 - 7);
    EXPECT_LE(popup->Y, 111 - 3);
  }
}

TEST_F(EnemyHitTest, OnlyEnemyKindsAreHit) {
  NewGameAtEasy();
  for (int32_t kind : {0, 1, 2, 15, 17, 19, 20, 23, 24, 25, 32}) {
    Tvt6Sprite& other = Hitter(kind, 5, 0, 0, 0, 0, false);
    enemies.Hit(other, Hitter(HWave, 100000));
    EXPECT_FALSE(other.Dead) << kind;
    EXPECT_EQ(other.Strength, 5) << kind;
  }
  EXPECT_EQ(main.Globals.Score, 0);
  EXPECT_EQ(Text().SpriteCount(), 0);
}

}  // namespace
}  // namespace quellix::testing
