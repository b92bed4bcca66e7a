#include "vtBoardStore.h"

#include <charconv>
#include <ctime>

#include "shell/vtDataDigest.h"

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

uint64_t ParseDigest(const std::string& text) {
  uint64_t digest = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), digest, 16);
  return error == std::errc() && end == text.data() + text.size() && text.size() == 16 ? digest : 0;
}

int64_t CopyGames(IBoardStore& from, IBoardStore& to,
                  const std::function<void(int64_t)>& progress) {
  if (const int64_t there = to.Count(); there > 0)
    throw TStoreError("the board to copy into holds " + std::to_string(there) +
                      " games already; copy into an empty one");
  int64_t copied = 0;
  from.EachGame([&](const TNewGame& game) {
    if (!to.Add(game).Added)
      throw TStoreError("game " + DigestText(game.Digest) + " is there twice");
    if (++copied % 1000 == 0 && progress) progress(copied);
  });
  return copied;
}

}  // namespace quellix::board
