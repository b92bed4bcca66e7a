// The board killed outright (SIGKILL) while games arrive: after a restart every game it
// acknowledged is there with its replay, and every game there is whole. And a bounded
// load on loopback: readers and senders together for a fixed time, every request
// answered as it should be.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "BoardTestKit.h"
#include "vtBoardLoad.h"
#include "vtSubmission.h"

namespace quellix::testing {
namespace {

class BoardProcess : public ::testing::TestWithParam<TBackEnd> {
 protected:
  TTestDatabase database{GetParam()};
};

TEST_P(BoardProcess, EveryGameAcknowledgedBeforeAKillIsThereWholeAfterARestart) {
  constexpr int Senders = 3;
  constexpr int Acknowledged = 4;
  std::mutex mutex;
  std::map<int64_t, std::string> acknowledged;  // id -> the replay sent
  {
    TBoardProcess board(database.Db());
    std::atomic<int> next = 0;
    std::atomic<bool> killed = false;
    std::vector<std::thread> senders;
    for (int s = 0; s < Senders; ++s)
      senders.emplace_back([&] {
        httplib::Client client("127.0.0.1", board.Port());
        client.set_read_timeout(std::chrono::seconds(120));
        while (!killed) {
          const TBoardGame game = NamedGame(next++);
          const httplib::Result reply =
              client.Post("/v1/games?score=" + std::to_string(game.Score) +
                              "&level=" + std::to_string(game.Level),
                          game.Replay, "text/plain");
          if (!reply || reply->status != 201) continue;
          const std::lock_guard lock(mutex);
          acknowledged[std::stoll(Field(reply, "id"))] = game.Replay;
        }
      });
    while (true) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      const std::lock_guard lock(mutex);
      if (acknowledged.size() >= Acknowledged) break;
    }
    // Games are on their way in: some being checked, maybe one being written.
    board.Kill(SIGKILL);
    killed = true;
    for (std::thread& sender : senders) sender.join();
  }
  TBoardProcess board(database.Db());
  httplib::Client client("127.0.0.1", board.Port());
  for (const auto& [id, replay] : acknowledged) {
    const httplib::Result kept = client.Get("/v1/games/" + std::to_string(id) + "/replay");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->status, 200) << "game " << id;
    EXPECT_EQ(kept->body, replay) << "game " << id;
  }
  const httplib::Result table = client.Get("/v1/board?difficulty=hard&limit=100");
  const auto games = nlohmann::json::parse(table->body).at("games");
  EXPECT_GE(games.size(), acknowledged.size());
  for (const auto& game : games) {
    const httplib::Result replay = client.Get(game.at("replay").get<std::string>());
    ASSERT_TRUE(replay);
    ASSERT_EQ(replay->status, 200) << game.dump();
    EXPECT_EQ(
        board::ReadSubmission(replay->body, {}, DigestGameData(BoardDataDir())).Replay.TickCount(),
        game.at("ticks").get<int64_t>());
  }
  EXPECT_EQ(Field(client.Get("/v1/health"), "games"), std::to_string(games.size()));
}

TEST_P(BoardProcess, ABoundedLoadOfReadsAndGamesIsAnsweredThroughout) {
  TTempDir games;
  TBoardOutbox outbox(games.Dir());
  for (int i = 0; i < 6; ++i) outbox.Put(NamedGame(100 + i));
  TBoardProcess board(database.Db());
  board::TLoadPlan plan;
  plan.Port = board.Port();
  plan.Readers = 4;
  plan.Senders = 2;
  plan.Duration = std::chrono::seconds(5);
  plan.GamesDir = games.Dir();
  const board::TLoadResult result = board::RunLoad(plan);
  std::printf("%s load: %s\n", BackEndName(GetParam()).c_str(), result.Summary().c_str());
  EXPECT_EQ(result.Failures, 0) << result.Summary();
  EXPECT_GT(result.Reads, 100);
  EXPECT_GE(result.Sends.count(201) ? result.Sends.at(201) : 0, 1) << result.Summary();
}

INSTANTIATE_TEST_SUITE_P(Sqlite, BoardProcess, ::testing::Values(TBackEnd::Sqlite));
INSTANTIATE_TEST_SUITE_P(Postgres, BoardProcess, ::testing::Values(TBackEnd::Postgres));

}  // namespace
}  // namespace quellix::testing
