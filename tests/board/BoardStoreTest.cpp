// Both stores behind the one interface: the schema applied once however many instances
// open the database together and a newer one refused, a game and its replay kept whole,
// ranks with ties, the same digest stored once however many add it at once.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <pqxx/pqxx>

#include <future>
#include <vector>

#include "BoardTestKit.h"

namespace quellix::testing {
namespace {

using board::TNewGame;

class BoardStore : public ::testing::TestWithParam<TBackEnd> {
 protected:
  TTestDatabase database{GetParam()};

  // Runs SQL on the database behind the store's back.
  void Execute(const std::string& sql) {
    if (GetParam() == TBackEnd::Postgres) {
      pqxx::connection connection(database.Db());
      pqxx::nontransaction(connection).exec(sql);
      return;
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.Db().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
};

TNewGame Game(uint64_t digest, const std::string& difficulty, int32_t score) {
  return {digest, difficulty,  "Player " + std::to_string(digest), score, 3,
          1000,   "127.0.0.1", "replay " + std::to_string(digest)};
}

TEST_P(BoardStore, InstancesOpeningTogetherApplyTheSchemaOnceAndANewerOneIsRefused) {
  std::vector<std::future<int64_t>> opened;
  for (int i = 0; i < 4; ++i)
    opened.push_back(std::async(std::launch::async,
                                [&] { return board::OpenBoardStore(database.Db(), 2)->Count(); }));
  for (auto& count : opened) EXPECT_EQ(count.get(), 0);
  {
    auto store = board::OpenBoardStore(database.Db(), 2);
    EXPECT_TRUE(store->Add(Game(1, "easy", 100)).Added);
    EXPECT_EQ(store->Kind(), BackEndName(GetParam()));
  }
  // Opening again applies nothing and keeps what is there.
  EXPECT_EQ(board::OpenBoardStore(database.Db(), 2)->Count(), 1);
  Execute("INSERT INTO schema_versions (version, applied) VALUES (999, 'later')");
  try {
    board::OpenBoardStore(database.Db(), 2);
    ADD_FAILURE() << "a database of a later schema was opened";
  } catch (const board::TStoreError& e) {
    EXPECT_NE(std::string(e.what()).find("version 999, newer than this program's 1"),
              std::string::npos)
        << e.what();
  }
}

TEST_P(BoardStore, GamesRankByScoreWithinTheirDifficultyAnEqualScoreBelow) {
  auto store = board::OpenBoardStore(database.Db(), 2);
  store->Add(Game(1, "normal", 500));
  store->Add(Game(2, "normal", 900));
  store->Add(Game(3, "hard", 100));
  const board::TAddResult tie = store->Add(Game(4, "normal", 500));
  EXPECT_EQ(tie.Game.Rank, 3);
  const std::vector<board::TStoredGame> top = store->Top("normal", 10);
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0].Name, "Player 2");
  EXPECT_EQ(top[1].Name, "Player 1");
  EXPECT_EQ(top[2].Name, "Player 4");
  EXPECT_EQ(top[2].Rank, 3);
  EXPECT_EQ(store->Top("normal", 1).size(), 1u);
  EXPECT_EQ(store->Top("hard", 10).at(0).Rank, 1);
  EXPECT_TRUE(store->Top("child", 10).empty());
  EXPECT_EQ(store->FindDigest(1)->Rank, 2);
  EXPECT_FALSE(store->FindDigest(77));
  EXPECT_EQ(store->Count(), 4);
}

TEST_P(BoardStore, AReplayComesBackByteForByte) {
  auto store = board::OpenBoardStore(database.Db(), 2);
  TNewGame game = Game(5, "easy", 1);
  game.Replay = std::string("a\0b\xff\r\n", 6) + BoardGame().Replay;
  const board::TAddResult added = store->Add(game);
  EXPECT_EQ(store->Replay(added.Game.Id), game.Replay);
  EXPECT_FALSE(store->Replay(added.Game.Id + 1));
}

TEST_P(BoardStore, TheSameGameAddedAtOnceFromManyThreadsIsKeptOnce) {
  auto store = board::OpenBoardStore(database.Db(), 4);
  std::vector<std::future<board::TAddResult>> adds;
  for (int i = 0; i < 8; ++i)
    adds.push_back(std::async(std::launch::async, [&] { return store->Add(Game(9, "hard", 42)); }));
  int added = 0;
  std::vector<int64_t> ids;
  for (auto& add : adds) {
    const board::TAddResult result = add.get();
    added += result.Added ? 1 : 0;
    ids.push_back(result.Game.Id);
  }
  EXPECT_EQ(added, 1);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), ids.front()), 8);
  EXPECT_EQ(store->Count(), 1);
}

TEST_P(BoardStore, ABoardMovesToAnotherDatabaseWithItsGamesInOrder) {
  TTestDatabase old(TBackEnd::Sqlite);
  {
    auto from = board::OpenBoardStore(old.Db(), 1);
    for (uint64_t digest = 1; digest <= 250; ++digest)
      from->Add(Game(digest, digest % 2 ? "easy" : "hard", static_cast<int32_t>(digest % 7)));
  }
  auto from = board::OpenBoardStore(old.Db(), 1);
  auto to = board::OpenBoardStore(database.Db(), 2);
  std::vector<int64_t> progress;
  EXPECT_EQ(board::CopyGames(*from, *to, [&](int64_t done) { progress.push_back(done); }), 250);
  EXPECT_TRUE(progress.empty());
  for (const char* difficulty : {"easy", "hard"}) {
    const auto before = from->Top(difficulty, 100), after = to->Top(difficulty, 100);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(after[i].Id, before[i].Id);
      EXPECT_EQ(after[i].Name, before[i].Name);
      EXPECT_EQ(after[i].Received, before[i].Received);
      EXPECT_EQ(to->Replay(after[i].Id), from->Replay(before[i].Id));
    }
  }
  EXPECT_THROW(board::CopyGames(*from, *to), board::TStoreError) << "only into an empty board";
}

INSTANTIATE_TEST_SUITE_P(Sqlite, BoardStore, ::testing::Values(TBackEnd::Sqlite));
INSTANTIATE_TEST_SUITE_P(Postgres, BoardStore, ::testing::Values(TBackEnd::Postgres));

}  // namespace
}  // namespace quellix::testing
