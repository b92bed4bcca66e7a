// What a launch builds for each of the ten kinds, and how the kinds fly.
#include <set>
#include <string>

#include "GameUnitsFixture.h"
#include "engine/vtSprite.h"
#include "graphics/vtAnimationEngine.h"
#include "movement/vtMoveOffsetPattern.h"
#include "movement/vtMoveToFixedXYPoint.h"
#include "movement/vtMoveTowardsSprite.h"

namespace quellix::testing {
namespace {

using EnemyLaunchTest = GameUnitsTest;

enum class TFlight { Homing, ToPoint, Pattern };

struct TExpectedLaunch {
  TEnemyKind Kind;
  int32_t Code;
  const char* Reel;
  const char* Prefix;
  const char* Sound;
  TFlight Flight;
  bool HasTick;
  int32_t Score;
};

const TExpectedLaunch Expected[] = {
    {TEnemyKind::Spikers, 5, "Spikers", "spiker", "launch_spiker.wav", TFlight::ToPoint, false,
     300},
    {TEnemyKind::Starfish, 3, "Starfish", "Starfish", "starfish_launch.wav", TFlight::Homing, false,
     50},
    {TEnemyKind::Castles, 4, "Castles", "castle", "castle_launch.wav", TFlight::ToPoint, true,
     1000},
    {TEnemyKind::Spirals, 6, "Spirals", "Spiral", "spiral_launch.wav", TFlight::ToPoint, true, 500},
    {TEnemyKind::Spikes, 14, "Spikes", "Spike", "spike_launch.wav", TFlight::Pattern, false, 300},
    {TEnemyKind::Squids, 10, "Squids", "squid", "squid_launch.wav", TFlight::Pattern, false, 100},
    {TEnemyKind::Bases, 18, "Bases", "base", "base_launch.wav", TFlight::ToPoint, true, 1000},
    {TEnemyKind::Azteks, 8, "azteks", "aztek", "aztek_launch.wav", TFlight::ToPoint, true, 600},
    {TEnemyKind::Spinners, 13, "Spinners", "Spinner", "spinner_launch.wav", TFlight::Pattern, false,
     700},
    {TEnemyKind::Flouds, 11, "Flouds", "floud", "floud_launch.wav", TFlight::Pattern, true, 1000},
};

TEST_F(EnemyLaunchTest, EveryKindLeavesTheHoleAsItsTableSays) {
  NewGameAtEasy();
  PlaceShip(0, 300);
  for (const TExpectedLaunch& e : Expected) {
    SCOPED_TRACE(e.Reel);
    TEnemyUnit& kind = Kind(e.Kind);
    kind.Common().Current_ArmorPoints = 7;
    Tvt6Sprite& enemy = LaunchOne(e.Kind);
    EXPECT_EQ(enemy.X, 380);
    EXPECT_EQ(enemy.Y, 280);
    EXPECT_TRUE(enemy.Collidable);
    EXPECT_EQ(enemy.Lifetime, 32000);
    EXPECT_EQ(enemy.Kind, e.Code);
    EXPECT_EQ(enemy.Strength, 7);
    EXPECT_EQ(enemy.Projector->ReelName, e.Reel);
    EXPECT_EQ(enemy.Projector->SceneName, e.Prefix + std::to_string(kind.Common().Image));
    EXPECT_NE(enemy.Projector->Scene, nullptr) << "the data lacks the scene";
    EXPECT_EQ(Played().back(), e.Sound);
    EXPECT_EQ(kind.Traits().Score, e.Score);
    EXPECT_NE(Main().AnimationEngine()->GetScene("Bonuses", ScorePopup(e.Score)), nullptr);
    EXPECT_EQ(kind.Common().Amount_Launched, 1);
    EXPECT_EQ(kind.Common().Amount_Active, 1);
    EXPECT_EQ(static_cast<bool>(enemy.OnTick), e.HasTick);
    EXPECT_FALSE(static_cast<bool>(enemy.OnCollide));  // enemies never test collisions
    ASSERT_EQ(enemy.BehaviorCount(), 1);
    Tvt6SpriteMovement* flight = enemy.GetBehavior(0);
    switch (e.Flight) {
      case TFlight::Homing:
        EXPECT_NE(dynamic_cast<Tvt6Move_MoveTowardsSprite*>(flight), nullptr);
        break;
      case TFlight::ToPoint:
        EXPECT_NE(dynamic_cast<Tvt6Move_MoveToFixedXYPoint*>(flight), nullptr);
        break;
      case TFlight::Pattern: {
        auto* pattern = dynamic_cast<Tvt6Move_OffsetPattern*>(flight);
        ASSERT_NE(pattern, nullptr);
        EXPECT_NE(pattern->Pattern, nullptr) << "the data lacks the pattern";
        break;
      }
    }
  }
}

// The bands of a ring, written out: right band from rightX - 39, left band up to
// leftX + leftSpread - 1, bottom row from bottomY - 39, top row up to topY + topSpread - 1.
bool InBands(TRingPoint p, int32_t rightX, int32_t leftSpread, int32_t bottomY, int32_t topSpread) {
  const bool side = (p.X >= rightX - 39 && p.X <= rightX) || (p.X >= 80 && p.X < 80 + leftSpread);
  const bool row =
      p.X >= 100 && p.X <= 699 &&
      ((p.Y >= bottomY - 39 && p.Y <= bottomY) || (p.Y >= 120 && p.Y < 120 + topSpread));
  return (side && p.Y >= 0 && p.Y <= 378) || row;
}

TEST_F(EnemyLaunchTest, RingPointsLieInTheirBands) {
  TRandom& random = main.Random();
  int farRightOfB = 0;
  for (int i = 0; i < 4000; ++i) {
    const TRingPoint a = RingPoint(RingA, random);
    ASSERT_TRUE(InBands(a, 680, 40, 460, 40)) << a.X << "," << a.Y;
    const TRingPoint b = RingPoint(RingB, random);
    ASSERT_TRUE(InBands(b, 630, 60, 420, 60)) << b.X << "," << b.Y;
    farRightOfB += b.X > 620 && b.X <= 630;
    const TRingPoint c = RingPoint(RingBPrime, random);
    ASSERT_TRUE(InBands(c, 620, 60, 420, 60)) << c.X << "," << c.Y;
  }
  EXPECT_GT(farRightOfB, 100);
}

TEST_F(EnemyLaunchTest, StarfishHomeOnTheShipOrWaitWithoutOne) {
  NewGameAtEasy();
  Tvt6Sprite& waiting = LaunchOne(TEnemyKind::Starfish);
  Frame(5);
  EXPECT_EQ(waiting.X, 380);
  EXPECT_EQ(waiting.Y, 280);
  Tvt6Sprite& ship = PlaceShip(400, 519);
  Kind(TEnemyKind::Starfish).Common().Current_XSpeed = 3;
  Kind(TEnemyKind::Starfish).Common().Current_YSpeed = 4;
  Tvt6Sprite& homing = LaunchOne(TEnemyKind::Starfish);
  Frame();
  EXPECT_EQ(homing.X, 383);
  EXPECT_EQ(homing.Y, 284);
  ship.X = 300;
  Frame();
  EXPECT_EQ(homing.X, 380);
}

TEST_F(EnemyLaunchTest, ASpikerFliesToWhereTheShipWasAndStays) {
  NewGameAtEasy();
  Tvt6Sprite& ship = PlaceShip(0, 300);
  Kind(TEnemyKind::Spikers).Common().Current_XSpeed = 16;
  Kind(TEnemyKind::Spikers).Common().Current_YSpeed = 16;
  Tvt6Sprite& spiker = LaunchOne(TEnemyKind::Spikers);
  EXPECT_EQ(spiker.DrawMode, Tvt6Sprite::dmCentered);
  ship.Y = 100;
  Frame(60);
  EXPECT_EQ(spiker.X, 0);
  EXPECT_EQ(spiker.Y, 300);

  // Without a ship it holds its place at the hole.
  player.Target.Reset();
  Tvt6Sprite& lone = LaunchOne(TEnemyKind::Spikers);
  Frame(10);
  EXPECT_EQ(lone.X, 380);
  EXPECT_EQ(lone.Y, 280);
}

TEST_F(EnemyLaunchTest, SkittishKindsDartAtTheirChance) {
  NewGameAtEasy();
  for (TEnemyKind kind : {TEnemyKind::Castles, TEnemyKind::Bases}) {
    TCastlesSettings& s = kind == TEnemyKind::Castles ? enemies.Settings.CastlesSettings
                                                      : enemies.Settings.BasesSettings;
    s.Current_Skittishness = 0;
    Tvt6Sprite& calm = LaunchOne(kind);
    auto& calmFlight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint&>(*calm.GetBehavior(0));
    const int32_t x = calmFlight.TargetX, y = calmFlight.TargetY;
    Frame(50);
    EXPECT_EQ(calmFlight.TargetX, x);
    EXPECT_EQ(calmFlight.TargetY, y);

    s.Current_Skittishness = 100;
    Tvt6Sprite& nervous = LaunchOne(kind);
    auto& flight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint&>(*nervous.GetBehavior(0));
    int changes = 0;
    for (int i = 0; i < 20; ++i) {
      const int32_t before = flight.TargetX * 1000 + flight.TargetY;
      Frame();
      changes += flight.TargetX * 1000 + flight.TargetY != before;
    }
    EXPECT_GE(changes, 18);
  }
}

TEST_F(EnemyLaunchTest, AnAztekMovesOnFromEachPointItReaches) {
  NewGameAtEasy();
  enemies.Settings.AzteksSettings.Current_ShotChance = 0;
  Kind(TEnemyKind::Azteks).Common().Current_XSpeed = 1000;
  Kind(TEnemyKind::Azteks).Common().Current_YSpeed = 1000;
  Tvt6Sprite& aztek = LaunchOne(TEnemyKind::Azteks);
  auto& flight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint&>(*aztek.GetBehavior(0));
  // Steps this long reach any point in two updates (x, then y).
  int targets = 0;
  for (int i = 0; i < 40; ++i) {
    const int32_t x = flight.TargetX, y = flight.TargetY;
    Frame();
    if (flight.TargetX != x || flight.TargetY != y) {
      ++targets;
      EXPECT_EQ(aztek.X, x);
      EXPECT_EQ(aztek.Y, y);
      EXPECT_LE(flight.TargetX, 699);
    }
  }
  EXPECT_GE(targets, 15);
}

TEST_F(EnemyLaunchTest, ASquidSpiralsOutThenHomesOnAShip) {
  NewGameAtEasy();
  Tvt6Sprite& ship = PlaceShip(759, 300);
  Tvt6Sprite& squid = LaunchOne(TEnemyKind::Squids);
  auto& spiral = dynamic_cast<Tvt6Move_OffsetPattern&>(*squid.GetBehavior(0));
  EXPECT_EQ(spiral.Pattern->Name, "spiral1");
  EXPECT_EQ(spiral.XStep, 12);
  EXPECT_TRUE(spiral.StopAtEnd);
  EXPECT_FALSE(spiral.Loop);
  EXPECT_GE(spiral.OffsetX, -100);
  EXPECT_LT(spiral.OffsetX, 100);
  // The spiral is freed once it has ended; the homing movement takes its place.
  for (int i = 0; i < 3000 && !dynamic_cast<Tvt6Move_MoveTowardsSprite*>(squid.GetBehavior(0)); ++i)
    Frame();
  ASSERT_EQ(squid.BehaviorCount(), 1);
  auto* homing = dynamic_cast<Tvt6Move_MoveTowardsSprite*>(squid.GetBehavior(0));
  ASSERT_NE(homing, nullptr);
  EXPECT_TRUE(homing->Target.Refers(ship));
  EXPECT_EQ(homing->XSpeed, Kind(TEnemyKind::Squids).Common().Current_XSpeed);
}

TEST_F(EnemyLaunchTest, PatternFlyersTakeOneOfThreePatterns) {
  NewGameAtEasy();
  const std::pair<TEnemyKind, const char*> flyers[] = {{TEnemyKind::Flouds, "floud"},
                                                       {TEnemyKind::Spinners, "spinner"},
                                                       {TEnemyKind::Spikes, "spiker"}};
  for (const auto& [kind, prefix] : flyers) {
    std::set<std::string> names;
    for (int i = 0; i < 60; ++i) {
      Tvt6Sprite& enemy = LaunchOne(kind);
      auto& flight = dynamic_cast<Tvt6Move_OffsetPattern&>(*enemy.GetBehavior(0));
      ASSERT_NE(flight.Pattern, nullptr);
      names.insert(flight.Pattern->Name);
      EXPECT_TRUE(flight.Loop);
      EXPECT_FALSE(flight.StopAtEnd);
      EXPECT_EQ(flight.XStep, Kind(kind).Common().Current_XSpeed);
    }
    const std::string p(prefix);
    EXPECT_EQ(names, (std::set<std::string>{p + "1", p + "2", p + "3"}));
  }
}

}  // namespace
}  // namespace quellix::testing
