// Whole levels through the game loop's own ticks, on the real data: every kind plays
// from the first level on, waves sweep the screen every so often, and each level must
// end with exactly every enemy it held destroyed, the next one growing the numbers.
#include <memory>
#include <string>

#include "GameUnitsFixture.h"
#include "config/vtConfigClasses.h"
#include "engine/vtSprite.h"
#include "movement/vtMoveStraightLine.h"

namespace quellix::testing {
namespace {

using HoleLevelsTest = GameUnitsTest;

constexpr int32_t HWave = 15, VWave = 16;

// Every kind on every level, quick to launch and to fire, with the image variants the
// data holds.
int32_t BusyValue(const Tvt6ConfigurationMgr& real, std::string_view group,
                  std::string_view field) {
  if (field == "LowImage" || field == "HighImage")
    return std::stoi(real.GetValue(group, "easy", field));
  const std::pair<std::string_view, int32_t> values[] = {{"Initial_MaxAmount", 2},
                                                         {"Limit_MaxAmount", 3},
                                                         {"Initial_PercentChance", 30},
                                                         {"Limit_PercentChance", 40},
                                                         {"Initial_ArmorPoints", 3},
                                                         {"Limit_ArmorPoints", 6},
                                                         {"Initial_XSpeed", 3},
                                                         {"Initial_YSpeed", 3},
                                                         {"Limit_XSpeed", 5},
                                                         {"Limit_YSpeed", 5},
                                                         {"Initial_Reserves", 3},
                                                         {"Limit_Reserves", 5},
                                                         {"Initial_ShotChance", 20},
                                                         {"Limit_ShotChance", 30},
                                                         {"Initial_Shot_XSpeed", 4},
                                                         {"Initial_Shot_YSpeed", 4},
                                                         {"Limit_Shot_XSpeed", 6},
                                                         {"Limit_Shot_YSpeed", 6},
                                                         {"max_shots", 3},
                                                         {"Initial_Skittishness", 5},
                                                         {"Limit_Skittishness", 9},
                                                         {"active_mod", 1},
                                                         {"first_level_appears", 1},
                                                         {"Spawn_Delay", 3}};
  for (const auto& [name, value] : values)
    if (field == name) return value;
  // Every interval and step 1; counters and current values are reset anyway.
  return field.starts_with("Inc_") || field.starts_with("inc_") ? 1 : 0;
}

TEST_F(HoleLevelsTest, LevelsEndWithEveryEnemyDestroyedAndTheNextOneGrows) {
  Tvt6ConfigurationMgr& config = *Main().ConfigurationMgr();
  const std::string busy = ConfigText([&config](std::string_view group, std::string_view field) {
    return BusyValue(config, group, field);
  });
  config.Clear();
  config.ParseText(busy);
  hole.StartGame(TDifficulty::Hard);
  ASSERT_EQ(main.Globals.GameState, gsPlaying);
  EXPECT_EQ(main.EnemiesLeft(), 10 * 3);
  PlaceShip(0, 300);

  // The waves pass their hits on as the player's wave handler does.
  const auto sweep = [this](int32_t kind, const char* scene, int32_t dx, int32_t dy) {
    Tvt6Sprite& wave = Main().NewSprite();
    wave.Place(0, 0, 70, true);
    wave.Projector->QuickInit("Wave", scene, Tvt6Projector::NotSet);
    wave.Kind = kind;
    wave.Strength = 100000;
    wave.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(dx, dy);
    wave.OnCollide = [this](Tvt6Sprite& self, Tvt6Sprite& other) {
      if ((other.Kind >= 3 && other.Kind <= 14) || other.Kind == 18) enemies.Hit(other, self);
    };
  };

  std::vector<int32_t> levelsEnded;
  int32_t maxShotsSeen = 0;
  for (int tick = 0; tick < 6000 && main.Globals.Level < 4; ++tick) {
    const TGameState before = main.Globals.GameState;
    if (before == gsPlaying && tick % 45 == 0) {
      sweep(HWave, "HWave", 0, 16);
      sweep(VWave, "VWave", 16, 0);
    }
    if (before == gsPlaying && !player.Target) PlaceShip(0, 300);  // back with every level
    main.TimerEvent(0);
    maxShotsSeen = std::max(maxShotsSeen, enemies.Settings.AzteksSettings.Current_Shots);
    ASSERT_LE(enemies.Settings.AzteksSettings.Current_Shots, 3);
    ASSERT_GE(enemies.Settings.SpiralsSettings.Shots_Active, 0);
    if (before == gsPlaying && main.Globals.GameState == gsLevelComplete) {
      EXPECT_EQ(main.EnemiesLeft(), 0) << "level " << main.Globals.Level;
      levelsEnded.push_back(main.Globals.Level);
    }
  }
  EXPECT_EQ(levelsEnded, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_GT(maxShotsSeen, 0);
  // Level 4 holds every kind's reserves grown by one per level, up to 5.
  EXPECT_EQ(enemies.Settings.StarfishSettings.Current_Reserves, 5);
  EXPECT_EQ(enemies.Settings.StarfishSettings.Current_ArmorPoints, 6);
  for (const std::string& line : main.ErrorLog().Lines()) {
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
    EXPECT_EQ(line.find("Exception"), std::string::npos) << line;
  }
}

// Every number of the configuration at one limit of 32 bits: the arithmetic on them
// (image choice, enemies of a level, growth, speeds, positions) stays in range.
TEST_F(HoleLevelsTest, NumbersAtTheIntegerLimitsStayInRange) {
  for (const int32_t limit : {INT32_MAX, INT32_MIN}) {
    Tvt6ConfigurationMgr& config = *Main().ConfigurationMgr();
    const std::string extreme = ConfigText([limit](std::string_view, std::string_view field) {
      // Every kind on the first level; intervals of at least 1, or a game does not start.
      if (field == "active_mod" || field == "first_level_appears") return 1;
      return field.starts_with("Inc_") && limit < 0 ? 1 : limit;
    });
    config.Clear();
    config.ParseText(extreme);
    hole.StartGame(TDifficulty::Easy);
    ASSERT_EQ(main.Globals.GameState, gsPlaying);
    const TEnemyCommonSettings& starfish = enemies.Settings.StarfishSettings;
    EXPECT_EQ(starfish.Image, limit < 0 ? INT32_MIN : INT32_MAX) << "LowImage + Random(HighImage)";
    EXPECT_EQ(main.EnemiesLeft(), limit < 0 ? INT32_MIN : INT32_MAX) << "ten kinds' reserves";
    PlaceShip(0, 300);
    for (int tick = 0; tick < 300 && main.Globals.GameState == gsPlaying; ++tick)
      main.TimerEvent(0);
    hole.AdvanceLevel();
    EXPECT_EQ(starfish.Image, limit < 0 ? INT32_MIN : INT32_MAX);
  }
}

}  // namespace
}  // namespace quellix::testing
