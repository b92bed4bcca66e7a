// The name list against names written out by hand from the game's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/vtAssetNames.h"
#include "graphics/vtNameIndex.h"

namespace quellix {
namespace {

bool Holds(const std::vector<TSceneName>& scenes, std::string_view reel, std::string_view scene) {
  return std::any_of(scenes.begin(), scenes.end(), [&](const TSceneName& s) {
    return SameText(s.Reel, reel) && SameText(s.Scene, scene);
  });
}

TImageRanges Ranges(int32_t low, int32_t high) {
  TImageRanges ranges;
  ranges.fill({low, high});
  return ranges;
}

TEST(AssetNames, FormsTheNamesTheGameUses) {
  EXPECT_EQ(ShipScene("Top", 2), "Top2");
  EXPECT_EQ(ShotReel(1), "Shots");
  EXPECT_EQ(ShotReel(2), "MedShots");
  EXPECT_EQ(ShotReel(5), "MedShots");
  EXPECT_EQ(ShotReel(6), "largeShots");
  EXPECT_EQ(ShotReel(9), "largeShots");
  EXPECT_EQ(ShieldScene("Left", 1), "LShield1");
  EXPECT_EQ(ShieldScene("Top", 2), "UShield2");
  EXPECT_EQ(ShieldScene("Right", 3), "RShield3");
  EXPECT_EQ(ShieldScene("Bottom", 4), "BShield4");
  EXPECT_THROW(ShieldScene("Middle", 1), std::invalid_argument);
  EXPECT_EQ(EnemyScene(TEnemyKind::Castles, 3), "castle3");
  EXPECT_EQ(EnemyScene(TEnemyKind::Spirals, 1), "Spiral1");
  EXPECT_EQ(EnemyShotScene(TEnemyKind::Spirals, 2), "SpiralShot2");
  EXPECT_EQ(EnemyShotScene(TEnemyKind::Azteks, 1), "shot1");
  EXPECT_EQ(EnemyShotScene(TEnemyKind::Starfish, 1), "");
  EXPECT_EQ(SparkScene(5), "exp5");
  EXPECT_EQ(ShrapnelScene(1), "shrapnel1");
  EXPECT_EQ(EnemyNames(TEnemyKind::Spikes).PatternPrefix, "spiker");
  EXPECT_EQ(EnemyNames(TEnemyKind::Spikers).LaunchSound, "launch_spiker.wav");
}

TEST(AssetNames, RequiredScenesHoldEveryFamily) {
  const std::vector<TSceneName> scenes = RequiredScenes(Ranges(1, 3));
  const std::pair<const char*, const char*> byHand[] = {
      {"titlescreen", "title"},   {"titlescreen", "mouse"},    {"titlescreen", "off"},
      {"titlescreen", "easydim"}, {"titlescreen", "shrapdim"}, {"titlescreen", "childmodebright"},
      {"Starfish", "Starfish1"},  {"Castles", "Castle1"},      {"Flouds", "floud1"},
      {"Player", "Left1"},        {"Player", "Bottom4"},       {"Player", "ghost"},
      {"Shots", "Top1"},          {"MedShots", "Right3"},      {"largeShots", "Bottom4"},
      {"Wave", "HWave"},          {"Wave", "VWave"},           {"Wave", "Drip"},
      {"Shields", "LShield1"},    {"Shields", "BShield4"},     {"Explosions", "exp1"},
      {"Explosions", "ring1"},    {"Text", "LevelComplete"},   {"Text", "NextLevel"},
      {"Text", "gameover"},       {"Text", "shotpower"},       {"Text", "extralife"},
      {"Text", "bigshield"},      {"Bonuses", "50"},           {"Bonuses", "1000"},
      {"shrapnel", "shrapnel5"},  {"Holes", "GreenHole"},      {"Holes", "RedHole"},
      {"Spikers", "spiker2"},     {"Spirals", "Spiral3"},      {"Spirals", "SpiralShot3"},
      {"azteks", "aztek1"},       {"azteks", "shot2"},         {"Squids", "squid3"},
      {"Flouds", "shot3"},        {"Spinners", "Spinner2"},    {"Spikes", "Spike1"},
      {"Bases", "base3"}};
  for (const auto& [reel, scene] : byHand)
    EXPECT_TRUE(Holds(scenes, reel, scene)) << reel << "/" << scene;

  // Nothing twice, comparing as the animation engine does, without letter case.
  std::set<std::string> seen;
  for (const TSceneName& s : scenes)
    EXPECT_TRUE(seen.insert(LowerCase(s.Reel + "/" + s.Scene)).second) << s.Reel << "/" << s.Scene;
}

TEST(AssetNames, EnemyVariantsFollowTheImageRanges) {
  // HighImage 0 or 1 always gives LowImage.
  std::vector<TSceneName> scenes = RequiredScenes(Ranges(2, 0));
  EXPECT_TRUE(Holds(scenes, "Squids", "squid2"));
  EXPECT_FALSE(Holds(scenes, "Squids", "squid1"));
  EXPECT_FALSE(Holds(scenes, "Squids", "squid3"));
  EXPECT_TRUE(Holds(scenes, "azteks", "shot2"));
  EXPECT_FALSE(Holds(scenes, "azteks", "shot1"));
  // The title's decorations are needed whatever the ranges are.
  EXPECT_TRUE(Holds(scenes, "Starfish", "Starfish1"));

  scenes = RequiredScenes(Ranges(1, 4));
  EXPECT_TRUE(Holds(scenes, "Bases", "base4"));
  EXPECT_TRUE(Holds(scenes, "Spirals", "SpiralShot4"));
  EXPECT_FALSE(Holds(scenes, "Bases", "base5"));
}

TEST(AssetNames, SoundsAndPatterns) {
  const std::vector<std::string_view> sounds = RequiredSounds();
  EXPECT_EQ(sounds.size(), 23u);
  for (std::string_view name : {"player_shot.wav",   "wave_launch.wav",    "shields.wav",
                                "bonus1.wav",        "exp2.wav",           "explosion.wav",
                                "explosion82.wav",   "thud.wav",           "starfish_launch.wav",
                                "spiral_launch.wav", "spike_launch.wav",   "castle_launch.wav",
                                "launch_spiker.wav", "spinner_launch.wav", "floud_launch.wav",
                                "aztek_launch.wav",  "squid_launch.wav",   "base_launch.wav",
                                "spirial_shot.wav",  "floud_shot.wav",     "aztek_shot.wav",
                                "newendlevel.wav",   "cheering.wav"})
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), name), sounds.end()) << name;

  std::vector<std::string> patterns = RequiredPatterns();
  std::sort(patterns.begin(), patterns.end());
  const std::vector<std::string> expected = {"circle_50", "floud1",   "floud2",  "floud3",
                                             "spiker1",   "spiker2",  "spiker3", "spinner1",
                                             "spinner2",  "spinner3", "spiral1"};
  EXPECT_EQ(patterns, expected);
}

}  // namespace
}  // namespace quellix
