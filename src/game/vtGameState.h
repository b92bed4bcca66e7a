// The game's states and the flags that key and mouse events set for the next tick.
#pragma once

#include <cstdint>

namespace quellix {

// One byte; values without a name (2, 5, 8, ...) have no handler: a tick in them only
// polls input.
enum TGameState : uint8_t {
  gsLoading = 0,
  gsTitle = 1,
  gsLevelComplete = 3,
  gsPlaying = 4,
  gsNextLevel = 6,
  gsGameOver = 7,
  gsEnterHighScore = 9,
  gsShowHighScores = 10,
  // The menus of the title and the watching of a kept game.
  gsOptions = 11,
  gsReplays = 12,
  gsWatchReplay = 13,
};

// The values the game units share. Their host keeps them (the main window), never at
// namespace scope, so every game is built fresh.
struct TGameGlobals {
  TGameState GameState = gsLoading;

  // Input flags: events set them, ticks read and consume them.
  bool Paused = false;
  bool EscapeRequest = false;
  bool BombRequest = false;
  bool FireRequest = false;
  bool LeftButtonDown = false;
  bool LeftButtonReleased = false;
  bool RightButtonDown = false;
  bool QuitRequest = false;

  // Ticks of the high-score display and of the title's attract timer.
  int32_t ScreenTimer = 0;

  // Title screen options; start-up sets them, they are never saved.
  bool ShrapnelOn = true;
  bool SoundOn = true;
  bool ChildMode = false;

  // Player values shown and read by the game loop.
  int32_t Score = 0;
  int32_t Level = 1;
  int32_t SpareShips = 0;
};

}  // namespace quellix
