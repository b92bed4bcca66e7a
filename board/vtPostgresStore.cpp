#include "vtPostgresStore.h"

#include <pqxx/pqxx>

#include "shell/vtDataDigest.h"
#include "vtConnectionPool.h"
#include "vtSchema.h"

namespace quellix::board {

namespace {

// Any number, the same in every instance: the lock under which the schema is applied.
constexpr int64_t SchemaLock = 0x5175656c6c6978;
// Games read at a time when every game is read.
constexpr int64_t EachBatch = 100;

const char* const GameColumns =
    "SELECT id, difficulty, name, score, level, ticks, received FROM games ";

TStoredGame GameOf(const pqxx::row& row) {
  return {row[0].as<int64_t>(),     row[1].as<std::string>(),
          row[2].as<std::string>(), row[3].as<int32_t>(),
          row[4].as<int32_t>(),     row[5].as<int64_t>(),
          row[6].as<std::string>(), 0};
}

int64_t RankOf(pqxx::transaction_base& work, const TStoredGame& game) {
  return work.exec_params1(
                 "SELECT count(*) FROM games WHERE difficulty = $1 AND "
                 "(score > $2 OR (score = $2 AND id < $3))",
                 game.Difficulty, game.Score, game.Id)[0]
             .as<int64_t>() +
         1;
}

std::optional<TStoredGame> FindDigestIn(pqxx::transaction_base& work, uint64_t digest) {
  const pqxx::result found =
      work.exec_params(std::string(GameColumns) + "WHERE digest = $1", DigestText(digest));
  if (found.empty()) return std::nullopt;
  TStoredGame game = GameOf(found[0]);
  game.Rank = RankOf(work, game);
  return game;
}

void Migrate(pqxx::connection& connection) {
  pqxx::work work(connection);
  work.exec_params("SELECT pg_advisory_xact_lock($1)", SchemaLock);
  work.exec(
      "CREATE TABLE IF NOT EXISTS schema_versions (version INTEGER PRIMARY KEY, applied TEXT NOT "
      "NULL)");
  const int64_t current =
      work.exec1("SELECT coalesce(max(version), 0) FROM schema_versions")[0].as<int64_t>();
  for (const TSchemaStep& step : MissingSchemaSteps("postgresql", current)) {
    work.exec(std::string(step.Sql));
    work.exec_params("INSERT INTO schema_versions (version, applied) VALUES ($1, $2)", step.Version,
                     UtcNow());
  }
  work.commit();
}

// A connection with the reads prepared: a read is one round trip, parsed and planned once.
std::unique_ptr<pqxx::connection> Connect(const std::string& url) {
  try {
    auto connection = std::make_unique<pqxx::connection>(url);
    connection->prepare(
        "top", std::string(GameColumns) + "WHERE difficulty = $1 ORDER BY score DESC, id LIMIT $2");
    connection->prepare("replay", "SELECT body FROM replays WHERE game_id = $1");
    return connection;
  } catch (const std::exception& e) {
    throw TStoreError(std::string("cannot connect to PostgreSQL: ") + e.what());
  }
}

class TPostgresStore : public IBoardStore {
 private:
  template <class F>
  auto With(F&& work) {
    return fPool.With(std::forward<F>(work),
                      [](pqxx::connection& connection) { return !connection.is_open(); });
  }

  TConnectionPool<pqxx::connection> fPool;

 public:
  TPostgresStore(const std::string& url, int connections)
      : fPool([url] { return Connect(url); }, connections) {
    With([](pqxx::connection& connection) {
      Migrate(connection);
      return 0;
    });
  }

  TAddResult Add(const TNewGame& game) override {
    return With([&](pqxx::connection& connection) {
      pqxx::work work(connection);
      const pqxx::result inserted = work.exec_params(
          "INSERT INTO games (digest, difficulty, name, score, level, ticks, received, address) "
          "VALUES ($1, $2, $3, $4, $5, $6, $7, $8) ON CONFLICT (digest) DO NOTHING RETURNING id",
          DigestText(game.Digest), game.Difficulty, game.Name, game.Score, game.Level, game.Ticks,
          game.Received.empty() ? UtcNow() : game.Received, game.Address);
      TAddResult result;
      result.Added = !inserted.empty();
      if (result.Added)
        work.exec_params("INSERT INTO replays (game_id, body) VALUES ($1, $2)",
                         inserted[0][0].as<int64_t>(), pqxx::binarystring(game.Replay));
      result.Game = FindDigestIn(work, game.Digest).value();
      work.commit();
      return result;
    });
  }

  std::optional<TStoredGame> FindDigest(uint64_t digest) override {
    return With([&](pqxx::connection& connection) {
      pqxx::read_transaction work(connection);
      return FindDigestIn(work, digest);
    });
  }

  std::vector<TStoredGame> Top(const std::string& difficulty, int limit) override {
    return With([&](pqxx::connection& connection) {
      pqxx::nontransaction work(connection);
      std::vector<TStoredGame> games;
      for (const pqxx::row& row : work.exec_prepared("top", difficulty, limit)) {
        games.push_back(GameOf(row));
        games.back().Rank = static_cast<int64_t>(games.size());
      }
      return games;
    });
  }

  std::optional<std::string> Replay(int64_t id) override {
    return With([&](pqxx::connection& connection) -> std::optional<std::string> {
      pqxx::nontransaction work(connection);
      const pqxx::result found = work.exec_prepared("replay", id);
      if (found.empty()) return std::nullopt;
      return pqxx::binarystring(found[0][0]).str();
    });
  }

  void EachGame(const std::function<void(const TNewGame&)>& visit) override {
    for (int64_t after = 0;;) {
      const pqxx::result batch = With([&](pqxx::connection& connection) {
        pqxx::nontransaction work(connection);
        return work.exec_params(
            "SELECT g.id, g.digest, g.difficulty, g.name, g.score, g.level, g.ticks, g.address, "
            "r.body, g.received FROM games g JOIN replays r ON r.game_id = g.id WHERE g.id > $1 "
            "ORDER BY g.id LIMIT $2",
            after, EachBatch);
      });
      if (batch.empty()) return;
      for (const pqxx::row& row : batch)
        visit({ParseDigest(row[1].as<std::string>()), row[2].as<std::string>(),
               row[3].as<std::string>(), row[4].as<int32_t>(), row[5].as<int32_t>(),
               row[6].as<int64_t>(), row[7].as<std::string>(), pqxx::binarystring(row[8]).str(),
               row[9].as<std::string>()});
      after = batch.back()[0].as<int64_t>();
    }
  }

  int64_t Count() override {
    return With([](pqxx::connection& connection) {
      pqxx::nontransaction work(connection);
      return work.exec1("SELECT count(*) FROM games")[0].as<int64_t>();
    });
  }

  std::string Kind() const override { return "postgresql"; }
};

}  // namespace

std::unique_ptr<IBoardStore> OpenPostgresStore(const std::string& url, int connections) {
  return std::make_unique<TPostgresStore>(url, connections);
}

}  // namespace quellix::board
