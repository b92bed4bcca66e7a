#include "vtSqliteStore.h"

#include <sqlite3.h>

#include <map>

#include "shell/vtDataDigest.h"
#include "vtConnectionPool.h"
#include "vtSchema.h"

namespace quellix::board {

namespace {

constexpr int BusyMilliseconds = 10'000;
// Games read at a time when every game is read.
constexpr int64_t EachBatch = 100;

// One connection with its prepared statements.
class TSqlite {
 public:
  explicit TSqlite(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &fDb, flags, nullptr) != SQLITE_OK) {
      const std::string why = fDb ? sqlite3_errmsg(fDb) : "out of memory";
      sqlite3_close(fDb);
      throw TStoreError("cannot open the database " + path + ": " + why);
    }
    sqlite3_busy_timeout(fDb, BusyMilliseconds);
    Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
  }
  ~TSqlite() {
    for (auto& [sql, statement] : fStatements) sqlite3_finalize(statement);
    sqlite3_close(fDb);
  }
  TSqlite(const TSqlite&) = delete;
  TSqlite& operator=(const TSqlite&) = delete;

  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(fDb, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string why = error ? error : sqlite3_errmsg(fDb);
      sqlite3_free(error);
      throw TStoreError("SQLite: " + why);
    }
  }

  // A statement ready for its values: prepared once per connection, reset on each use.
  class TQuery {
   public:
    TQuery(TSqlite& db, sqlite3_stmt* statement) : fDb(db), fStatement(statement) {}
    ~TQuery() {
      sqlite3_reset(fStatement);
      sqlite3_clear_bindings(fStatement);
    }
    TQuery& Bind(const std::string& text) {
      Check(sqlite3_bind_text(fStatement, ++fIndex, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT));
      return *this;
    }
    TQuery& BindBlob(const std::string& bytes) {
      Check(sqlite3_bind_blob(fStatement, ++fIndex, bytes.data(), static_cast<int>(bytes.size()),
                              SQLITE_TRANSIENT));
      return *this;
    }
    TQuery& Bind(int64_t value) {
      Check(sqlite3_bind_int64(fStatement, ++fIndex, value));
      return *this;
    }
    // True while a row is there.
    bool Step() {
      const int result = sqlite3_step(fStatement);
      if (result == SQLITE_ROW) return true;
      if (result != SQLITE_DONE) Check(result);
      return false;
    }
    int64_t Int(int column) const { return sqlite3_column_int64(fStatement, column); }
    std::string Text(int column) const {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(fStatement, column));
      return bytes ? std::string(bytes, sqlite3_column_bytes(fStatement, column)) : std::string();
    }

   private:
    void Check(int result) const {
      if (result != SQLITE_OK) throw TStoreError(std::string("SQLite: ") + sqlite3_errmsg(fDb.fDb));
    }
    TSqlite& fDb;
    sqlite3_stmt* fStatement;
    int fIndex = 0;
  };

  TQuery Query(const std::string& sql) {
    sqlite3_stmt*& statement = fStatements[sql];
    if (!statement && sqlite3_prepare_v2(fDb, sql.c_str(), static_cast<int>(sql.size()), &statement,
                                         nullptr) != SQLITE_OK)
      throw TStoreError(std::string("SQLite: ") + sqlite3_errmsg(fDb));
    return TQuery(*this, statement);
  }

  int64_t LastId() const { return sqlite3_last_insert_rowid(fDb); }
  int Changes() const { return sqlite3_changes(fDb); }

 private:
  sqlite3* fDb = nullptr;
  std::map<std::string, sqlite3_stmt*> fStatements;
};

// A transaction rolled back unless committed.
class TTransaction {
 public:
  explicit TTransaction(TSqlite& db) : fDb(db) { fDb.Exec("BEGIN IMMEDIATE"); }
  ~TTransaction() {
    if (!fDone) {
      try {
        fDb.Exec("ROLLBACK");
      } catch (const std::exception&) {
        // The connection is dropped by then or the transaction was gone.
      }
    }
  }
  void Commit() {
    fDb.Exec("COMMIT");
    fDone = true;
  }

 private:
  TSqlite& fDb;
  bool fDone = false;
};

const char* const GameColumns =
    "SELECT id, difficulty, name, score, level, ticks, received FROM games ";

TStoredGame GameOf(const TSqlite::TQuery& row) {
  return {row.Int(0),
          row.Text(1),
          row.Text(2),
          static_cast<int32_t>(row.Int(3)),
          static_cast<int32_t>(row.Int(4)),
          row.Int(5),
          row.Text(6),
          0};
}

int64_t RankOf(TSqlite& db, const TStoredGame& game) {
  TSqlite::TQuery rank = db.Query(
      "SELECT count(*) FROM games WHERE difficulty = ? AND (score > ? OR (score = ? AND id < ?))");
  rank.Bind(game.Difficulty).Bind(game.Score).Bind(game.Score).Bind(game.Id);
  rank.Step();
  return rank.Int(0) + 1;
}

std::optional<TStoredGame> FindDigestIn(TSqlite& db, uint64_t digest) {
  std::optional<TStoredGame> game;
  {
    TSqlite::TQuery query = db.Query(std::string(GameColumns) + "WHERE digest = ?");
    query.Bind(DigestText(digest));
    if (query.Step()) game = GameOf(query);
  }
  if (game) game->Rank = RankOf(db, *game);
  return game;
}

void Migrate(TSqlite& db) {
  TTransaction transaction(db);
  db.Exec(
      "CREATE TABLE IF NOT EXISTS schema_versions (version INTEGER PRIMARY KEY, applied TEXT NOT "
      "NULL)");
  int64_t current = 0;
  {
    TSqlite::TQuery query = db.Query("SELECT coalesce(max(version), 0) FROM schema_versions");
    query.Step();
    current = query.Int(0);
  }
  for (const TSchemaStep& step : MissingSchemaSteps("sqlite", current)) {
    db.Exec(std::string(step.Sql));
    db.Query("INSERT INTO schema_versions (version, applied) VALUES (?, ?)")
        .Bind(step.Version)
        .Bind(UtcNow())
        .Step();
  }
  transaction.Commit();
}

class TSqliteStore : public IBoardStore {
 private:
  template <class F>
  auto With(F&& work) {
    // An SQLite connection does not break; a failed statement leaves it usable.
    return fPool.With(std::forward<F>(work), [](TSqlite&) { return false; });
  }

  TConnectionPool<TSqlite> fPool;

 public:
  TSqliteStore(const std::string& path, int connections)
      : fPool([path] { return std::make_unique<TSqlite>(path); }, connections) {
    With([](TSqlite& db) {
      Migrate(db);
      return 0;
    });
  }

  TAddResult Add(const TNewGame& game) override {
    return With([&](TSqlite& db) {
      TTransaction transaction(db);
      db.Query(
            "INSERT INTO games (digest, difficulty, name, score, level, ticks, received, address) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (digest) DO NOTHING")
          .Bind(DigestText(game.Digest))
          .Bind(game.Difficulty)
          .Bind(game.Name)
          .Bind(game.Score)
          .Bind(game.Level)
          .Bind(game.Ticks)
          .Bind(game.Received.empty() ? UtcNow() : game.Received)
          .Bind(game.Address)
          .Step();
      TAddResult result;
      result.Added = db.Changes() == 1;
      if (result.Added)
        db.Query("INSERT INTO replays (game_id, body) VALUES (?, ?)")
            .Bind(db.LastId())
            .BindBlob(game.Replay)
            .Step();
      result.Game = FindDigestIn(db, game.Digest).value();
      transaction.Commit();
      return result;
    });
  }

  std::optional<TStoredGame> FindDigest(uint64_t digest) override {
    return With([&](TSqlite& db) { return FindDigestIn(db, digest); });
  }

  std::vector<TStoredGame> Top(const std::string& difficulty, int limit) override {
    return With([&](TSqlite& db) {
      std::vector<TStoredGame> games;
      TSqlite::TQuery query = db.Query(std::string(GameColumns) +
                                       "WHERE difficulty = ? ORDER BY score DESC, id LIMIT ?");
      query.Bind(difficulty).Bind(limit);
      while (query.Step()) {
        games.push_back(GameOf(query));
        games.back().Rank = static_cast<int64_t>(games.size());
      }
      return games;
    });
  }

  std::optional<std::string> Replay(int64_t id) override {
    return With([&](TSqlite& db) -> std::optional<std::string> {
      TSqlite::TQuery query = db.Query("SELECT body FROM replays WHERE game_id = ?");
      query.Bind(id);
      if (!query.Step()) return std::nullopt;
      return query.Text(0);
    });
  }

  void EachGame(const std::function<void(const TNewGame&)>& visit) override {
    for (int64_t after = 0;;) {
      const std::vector<std::pair<int64_t, TNewGame>> batch = With([&](TSqlite& db) {
        std::vector<std::pair<int64_t, TNewGame>> games;
        TSqlite::TQuery query = db.Query(
            "SELECT g.id, g.digest, g.difficulty, g.name, g.score, g.level, g.ticks, g.address, "
            "r.body, g.received FROM games g JOIN replays r ON r.game_id = g.id WHERE g.id > ? "
            "ORDER BY g.id LIMIT ?");
        query.Bind(after).Bind(EachBatch);
        while (query.Step())
          games.emplace_back(
              query.Int(0),
              TNewGame{ParseDigest(query.Text(1)), query.Text(2), query.Text(3),
                       static_cast<int32_t>(query.Int(4)), static_cast<int32_t>(query.Int(5)),
                       query.Int(6), query.Text(7), query.Text(8), query.Text(9)});
        return games;
      });
      if (batch.empty()) return;
      for (const auto& [id, game] : batch) visit(game);
      after = batch.back().first;
    }
  }

  int64_t Count() override {
    return With([](TSqlite& db) {
      TSqlite::TQuery query = db.Query("SELECT count(*) FROM games");
      query.Step();
      return query.Int(0);
    });
  }

  std::string Kind() const override { return "sqlite"; }
};

}  // namespace

std::unique_ptr<IBoardStore> OpenSqliteStore(const std::string& path, int connections) {
  return std::make_unique<TSqliteStore>(path, connections);
}

}  // namespace quellix::board
