// The hole: its sprite, the stars that fall into it, the launches it schedules, a new
// game at a difficulty and the growth of every kind from level to level.
#include <algorithm>
#include <map>
#include <string>

#include "GameUnitsFixture.h"
#include "config/vtConfigClasses.h"
#include "engine/vtSprite.h"
#include "graphics/vtStars.h"

namespace quellix::testing {
namespace {

using HoleTest = GameUnitsTest;

// Every kind stays off the levels, so one kind can be watched alone.
void SilenceAllKinds(TEnemyFamily& enemies) {
  for (TEnemyUnit* kind : enemies.Kinds()) kind->Final().active_mod = 0;
}

TEST_F(HoleTest, HoleSpriteStandsMidScreenInOneOfThreeColours) {
  std::map<std::string, int> colours;
  for (int i = 0; i < 4000; ++i) {
    Main().ClearSprites();
    hole.TickCount = 7;
    hole.CreateHole();
    ASSERT_EQ(Main().SpriteCount(), 1);
    const Tvt6Sprite& sprite = *Main().GetSprite(0);
    EXPECT_EQ(hole.TickCount, 0);
    EXPECT_EQ(sprite.X, 350);
    EXPECT_EQ(sprite.Y, 230);
    EXPECT_EQ(sprite.Kind, 2);
    EXPECT_FALSE(sprite.Collidable);
    EXPECT_NE(sprite.Projector->Scene, nullptr);
    ++colours[sprite.Projector->SceneName];
  }
  EXPECT_NEAR(colours["GreenHole"], 2000, 150);
  EXPECT_NEAR(colours["YellowHole"], 1000, 120);
  EXPECT_NEAR(colours["RedHole"], 1000, 120);
}

TEST_F(HoleTest, SixStarsPerCallFromTheEdgesIntoTheHole) {
  Tvt6StarEngine& stars = *hole.Stars();
  stars.Clear();
  hole.SpawnStars();
  ASSERT_EQ(stars.StarCount(), 6);
  for (int32_t i = 0; i < 6; ++i) {
    const Tvt6Star& star = stars.Star(i);
    const bool topOrBottom = star.Y == 0 || star.Y == 550;
    const bool leftOrRight = star.X == 0 || star.X == 799;
    EXPECT_TRUE(topOrBottom || leftOrRight) << star.X << "," << star.Y;
    EXPECT_GE(star.TargetX, 380);
    EXPECT_LT(star.TargetX, 420);
    EXPECT_GE(star.TargetY, 260);
    EXPECT_LT(star.TargetY, 300);
  }
  hole.SpawnStars();
  EXPECT_EQ(stars.StarCount(), 12);
  // Each star is gone after the draw that follows its arrival.
  for (int i = 0; i < 400 && stars.StarCount() > 0; ++i) {
    stars.MoveStars();
    stars.DrawStars();
  }
  EXPECT_EQ(stars.StarCount(), 0);
}

TEST_F(HoleTest, StartGameLoadsTheDifficultyAndStartsLevelOne) {
  main.Globals.Level = 7;
  main.Globals.Score = 1234;
  hole.StartGame(TDifficulty::Normal);
  EXPECT_EQ(main.Globals.GameState, gsPlaying);
  EXPECT_EQ(main.Globals.Level, 1);
  EXPECT_EQ(main.Globals.Score, 0);
  EXPECT_EQ(player.Calls,
            (std::vector<std::string>{"ResetForNewGame 8", "LowerShields", "StartLevelShips"}));
  const Tvt6ConfigurationMgr& config = *Main().ConfigurationMgr();
  int32_t expectedEnemies = 0;
  for (TEnemyUnit* kind : enemies.Kinds()) {
    const std::string group(kind->Names().Group);
    const TEnemyCommonSettings& c = kind->Common();
    EXPECT_EQ(std::to_string(c.Initial_ArmorPoints),
              config.GetValue(group, "medium", "Initial_ArmorPoints"))
        << group;
    EXPECT_EQ(c.Current_ArmorPoints, c.Initial_ArmorPoints) << group;
    EXPECT_GE(c.Image, c.LowImage);
    EXPECT_LT(c.Image, c.LowImage + std::max(c.HighImage, 1));
    if (kind->ActiveOn(1)) expectedEnemies += c.Initial_Reserves;
  }
  EXPECT_GT(expectedEnemies, 0);
  EXPECT_EQ(main.EnemiesLeft(), expectedEnemies);
  // The engines were cleared; the hole is the one sprite.
  ASSERT_EQ(Main().SpriteCount(), 1);
  EXPECT_EQ(Main().GetSprite(0)->Kind, 2);
}

TEST_F(HoleTest, ChildModeLoadsTheChildNumbersWhateverTheChoice) {
  const Tvt6ConfigurationMgr& config = *Main().ConfigurationMgr();
  main.Globals.ChildMode = true;
  hole.StartGame(TDifficulty::Hard);
  EXPECT_EQ(player.Calls.front(), "ResetForNewGame 10");
  EXPECT_EQ(std::to_string(enemies.Settings.CastlesSettings.Initial_ArmorPoints),
            config.GetValue("castles", "child", "Initial_ArmorPoints"));
  main.Globals.ChildMode = false;
  hole.StartGame(TDifficulty::Hard);
  EXPECT_EQ(player.Calls[3], "ResetForNewGame 8");
  EXPECT_EQ(std::to_string(enemies.Settings.CastlesSettings.Initial_ArmorPoints),
            config.GetValue("castles", "hard", "Initial_ArmorPoints"));
}

TEST_F(HoleTest, AFailingLoadLeavesTheTitleAndThePlayerAlone) {
  Main().ConfigurationMgr()->Clear();
  main.Globals.Score = 55;
  EXPECT_THROW(hole.StartGame(TDifficulty::Easy), std::invalid_argument);
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_EQ(main.Globals.Score, 55);
  EXPECT_TRUE(player.Calls.empty());
}

TEST_F(HoleTest, AZeroIntervalStopsTheGameStartWithItsName) {
  Tvt6ConfigurationMgr& config = *Main().ConfigurationMgr();
  config.Clear();
  config.ParseText(ConfigText([](std::string_view group, std::string_view field) {
    return group == "castles" && field == "Inc_XSpeed" ? 0 : 1;
  }));
  try {
    hole.StartGame(TDifficulty::Easy);
    FAIL() << "the game started";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("castles"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Inc_XSpeed"), std::string::npos) << e.what();
  }
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_TRUE(player.Calls.empty());
}

TEST_F(HoleTest, AZeroIntervalReachingTheLevelAdvanceIsLoggedByTheTick) {
  NewGameAtEasy();
  enemies.Settings.SquidsSettings.Inc_ArmorPoints = 0;
  const TSquidsSettings before = enemies.Settings.SquidsSettings;
  EXPECT_THROW(Kind(TEnemyKind::Squids).AdvanceKind(2), std::runtime_error);
  EXPECT_EQ(enemies.Settings.SquidsSettings.Current_ArmorPoints, before.Current_ArmorPoints);
  EXPECT_EQ(enemies.Settings.SquidsSettings.Image, before.Image);

  // From the next-level screen, in a real tick.
  main.Globals.GameState = gsNextLevel;
  main.NextLevelDone = true;
  main.TimerEvent(0);
  const auto& lines = main.ErrorLog().Lines();
  bool logged = false;
  for (const std::string& line : lines)
    logged = logged || (line.find("squids") != std::string::npos &&
                        line.find("Inc_ArmorPoints") != std::string::npos);
  EXPECT_TRUE(logged);
  EXPECT_FALSE(main.InTick());
}

TEST_F(HoleTest, SpeedsAreRecomputedOnMultiplesOfTheirInterval) {
  NewGameAtEasy();
  TStarfishSettings& s = enemies.Settings.StarfishSettings;
  s.Initial_XSpeed = 2;
  s.Inc_XSpeed = 3;
  s.Limit_XSpeed = 50;
  Kind(TEnemyKind::Starfish).ResetKind(1);
  std::vector<int32_t> speeds{s.Current_XSpeed};
  for (int32_t level = 2; level <= 6; ++level) {
    Kind(TEnemyKind::Starfish).AdvanceKind(level);
    speeds.push_back(s.Current_XSpeed);
  }
  EXPECT_EQ(speeds, (std::vector<int32_t>{2, 2, 3, 3, 3, 4}));
}

TEST_F(HoleTest, AValueAboveItsLimitStaysUntilItsFirstIncrease) {
  NewGameAtEasy();
  TCastlesSettings& s = enemies.Settings.CastlesSettings;
  s.Initial_MaxAmount = 10;
  s.Limit_MaxAmount = 5;
  s.Inc_MaxAmount = 3;
  s.Inc_MaxAmount_Increase = 1;
  s.Initial_Skittishness = 4;
  s.Inc_Skittishness = 2;
  s.Limit_Skittishness = 9;
  TEnemyUnit& castles = Kind(TEnemyKind::Castles);
  castles.ResetKind(1);
  castles.AdvanceKind(2);
  EXPECT_EQ(s.Current_MaxAmount, 10);
  EXPECT_EQ(s.Current_Skittishness, 6);  // its interval is its step
  castles.AdvanceKind(3);
  EXPECT_EQ(s.Current_MaxAmount, 5);
  castles.AdvanceKind(4);
  EXPECT_EQ(s.Current_Skittishness, 8);
  castles.AdvanceKind(6);
  EXPECT_EQ(s.Current_MaxAmount, 5);
  EXPECT_EQ(s.Current_Skittishness, 9);
}

TEST_F(HoleTest, EveryGrowthRuleAndCounterOfTheKindsWithExtras) {
  NewGameAtEasy();
  TSpiralsSettings& sp = enemies.Settings.SpiralsSettings;
  sp.Initial_ShotChance = 3;
  sp.Inc_ShotChance = 2;
  sp.Limit_ShotChance = 4;
  sp.Initial_Shot_XSpeed = 5;
  sp.Inc_Shot_XSpeed = 1;
  sp.Limit_Shot_XSpeed = 7;
  sp.Initial_ArmorPoints = 2;
  sp.Inc_ArmorPoints = 2;
  sp.Inc_ArmorPoint_Increase = 5;
  sp.Limit_ArmorPoints = 100;
  sp.Initial_PercentChance = 1;
  sp.Inc_PercentChance = 1;
  sp.Limit_PercentChance = 2;
  TEnemyUnit& spirals = Kind(TEnemyKind::Spirals);
  spirals.ResetKind(1);
  EXPECT_EQ(sp.Current_ShotChance, 3);
  EXPECT_EQ(sp.Current_Shot_XSpeed, 5);
  sp.Shots_Active = 2;
  sp.Amount_Launched = 3;
  spirals.AdvanceKind(2);
  EXPECT_EQ(sp.Current_ShotChance, 4);
  EXPECT_EQ(sp.Current_Shot_XSpeed, 6);
  EXPECT_EQ(sp.Current_ArmorPoints, 7);
  EXPECT_EQ(sp.Current_PercentChance, 2);
  EXPECT_EQ(sp.Shots_Active, 0);
  EXPECT_EQ(sp.Amount_Launched, 0);
  spirals.AdvanceKind(3);
  spirals.AdvanceKind(4);
  EXPECT_EQ(sp.Current_ShotChance, 4);
  EXPECT_EQ(sp.Current_Shot_XSpeed, 7);
  EXPECT_EQ(sp.Current_ArmorPoints, 12);
  EXPECT_EQ(sp.Current_PercentChance, 2);

  enemies.Settings.AzteksSettings.Current_Shots = 3;
  Kind(TEnemyKind::Azteks).AdvanceKind(2);
  EXPECT_EQ(enemies.Settings.AzteksSettings.Current_Shots, 0);
}

TEST_F(HoleTest, AKindOnEveryOtherLevelFromLevelThree) {
  NewGameAtEasy();
  SilenceAllKinds(enemies);
  TStarfishSettings& s = enemies.Settings.StarfishSettings;
  s.active_mod = 2;
  s.first_level_appears = 3;
  s.Spawn_Delay = 0;
  s.Initial_Reserves = 4;
  s.Inc_Reserves = 1;
  s.Inc_Reserve_Increase = 1;
  s.Limit_Reserves = 100;
  s.Initial_MaxAmount = s.Limit_MaxAmount = 50;
  s.Initial_PercentChance = s.Limit_PercentChance = 100;
  main.SetEnemiesLeft(0);
  Kind(TEnemyKind::Starfish).ResetKind(1);
  EXPECT_EQ(main.EnemiesLeft(), 0);

  std::vector<int32_t> launchLevels, countedLevels;
  for (int32_t level = 2; level <= 8; ++level) {
    main.SetEnemiesLeft(0);
    Main().ClearSprites();
    hole.AdvanceLevel();
    ASSERT_EQ(main.Globals.Level, level);
    // The reserves grow on every level, played or not.
    EXPECT_EQ(s.Current_Reserves, 4 + level - 1);
    if (main.EnemiesLeft() != 0) {
      EXPECT_EQ(main.EnemiesLeft(), s.Current_Reserves);
      countedLevels.push_back(level);
    }
    hole.TickCount = 1;
    hole.ScheduleLaunches();
    if (!OfKind(3).empty()) launchLevels.push_back(level);
  }
  EXPECT_EQ(launchLevels, (std::vector<int32_t>{4, 6, 8}));
  EXPECT_EQ(countedLevels, (std::vector<int32_t>{4, 6, 8}));
}

TEST_F(HoleTest, LaunchesBeginOnTheFirstTickAfterTheSpawnDelay) {
  NewGameAtEasy();
  SilenceAllKinds(enemies);
  main.Globals.GameState = gsPlaying;
  for (TEnemyKind kind : {TEnemyKind::Starfish, TEnemyKind::Spinners}) {
    TEnemyUnit& unit = Kind(kind);
    unit.Final().active_mod = 1;
    unit.Final().first_level_appears = 1;
    unit.Common().Current_PercentChance = 100;
    unit.Common().Current_MaxAmount = 10;
    unit.Common().Current_Reserves = 10;
  }
  Kind(TEnemyKind::Starfish).Final().Spawn_Delay = 0;
  Kind(TEnemyKind::Spinners).Final().Spawn_Delay = 3;
  Frame();
  EXPECT_EQ(OfKind(3).size(), 1u);
  EXPECT_EQ(OfKind(13).size(), 0u);
  Frame(2);
  EXPECT_EQ(OfKind(13).size(), 0u);
  Frame();
  EXPECT_EQ(OfKind(13).size(), 1u);
  EXPECT_EQ(OfKind(3).size(), 4u);

  // Only while playing.
  main.Globals.GameState = gsLevelComplete;
  Frame(3);
  EXPECT_EQ(OfKind(3).size(), 4u);
}

TEST_F(HoleTest, TheGateKeepsToTheReservesAndTheRoomOnTheScreen) {
  NewGameAtEasy();
  PlaceShip(0, 300);
  TEnemyUnit& starfish = Kind(TEnemyKind::Starfish);
  TEnemyCommonSettings& c = starfish.Common();
  c.Current_Reserves = 3;
  c.Current_MaxAmount = 2;
  c.Current_PercentChance = 100;
  for (int i = 0; i < 5; ++i) starfish.Launch(380, 280);
  ASSERT_EQ(OfKind(3).size(), 2u);
  EXPECT_EQ(c.Amount_Active, 2);
  EXPECT_EQ(c.Amount_Launched, 2);
  Tvt6Sprite& wave = Hitter(15, 100000);
  enemies.Hit(*OfKind(3)[0], wave);
  Frame();
  for (int i = 0; i < 5; ++i) starfish.Launch(380, 280);
  EXPECT_EQ(OfKind(3).size(), 2u);
  EXPECT_EQ(c.Amount_Launched, 3);

  // A chance of 0 never launches.
  c.Current_Reserves = 100;
  c.Current_MaxAmount = 100;
  c.Current_PercentChance = 0;
  for (int i = 0; i < 200; ++i) starfish.Launch(380, 280);
  EXPECT_EQ(c.Amount_Launched, 3);
}

}  // namespace
}  // namespace quellix::testing
