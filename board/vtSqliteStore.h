// The board's games in an SQLite file: write-ahead logging, every commit synced to disk
// before the game is acknowledged, a connection per thread at work (readers never wait
// for the writer), writers one at a time.
#pragma once

#include <memory>
#include <string>

#include "vtBoardStore.h"

namespace quellix::board {

std::unique_ptr<IBoardStore> OpenSqliteStore(const std::string& path, int connections);

}  // namespace quellix::board
