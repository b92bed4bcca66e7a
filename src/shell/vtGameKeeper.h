// Keeps every game played: from the moment a game starts, what the main window gets
// (its events and every timer event's poll) is recorded, with where the game started
// from; when the game ends, the replay of that one game is written into the kept games
// (vtKeptGames.h). The main window feeds it; a replay of it plays the game again from its
// start, exactly, with no session before it.
#pragma once

#include <string>
#include <vector>

#include "shell/vtInputLog.h"
#include "shell/vtKeptGames.h"

namespace quellix {

class TGameKeeper {
 public:
  explicit TGameKeeper(TKeptGames games) : fGames(std::move(games)) {}

  TKeptGames& Games() { return fGames; }

  // A game has started from `start`; header holds the seed and the high-score table of
  // the session. Everything the main window gets from now on is the game's.
  void Begin(TReplay header, const TGameStart& start);
  bool Recording() const { return fRecording; }
  TInputLog& Log() { return fLog; }
  // The game has ended with the tick under way: its replay is kept (Recording() is false
  // from now on, however it goes). Answers the file; throws std::runtime_error when it
  // cannot be written.
  std::string End(int32_t score, int32_t level, bool enteredTable);

 private:
  TKeptGames fGames;
  TReplay fReplay;
  TInputLog fLog;
  bool fRecording = false;
};

}  // namespace quellix
