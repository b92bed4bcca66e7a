// Proving a game: the board plays the session sent on the game's own rules, on the
// simulator's headless back end, as fast as the computer allows. What the game came to
// is what playing it gave, never what the sender says: the mode, the score, the level
// and the name typed. The session must play in step to its end, and end with a score
// entered in the high-score table (the name window closed with Enter); that entry is
// the game the board takes.
#pragma once

#include <cstdint>
#include <string>

#include "shell/vtReplayFile.h"

namespace quellix::board {

struct TCheckedGame {
  std::string Mode;  // "child", "easy", "normal" or "hard"
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  // Of the whole session.
  int64_t Ticks = 0;
};

// Plays the replay on the data in dataDir (with its trailing separator); throws
// TRefusal (422) when it does not come to a game the board can take: out of step, not
// ending with a score entered, or a name the table would not keep.
TCheckedGame CheckGame(TReplay replay, const std::string& dataDir);

}  // namespace quellix::board
