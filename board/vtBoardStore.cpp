#include "vtBoardStore.h"

#include <ctime>

#include "vtPostgresStore.h"
#include "vtSqliteStore.h"

namespace quellix::board {

std::unique_ptr<IBoardStore> OpenBoardStore(const std::string& db, int connections) {
  if (db.starts_with("postgresql://") || db.starts_with("postgres://"))
    return OpenPostgresStore(db, connections);
  return OpenSqliteStore(db, connections);
}

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

}  // namespace quellix::board
