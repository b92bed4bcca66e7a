#include "shell/vtGameStart.h"

#include "engine/vtEngine.h"
#include "graphics/vtStars.h"
#include "services/vtSound.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"

namespace quellix {

TGameStart CaptureGameStart(TfrmMain& main, TGame& game, TDifficulty difficulty) {
  const TGameGlobals& globals = main.Globals;
  TGameStart start;
  start.Difficulty = difficulty;
  start.SoundOn = globals.SoundOn;
  start.ShrapnelOn = globals.ShrapnelOn;
  start.ChildMode = globals.ChildMode;
  start.Random = main.Random().SaveState();
  start.EscapeRequest = globals.EscapeRequest;
  start.BombRequest = globals.BombRequest;
  start.FireRequest = globals.FireRequest;
  start.LeftButtonDown = globals.LeftButtonDown;
  start.RightButtonDown = globals.RightButtonDown;
  start.BombKey = main.BombKey();
  const TfrmPlayer& player = game.Player;
  start.ControlX = player.ControlX;
  start.ControlY = player.ControlY;
  start.FireCooldown = player.FireCooldown;
  start.ShotPowerTimer = player.ShotPowerTimer;
  start.ShieldVariant = player.ShieldVariant;
  start.StarWavelength = game.Hole.StarWavelength;
  if (Tvt6StarEngine* stars = game.Hole.Stars())
    for (int32_t i = 0; i < stars->StarCount(); ++i) {
      const Tvt6Star& s = stars->Star(i);
      if (!s.Dead)
        start.Stars.push_back(
            {s.X, s.Y, s.Width, s.Height, s.Color, s.SpeedX, s.SpeedY, s.TargetX, s.TargetY});
    }
  return start;
}

void RestoreGameStart(TfrmMain& main, TGame& game, const TGameStart& start) {
  TGameGlobals& globals = main.Globals;
  globals.SoundOn = start.SoundOn;
  globals.ShrapnelOn = start.ShrapnelOn;
  globals.ChildMode = start.ChildMode;
  main.MainEngine()->AudioEngine()->SetEnabled(start.SoundOn);
  main.Random().RestoreState(start.Random);
  globals.EscapeRequest = start.EscapeRequest;
  globals.BombRequest = start.BombRequest;
  globals.FireRequest = start.FireRequest;
  globals.LeftButtonDown = start.LeftButtonDown;
  globals.RightButtonDown = start.RightButtonDown;
  main.SetBombKey(start.BombKey);
  TfrmPlayer& player = game.Player;
  player.ControlX = start.ControlX;
  player.ControlY = start.ControlY;
  player.FireCooldown = start.FireCooldown;
  player.ShotPowerTimer = start.ShotPowerTimer;
  player.ShieldVariant = start.ShieldVariant;
  game.Hole.StarWavelength = start.StarWavelength;
  std::vector<Tvt6Star> stars;
  for (const TStarPlace& place : start.Stars) {
    Tvt6Star& star = stars.emplace_back();
    star.X = place.X;
    star.Y = place.Y;
    star.Width = place.Width;
    star.Height = place.Height;
    star.Color = place.Color;
    star.SpeedX = place.SpeedX;
    star.SpeedY = place.SpeedY;
    star.TargetX = place.TargetX;
    star.TargetY = place.TargetY;
  }
  game.Hole.PlaceStars(stars);
}

const char* DifficultyName(TDifficulty difficulty) {
  switch (difficulty) {
    case TDifficulty::Easy:
      return "easy";
    case TDifficulty::Hard:
      return "hard";
    case TDifficulty::Normal:
      break;
  }
  return "normal";
}

std::optional<TDifficulty> ParseDifficulty(std::string_view name) {
  for (const TDifficulty difficulty : {TDifficulty::Easy, TDifficulty::Normal, TDifficulty::Hard})
    if (name == DifficultyName(difficulty)) return difficulty;
  return std::nullopt;
}

}  // namespace quellix
