// Where the board keeps its games: one small interface, two back ends. SQLite is the
// embedded default (a file, nothing else to start); PostgreSQL serves a board run by
// several instances at once. Opening a store applies the schema steps its database
// lacks (vtSchema.h). A game and its replay are stored in one transaction: a game that
// is there is whole. Every operation may be called from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quellix::board {

struct TNewGame {
  uint64_t Digest = 0;
  std::string Difficulty;
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  int64_t Ticks = 0;
  std::string Address;  // who sent it
  std::string Replay;   // the file's text
};

struct TStoredGame {
  int64_t Id = 0;
  std::string Difficulty;
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  int64_t Ticks = 0;
  std::string Received;  // UTC, "2024-05-01T12:00:00Z"
  // Place in its difficulty's table, from 1: by score, and an equal score below the
  // one taken earlier.
  int64_t Rank = 0;
};

struct TAddResult {
  bool Added = false;
  // The game added, or the one already kept with the same digest.
  TStoredGame Game;
};

// A failure of the database (not of a game).
class TStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IBoardStore {
 public:
  virtual ~IBoardStore() = default;
  virtual TAddResult Add(const TNewGame& game) = 0;
  virtual std::optional<TStoredGame> FindDigest(uint64_t digest) = 0;
  // The best `limit` games of a difficulty, best first.
  virtual std::vector<TStoredGame> Top(const std::string& difficulty, int limit) = 0;
  virtual std::optional<std::string> Replay(int64_t id) = 0;
  virtual int64_t Count() = 0;
  // "sqlite" or "postgresql".
  virtual std::string Kind() const = 0;
};

// "postgresql://..." or "postgres://..." opens PostgreSQL, anything else is an SQLite
// file. connections: how many the store keeps open at most. Throws TStoreError when
// the database cannot be opened or its schema is newer than this program's.
std::unique_ptr<IBoardStore> OpenBoardStore(const std::string& db, int connections);

// Now in UTC, as TStoredGame::Received.
std::string UtcNow();

}  // namespace quellix::board
