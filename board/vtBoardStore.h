// Where the board keeps its games: one small interface, two back ends. SQLite is the
// embedded default (a file, nothing else to start); PostgreSQL serves a board run by
// several instances at once. Opening a store applies the schema steps its database
// lacks (vtSchema.h). A game and its replay are stored in one transaction: a game that
// is there is whole. Every operation may be called from any thread.
#pragma once

#include <cstdint>
#include <functional>
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
  // UTC, as TStoredGame::Received; empty: now.
  std::string Received;
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
  // Every game with its replay, in the order they were taken, a batch at a time.
  virtual void EachGame(const std::function<void(const TNewGame&)>& visit) = 0;
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
// A digest as the stores keep it (16 hexadecimal digits); 0 for anything else.
uint64_t ParseDigest(const std::string& text);

// Copies every game of `from` into `to`, which must hold none, in the order they were
// taken (so ranks stay as they were); progress gets the count every thousand games.
// Returns the games copied; throws TStoreError when `to` is not empty.
int64_t CopyGames(IBoardStore& from, IBoardStore& to,
                  const std::function<void(int64_t)>& progress = {});

}  // namespace quellix::board
