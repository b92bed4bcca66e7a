// Keeps every game played: from the moment a game starts, what the main window gets
// (its events and every timer event's poll) is recorded, with where the game started
// from; when the game ends, the replay of that one game is written into the kept games
// (vtKeptGames.h). The main window feeds it; a replay of it plays the game again from its
// start, exactly, with no session before it. A game whose score entered the table can be
// followed on through its name entry too: that longer replay, which plays the name
// entry (the option "entry=1"), is what a shared board is sent, so that it learns the
// name by playing the game as it learns the score.
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
  // The game is under way.
  bool Recording() const { return fRecording; }
  // What the main window gets goes into Log(): the game, or its name entry.
  bool Logging() const { return fRecording || fNameEntry; }
  TInputLog& Log() { return fLog; }
  // The game has ended with the tick under way: its replay is kept (Recording() is false
  // from now on, however it goes). With throughNameEntry the log goes on through the
  // name entry that follows, until EndNameEntry. Answers the file; throws
  // std::runtime_error when it cannot be written.
  std::string End(int32_t score, int32_t level, bool enteredTable, bool throughNameEntry = false);
  bool InNameEntry() const { return fNameEntry; }
  // The name entry has ended: the game's replay through it.
  TReplay EndNameEntry();

 private:
  TKeptGames fGames;
  TReplay fReplay;
  TInputLog fLog;
  bool fRecording = false;
  bool fNameEntry = false;
};

}  // namespace quellix
