// The board's games in PostgreSQL: for a board served by several instances at once.
// Each instance keeps a few connections; the schema steps are applied under an advisory
// lock, so instances starting together apply each step once.
#pragma once

#include <memory>
#include <string>

#include "vtBoardStore.h"

namespace quellix::board {

std::unique_ptr<IBoardStore> OpenPostgresStore(const std::string& url, int connections);

}  // namespace quellix::board
