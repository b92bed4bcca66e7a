// Games a board takes, made by the simulator's skilled bot for the tests, the load and
// the benchmarks: the kept replay of a game that entered the default high-score table,
// through its name entry, as the game's board sharing sends it.
#pragma once

#include <cstdint>
#include <string>

#include "boardlink/vtBoardOutbox.h"
#include "vtBot.h"

namespace quellix::board {

// Plays a game of the skilled bot on the data in dataDir (with its trailing separator);
// throws std::runtime_error when the game does not enter the table.
TBoardGame RecordBoardGame(const std::string& dataDir, sim::TPlayMode mode, uint64_t seed);

// The same game with `name` typed instead: played alike, another game to the board.
// (The name window keeps what its rules allow of it.)
TBoardGame WithTypedName(const TBoardGame& game, const std::string& name);

}  // namespace quellix::board
