// Every name by which the game asks the data for something: reels and scenes of the
// animation file, sounds of the sound archive and patterns of the pattern file. Game
// units form their names here, and the data checker asks the data for exactly this
// list, so a name cannot drift between the two. Parametrised families (an enemy's
// body variants, a ship's side and colour) are kept as data and expanded on demand.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {

struct TSceneName {
  std::string Reel;
  std::string Scene;
  bool operator==(const TSceneName&) const = default;
};

namespace reels {
constexpr std::string_view TitleScreen = "titlescreen";
constexpr std::string_view Player = "Player";
constexpr std::string_view Wave = "Wave";
constexpr std::string_view Shields = "Shields";
constexpr std::string_view Explosions = "Explosions";
constexpr std::string_view Text = "Text";
constexpr std::string_view Bonuses = "Bonuses";
constexpr std::string_view Shrapnel = "shrapnel";
constexpr std::string_view Holes = "Holes";
}  // namespace reels

// ---- The player ---------------------------------------------------------------

// The four sides in the order Left, Right, Top, Bottom.
constexpr std::array<std::string_view, 4> SideNames = {"Left", "Right", "Top", "Bottom"};
// The shield scene prefix of each side, in the same order.
constexpr std::array<std::string_view, 4> ShieldPrefixes = {"LShield", "RShield", "UShield",
                                                            "BShield"};
constexpr int32_t ShipColourCount = 4;     // ShipColour runs 1..4
constexpr int32_t ShieldVariantCount = 4;  // ShieldVariant runs 1..4
constexpr std::string_view GhostScene = "ghost";

// "Left3": reel Player, and the scene of a shot of any power.
std::string ShipScene(std::string_view side, int32_t colour);
// "Shots" at power 1, "MedShots" at 2..5, "largeShots" from 6 on.
std::string_view ShotReel(int32_t shotPower);
constexpr std::array<std::string_view, 3> ShotReels = {"Shots", "MedShots", "largeShots"};
// "UShield2" for the Top side.
std::string ShieldScene(std::string_view side, int32_t variant);

namespace scenes {
constexpr std::string_view HWave = "HWave";
constexpr std::string_view VWave = "VWave";
constexpr std::string_view Drip = "Drip";
constexpr std::string_view Ring = "ring1";
constexpr std::string_view LevelComplete = "LevelComplete";
constexpr std::string_view NextLevel = "NextLevel";
constexpr std::string_view GameOver = "gameover";
constexpr std::string_view Title = "title";
constexpr std::string_view Mouse = "mouse";
constexpr std::string_view On = "on";
constexpr std::string_view Off = "off";
}  // namespace scenes

// "exp1".."exp5": the hit sparks (and the ship explosion's carrier, "exp1").
constexpr int32_t SparkCount = 5;
std::string SparkScene(int32_t n);
constexpr int32_t ShrapnelCount = 5;
std::string ShrapnelScene(int32_t n);  // "shrapnel1".."shrapnel5"
constexpr std::array<std::string_view, 3> HoleScenes = {"GreenHole", "YellowHole", "RedHole"};
constexpr std::array<std::string_view, 7> ScorePopups = {"50",  "100", "300", "500",
                                                         "600", "700", "1000"};

// A bonus: its drifting pick-up scene and the banner shown when it is collected.
struct TBonusNames {
  std::string_view Pickup;
  std::string_view Banner;
};
// In the order of the bonus kinds 20 (shot), 21 (bomb), 22 (shield), 23 (extra ship).
constexpr std::array<TBonusNames, 4> BonusNames = {{{"shotpower", "bigshot"},
                                                    {"wavepower", "bigbomb"},
                                                    {"shieldpower", "bigshield"},
                                                    {"extralife", "bigextralife"}}};

// The title screen's zones, each with a "<zone>dim" and a "<zone>bright" scene.
constexpr std::array<std::string_view, 9> TitleZones = {
    "easy", "normal", "hard", "quit", "sound", "shrap", "childmode", "options", "replays"};
// The menus' background picture and the mark of a high-score row whose game is kept.
namespace scenes {
constexpr std::string_view Menu = "menu";
constexpr std::string_view GameMark = "gamemark";
}  // namespace scenes
std::string TitleZoneIdleScene(std::string_view zone);    // "easydim"
std::string TitleZoneBrightScene(std::string_view zone);  // "easybright"

// The sounds of the player's ships and weapons.
namespace sounds {
constexpr std::string_view PlayerShot = "player_shot.wav";
constexpr std::string_view WaveLaunch = "wave_launch.wav";
constexpr std::string_view Shields = "shields.wav";
constexpr std::string_view Bonus = "bonus1.wav";
constexpr std::string_view ShipExplosion = "exp2.wav";
constexpr std::string_view Explosion = "explosion.wav";
constexpr std::string_view Explosion82 = "explosion82.wav";
constexpr std::string_view Thud = "thud.wav";
constexpr std::string_view LevelComplete = "newendlevel.wav";
constexpr std::string_view Cheering = "cheering.wav";
}  // namespace sounds

// ---- Enemies -----------------------------------------------------------------

// The ten kinds, in the order in which the hole visits them.
enum class TEnemyKind : uint8_t {
  Spikers,
  Starfish,
  Castles,
  Spirals,
  Spikes,
  Squids,
  Bases,
  Azteks,
  Spinners,
  Flouds
};
constexpr int32_t EnemyKindCount = 10;

struct TEnemyNames {
  TEnemyKind Kind;
  std::string_view Group;        // configuration group
  std::string_view Reel;         // animation reel
  std::string_view ScenePrefix;  // body scene = prefix + Image
  std::string_view LaunchSound;
  std::string_view ShotPrefix;     // shot scene = prefix + Image; empty when it does not shoot
  std::string_view ShotSound;      // empty when it does not shoot
  std::string_view PatternPrefix;  // pattern = prefix + 1..3; empty when it flies none
};
const std::array<TEnemyNames, EnemyKindCount>& AllEnemyNames();
const TEnemyNames& EnemyNames(TEnemyKind kind);

std::string EnemyScene(TEnemyKind kind, int32_t image);
// Empty for a kind that does not shoot.
std::string EnemyShotScene(TEnemyKind kind, int32_t image);
// "spinner2": a kind's flight path, variant 1..PatternVariants; empty for a kind that
// flies none.
constexpr int32_t PatternVariants = 3;
std::string EnemyPattern(TEnemyKind kind, int32_t variant);
// The popup of a score, on reel Bonuses: the score in decimal ("500").
std::string ScorePopup(int32_t score);

namespace patterns {
constexpr std::string_view AztekShotOrbit = "circle_50";
constexpr std::string_view SquidSpiral = "spiral1";
}  // namespace patterns

// The title's three decorations: a body of the kind, by its scene name.
struct TTitleDecoration {
  TEnemyKind Kind;
  std::string_view Scene;
};
constexpr std::array<TTitleDecoration, 3> TitleDecorations = {{{TEnemyKind::Starfish, "Starfish1"},
                                                               {TEnemyKind::Castles, "Castle1"},
                                                               {TEnemyKind::Flouds, "floud1"}}};

// The variants a kind can show: Image = LowImage + Random(HighImage), and Random(N) is
// 0 for N below 1.
struct TImageRange {
  int32_t LowImage = 1;
  int32_t HighImage = 3;
  int32_t First() const { return LowImage; }
  int32_t Last() const { return LowImage + (HighImage > 1 ? HighImage - 1 : 0); }
};
// Indexed by TEnemyKind.
using TImageRanges = std::array<TImageRange, EnemyKindCount>;

// ---- What the data must hold ---------------------------------------------------

// Every (reel, scene) the game may ask for, given the image ranges of the kinds.
std::vector<TSceneName> RequiredScenes(const TImageRanges& ranges);
// Every sound the game plays.
std::vector<std::string_view> RequiredSounds();
// Every pattern the game follows.
std::vector<std::string> RequiredPatterns();

}  // namespace quellix
