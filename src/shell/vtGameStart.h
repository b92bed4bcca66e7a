// Where a game starts from: everything a game reads that it did not set up itself when
// it was started from the title. The difficulty and the title's switches, where the
// random generator stood, the requests and buttons the tick before left behind, the
// bomb key, the player's values a new game does not reset (the control point, the fire
// and shot-power timers, the shields' look), and the stars still falling into the hole.
// A replay of one game (docs/replays.md) holds it; a main window given it starts that
// game at once, in the state the game was started in, and plays on as it did.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/vtRandom.h"
#include "game/vtGameUnits.h"
#include "graphics/vtMedia.h"

namespace quellix {

class TfrmMain;
class TGame;

struct TStarPlace {
  int32_t X = 0, Y = 0, Width = 1, Height = 1;
  TColor Color = 0;
  int32_t SpeedX = 0, SpeedY = 0, TargetX = 0, TargetY = 0;
  bool operator==(const TStarPlace&) const = default;
};

struct TGameStart {
  static constexpr size_t MaxStars = 100000;

  TDifficulty Difficulty = TDifficulty::Normal;
  bool SoundOn = true, ShrapnelOn = true, ChildMode = false;
  TRandomState Random;
  bool EscapeRequest = false, BombRequest = false, FireRequest = false;
  bool LeftButtonDown = false, RightButtonDown = false;
  int32_t BombKey = 32;
  int32_t ControlX = 400, ControlY = 300;
  int32_t FireCooldown = 0, ShotPowerTimer = 0, ShieldVariant = 1;
  int32_t StarWavelength = 0;
  std::vector<TStarPlace> Stars;
  bool operator==(const TGameStart&) const = default;
};

// The state a game of that difficulty is about to start from (before the hole's
// StartGame).
TGameStart CaptureGameStart(TfrmMain& main, TGame& game, TDifficulty difficulty);
// Puts the state back; the caller then starts the game at its difficulty.
void RestoreGameStart(TfrmMain& main, TGame& game, const TGameStart& start);

// "easy", "normal" or "hard", and back; none for any other word.
const char* DifficultyName(TDifficulty difficulty);
std::optional<TDifficulty> ParseDifficulty(std::string_view name);

}  // namespace quellix
