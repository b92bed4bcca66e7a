// quellix-board's command line, read by the option table of the game's own.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/vtOptionTable.h"
#include "vtBoardServer.h"

namespace quellix::board {

struct TBoardOptions {
  bool Help = false;
  // An SQLite file, or postgresql://... for PostgreSQL.
  std::string Db = "board.sqlite";
  // Connections to the database the board keeps open at most.
  int Connections = 8;
  // Copy every game of this board's database into --db, and end.
  std::string CopyFrom;
  TServerConfig Server;
};

// defaults.Server.DataDir is the data folder when --data is not given. Throws
// TUsageError on a wrong option.
TBoardOptions ParseBoardOptions(std::span<const std::string_view> args, TBoardOptions defaults);
std::string BoardUsage(std::string_view program);

}  // namespace quellix::board
