// Proving a game: the board plays the game sent (the replay of one game, through its
// name entry) on the game's own rules, on the simulator's headless back end, as fast as
// the computer allows. What the game came to is what playing it gave, never what the
// sender says: the mode, the score, the level and the name typed. The replay must play
// in step to its end, and end with a score entered in the high-score table it recorded
// (the name window closed with Enter); that entry is the game the board takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/vtReplayFile.h"

namespace quellix::board {

// The longest name the board keeps, in characters. The game's own table keeps names of
// any length; the board's pages and its table have room for this many.
inline constexpr size_t MaxBoardName = 32;

// The name typed as the board keeps it: printable characters only, the blanks at either
// end removed. Throws TRefusal (422) for a blank name or one longer than MaxBoardName.
std::string BoardName(std::string_view typed);

struct TCheckedGame {
  std::string Mode;  // "child", "easy", "normal" or "hard"
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  // Of the game, through its name entry.
  int64_t Ticks = 0;
};

// Plays the replay on the data in dataDir (with its trailing separator); throws
// TRefusal (422) when it does not come to a game the board can take: out of step, not
// ending with a score entered, or a name the board does not keep (BoardName).
TCheckedGame CheckGame(TReplay replay, const std::string& dataDir);

}  // namespace quellix::board
