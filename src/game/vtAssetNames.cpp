#include "game/vtAssetNames.h"

#include <stdexcept>

#include "graphics/vtNameIndex.h"

namespace quellix {

namespace {

constexpr std::array<TEnemyNames, EnemyKindCount> Enemies = {{
    {TEnemyKind::Spikers, "spikers", "Spikers", "spiker", "launch_spiker.wav", "", "", ""},
    {TEnemyKind::Starfish, "starfish", "Starfish", "Starfish", "starfish_launch.wav", "", "", ""},
    {TEnemyKind::Castles, "castles", "Castles", "castle", "castle_launch.wav", "", "", ""},
    {TEnemyKind::Spirals, "spirals", "Spirals", "Spiral", "spiral_launch.wav", "SpiralShot",
     "spirial_shot.wav", ""},
    {TEnemyKind::Spikes, "spikes", "Spikes", "Spike", "spike_launch.wav", "", "", "spiker"},
    {TEnemyKind::Squids, "squids", "Squids", "squid", "squid_launch.wav", "", "", ""},
    {TEnemyKind::Bases, "bases", "Bases", "base", "base_launch.wav", "", "", ""},
    {TEnemyKind::Azteks, "azteks", "azteks", "aztek", "aztek_launch.wav", "shot", "aztek_shot.wav",
     ""},
    {TEnemyKind::Spinners, "spinners", "Spinners", "Spinner", "spinner_launch.wav", "", "",
     "spinner"},
    {TEnemyKind::Flouds, "flouds", "Flouds", "floud", "floud_launch.wav", "shot", "floud_shot.wav",
     "floud"},
}};

// The sounds that are not tied to one enemy kind.
constexpr std::string_view GameSounds[] = {
    sounds::PlayerShot,    sounds::WaveLaunch, sounds::Shields,     sounds::Bonus,
    sounds::ShipExplosion, sounds::Explosion,  sounds::Explosion82, sounds::Thud,
    sounds::LevelComplete, sounds::Cheering};

// Patterns beside the kinds' own: the aztek shot's orbit and the squid's opening spiral.
constexpr std::string_view FixedPatterns[] = {patterns::AztekShotOrbit, patterns::SquidSpiral};

std::string Numbered(std::string_view prefix, int32_t n) {
  return std::string(prefix) + std::to_string(n);
}

void Add(std::vector<TSceneName>& out, std::string_view reel, std::string scene) {
  out.push_back({std::string(reel), std::move(scene)});
}

// Adds a name unless the list holds it already (as the animation engine compares).
void AddOnce(std::vector<TSceneName>& out, std::string_view reel, std::string scene) {
  for (const TSceneName& s : out)
    if (SameText(s.Reel, reel) && SameText(s.Scene, scene)) return;
  Add(out, reel, std::move(scene));
}

}  // namespace

std::string ShipScene(std::string_view side, int32_t colour) {
  return Numbered(side, colour);
}

std::string_view ShotReel(int32_t shotPower) {
  if (shotPower <= 1) return ShotReels[0];
  if (shotPower <= 5) return ShotReels[1];
  return ShotReels[2];
}

std::string ShieldScene(std::string_view side, int32_t variant) {
  for (size_t i = 0; i < SideNames.size(); ++i)
    if (SideNames[i] == side) return Numbered(ShieldPrefixes[i], variant);
  throw std::invalid_argument("no side named " + std::string(side));
}

std::string TitleZoneIdleScene(std::string_view zone) {
  return std::string(zone) + "dim";
}

std::string TitleZoneBrightScene(std::string_view zone) {
  return std::string(zone) + "bright";
}

std::string SparkScene(int32_t n) {
  return Numbered("exp", n);
}

std::string ShrapnelScene(int32_t n) {
  return Numbered("shrapnel", n);
}

const std::array<TEnemyNames, EnemyKindCount>& AllEnemyNames() {
  return Enemies;
}

const TEnemyNames& EnemyNames(TEnemyKind kind) {
  return Enemies.at(static_cast<size_t>(kind));
}

std::string EnemyScene(TEnemyKind kind, int32_t image) {
  return Numbered(EnemyNames(kind).ScenePrefix, image);
}

std::string EnemyShotScene(TEnemyKind kind, int32_t image) {
  const TEnemyNames& names = EnemyNames(kind);
  return names.ShotPrefix.empty() ? std::string() : Numbered(names.ShotPrefix, image);
}

std::string EnemyPattern(TEnemyKind kind, int32_t variant) {
  const TEnemyNames& names = EnemyNames(kind);
  return names.PatternPrefix.empty() ? std::string() : Numbered(names.PatternPrefix, variant);
}

std::string ScorePopup(int32_t score) {
  return std::to_string(score);
}

std::vector<TSceneName> RequiredScenes(const TImageRanges& ranges) {
  std::vector<TSceneName> out;
  Add(out, reels::TitleScreen, std::string(scenes::Title));
  Add(out, reels::TitleScreen, std::string(scenes::Mouse));
  Add(out, reels::TitleScreen, std::string(scenes::On));
  Add(out, reels::TitleScreen, std::string(scenes::Menu));
  Add(out, reels::TitleScreen, std::string(scenes::GameMark));
  Add(out, reels::TitleScreen, std::string(scenes::Off));
  for (std::string_view zone : TitleZones) {
    Add(out, reels::TitleScreen, TitleZoneIdleScene(zone));
    Add(out, reels::TitleScreen, TitleZoneBrightScene(zone));
  }

  for (std::string_view side : SideNames)
    for (int32_t colour = 1; colour <= ShipColourCount; ++colour) {
      Add(out, reels::Player, ShipScene(side, colour));
      for (std::string_view reel : ShotReels) Add(out, reel, ShipScene(side, colour));
    }
  Add(out, reels::Player, std::string(GhostScene));
  for (std::string_view side : SideNames)
    for (int32_t variant = 1; variant <= ShieldVariantCount; ++variant)
      Add(out, reels::Shields, ShieldScene(side, variant));
  for (std::string_view scene : {scenes::HWave, scenes::VWave, scenes::Drip})
    Add(out, reels::Wave, std::string(scene));

  for (int32_t n = 1; n <= SparkCount; ++n) Add(out, reels::Explosions, SparkScene(n));
  Add(out, reels::Explosions, std::string(scenes::Ring));
  for (std::string_view scene : {scenes::LevelComplete, scenes::NextLevel, scenes::GameOver})
    Add(out, reels::Text, std::string(scene));
  for (const TBonusNames& bonus : BonusNames) {
    Add(out, reels::Text, std::string(bonus.Pickup));
    Add(out, reels::Text, std::string(bonus.Banner));
  }
  for (std::string_view popup : ScorePopups) Add(out, reels::Bonuses, std::string(popup));
  for (int32_t n = 1; n <= ShrapnelCount; ++n) Add(out, reels::Shrapnel, ShrapnelScene(n));
  for (std::string_view hole : HoleScenes) Add(out, reels::Holes, std::string(hole));

  for (const TEnemyNames& enemy : Enemies) {
    const TImageRange range = ranges.at(static_cast<size_t>(enemy.Kind));
    for (int32_t image = range.First(); image <= range.Last(); ++image) {
      Add(out, enemy.Reel, EnemyScene(enemy.Kind, image));
      if (!enemy.ShotPrefix.empty()) Add(out, enemy.Reel, EnemyShotScene(enemy.Kind, image));
    }
  }
  // The title's decorations, whatever the kinds' ranges are.
  for (const TTitleDecoration& decoration : TitleDecorations)
    AddOnce(out, EnemyNames(decoration.Kind).Reel, std::string(decoration.Scene));
  return out;
}

std::vector<std::string_view> RequiredSounds() {
  std::vector<std::string_view> out(std::begin(GameSounds), std::end(GameSounds));
  for (const TEnemyNames& enemy : Enemies) {
    out.push_back(enemy.LaunchSound);
    if (!enemy.ShotSound.empty()) out.push_back(enemy.ShotSound);
  }
  return out;
}

std::vector<std::string> RequiredPatterns() {
  std::vector<std::string> out(std::begin(FixedPatterns), std::end(FixedPatterns));
  for (const TEnemyNames& enemy : Enemies)
    if (!enemy.PatternPrefix.empty())
      for (int32_t n = 1; n <= PatternVariants; ++n) out.push_back(EnemyPattern(enemy.Kind, n));
  return out;
}

}  // namespace quellix
