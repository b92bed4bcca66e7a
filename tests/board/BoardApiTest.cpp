// The board's API on both back ends: a game proved by playing it, stored, ranked and
// served back; every kind of game the board must not take refused with a clear answer
// and nothing stored; the queue and the rate per address.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <future>
#include <vector>

#include "BoardTestKit.h"
#include "shell/vtReplayFile.h"
#include "vtBoardGames.h"
#include "vtRateLimit.h"

namespace quellix::testing {
namespace {

class BoardApi : public ::testing::TestWithParam<TBackEnd> {
 protected:
  TTestDatabase database{GetParam()};
};

// The game's replay changed by edit and written again, check line and all.
std::string Edited(const std::function<void(TReplay&)>& edit) {
  TReplay replay = ReadReplay(BoardGame().Replay, "game");
  edit(replay);
  return WriteReplay(replay);
}

std::string ClaimOf(const TBoardGame& game) {
  return "score=" + std::to_string(game.Score) + "&level=" + std::to_string(game.Level);
}

TEST_P(BoardApi, AGameIsProvedStoredRankedAndServedBack) {
  TTestBoard board(database.Db());
  // As long a name as the board keeps, typed between blanks, which the board drops.
  const std::string longest = "Skilled 1" + std::string(23, '!');
  const TBoardGame first = board::WithTypedName(BoardGame(), "  " + longest + " ");
  const httplib::Result taken = board.Send(first);
  ASSERT_TRUE(taken);
  ASSERT_EQ(taken->status, 201) << taken->body;
  EXPECT_EQ(Field(taken, "difficulty"), "hard");
  EXPECT_EQ(Field(taken, "name"), longest);
  EXPECT_EQ(Field(taken, "score"), std::to_string(first.Score));
  EXPECT_EQ(Field(taken, "level"), std::to_string(first.Level));
  EXPECT_EQ(Field(taken, "rank"), "1");
  // The same score taken later goes below it.
  const httplib::Result second = board.Send(BoardGame());
  ASSERT_EQ(second->status, 201) << second->body;
  EXPECT_EQ(Field(second, "rank"), "2");
  EXPECT_EQ(Field(second, "name"), "Skilled");

  const httplib::Result table = board.Get("/v1/board?difficulty=hard");
  ASSERT_EQ(table->status, 200);
  const auto games = nlohmann::json::parse(table->body).at("games");
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(games[0].at("name"), longest);
  EXPECT_EQ(games[1].at("name"), "Skilled");
  EXPECT_EQ(nlohmann::json::parse(board.Get("/v1/board?difficulty=hard&limit=1")->body)
                .at("games")
                .size(),
            1u);
  EXPECT_EQ(board.Get("/v1/board?difficulty=normal")->body,
            R"({"difficulty":"normal","games":[]})");

  const httplib::Result replay = board.Get("/v1/games/" + Field(taken, "id") + "/replay");
  ASSERT_EQ(replay->status, 200);
  EXPECT_EQ(replay->body, first.Replay);

  const httplib::Result health = board.Get("/v1/health");
  EXPECT_EQ(Field(health, "status"), "ok");
  EXPECT_EQ(Field(health, "games"), "2");
  EXPECT_EQ(Field(health, "store"), BackEndName(GetParam()));

  for (const char* path : {"/v1/board?difficulty=extreme", "/v1/board?limit=0",
                           "/v1/board?limit=101", "/v1/board?limit=x"})
    EXPECT_EQ(board.Get(path)->status, 400) << path;
  EXPECT_EQ(board.Get("/v1/games/999/replay")->status, 404);
  EXPECT_EQ(board.Get("/v2/board")->status, 404);
}

TEST_P(BoardApi, EveryGameNotToBeTakenIsRefusedWithItsReasonAndNothingIsStored) {
  board::TServerConfig config = TTestBoard::Config();
  const TReplay good = ReadReplay(BoardGame().Replay, "game");
  config.Limits.MaxTicks = good.TickCount() + 10;
  TTestBoard board(database.Db(), config);
  const std::string claim = ClaimOf(BoardGame());
  const std::string& text = BoardGame().Replay;

  struct TCase {
    const char* What;
    std::string Replay;
    std::string Claim;
    int Status;
    const char* Says;
  };
  std::string byteEdited = text;
  byteEdited[byteEdited.find("\npoll ") + 6] ^= 1;
  const std::vector<TCase> cases = {
      {"cut short", text.substr(0, text.size() / 2), claim, 400, "cut short"},
      {"edited by hand", byteEdited, claim, 400, "not a replay"},
      {"edited, fire never held, check line made again", Edited([](TReplay& r) {
         for (TReplayInput& input : r.Input) input.Button0 = false;
       }),
       claim, 422, "the game"},
      {"edited, the ships still from half-way, check line made again", Edited([](TReplay& r) {
         for (size_t i = r.Input.size() / 2; i < r.Input.size(); ++i)
           r.Input[i].DX = r.Input[i].DY = 0;
       }),
       claim, 422, "the game"},
      {"other data", Edited([](TReplay& r) { r.Data[4].Digest ^= 1; }), claim, 422,
       "other game data: data/config.txt"},
      {"an option this game lacks",
       Edited([](TReplay& r) { r.Options.emplace_back("turbo", "1"); }), claim, 422, "turbo=1"},
      {"over the tick limit", Edited([](TReplay& r) {
         r.Input.insert(r.Input.begin() + 1, {TReplayInputKind::Tick, 0, TMouseButton::Left, "",
                                              false, 0, 0, false, 11});
       }),
       claim, 422, "ticks; this board checks games of at most"},
      {"a blank name", board::WithTypedName(BoardGame(), "   ").Replay, claim, 422, "name"},
      {"no name", board::WithTypedName(BoardGame(), "").Replay, claim, 422, "name"},
      {"a name over the board's limit",
       board::WithTypedName(BoardGame(), std::string(33, 'Z')).Replay, claim, 422,
       "is 33 characters long; the board takes names of up to 32 characters"},
      {"going on after the name", Edited([](TReplay& r) {
         TReplayInput tick;
         tick.Polled = true;
         r.Input.push_back(tick);
       }),
       claim, 422, "does not end with a score entered"},
      {"another score claimed", text,
       "score=" + std::to_string(BoardGame().Score + 1) +
           "&level=" + std::to_string(BoardGame().Level),
       422, "plays to score"},
      {"no claim", text, "", 400, "score=S&level=L"},
      {"not a replay at all", "GET / HTTP/1.0\n", claim, 400, "not a replay"},
  };
  for (const TCase& c : cases) {
    const httplib::Result reply = board.Send(c.Replay, c.Claim);
    ASSERT_TRUE(reply) << c.What;
    EXPECT_EQ(reply->status, c.Status) << c.What << ": " << reply->body;
    EXPECT_NE(Field(reply, "error").find(c.Says), std::string::npos)
        << c.What << ": " << reply->body;
  }
  EXPECT_EQ(board.Store().Count(), 0);

  // Taken once; the same game again is counted once.
  EXPECT_EQ(board.Send(BoardGame())->status, 201);
  const httplib::Result again = board.Send(BoardGame());
  EXPECT_EQ(again->status, 409);
  EXPECT_EQ(Field(again, "error"), "the board has this game already");
  // Start-up options change no play: the same game.
  const httplib::Result window = board.Send(Edited([](TReplay& r) {
                                              r.Options = {{"window", "1"}, {"motion", "classic"}};
                                            }),
                                            claim);
  EXPECT_EQ(window->status, 409) << window->body;
  EXPECT_EQ(board.Store().Count(), 1);
}

TEST_P(BoardApi, TooLargeAGameIsRefusedBeforeItIsRead) {
  board::TServerConfig config = TTestBoard::Config();
  config.Limits.MaxBytes = BoardGame().Replay.size() - 1;
  TTestBoard board(database.Db(), config);
  const httplib::Result reply = board.Send(BoardGame());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 413);
  EXPECT_NE(Field(reply, "error").find("larger than this board takes"), std::string::npos);
  EXPECT_EQ(board.Store().Count(), 0);
}

TEST_P(BoardApi, AFullQueueTurnsGamesAwayWithATimeToComeBack) {
  board::TServerConfig config = TTestBoard::Config();
  config.Workers = 1;
  config.Queue = 0;
  TTestBoard board(database.Db(), config);
  std::vector<std::future<httplib::Result>> replies;
  for (int i = 0; i < 3; ++i)
    replies.push_back(
        std::async(std::launch::async, [&board, i] { return board.Send(NamedGame(i)); }));
  int taken = 0, busy = 0;
  for (auto& reply : replies) {
    const httplib::Result result = reply.get();
    ASSERT_TRUE(result);
    if (result->status == 201) ++taken;
    if (result->status == 503) {
      ++busy;
      EXPECT_GE(std::stoi(result->get_header_value("Retry-After")), 1);
      EXPECT_NE(Field(result, "error").find("too many games"), std::string::npos);
    }
  }
  EXPECT_GE(taken, 1);
  EXPECT_GE(busy, 1);
  EXPECT_EQ(taken + busy, 3);
  EXPECT_EQ(board.Store().Count(), taken);
}

TEST_P(BoardApi, OneAddressSendsAtMostItsRateAMinute) {
  board::TServerConfig config = TTestBoard::Config();
  config.RatePerMinute = 2;
  TTestBoard board(database.Db(), config);
  const TBoardGame& game = BoardGame();
  EXPECT_EQ(board.Send("x", "score=1&level=1")->status, 400);
  EXPECT_EQ(board.Send("x", "score=1&level=1")->status, 400);
  const httplib::Result third = board.Send(game);
  ASSERT_TRUE(third);
  EXPECT_EQ(third->status, 429);
  // The bucket fills again by one game in 30 seconds (less what the sends took).
  const int wait = std::stoi(third->get_header_value("Retry-After"));
  EXPECT_LE(wait, 30);
  EXPECT_GE(wait, 20);
  EXPECT_EQ(board.Store().Count(), 0);
  // Reads are not limited.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(board.Get("/v1/board")->status, 200);
}

TEST(BoardGuards, AClientThatSendsNothingMoreIsDroppedAfterTheTimeout) {
  TTestDatabase database(TBackEnd::Sqlite);
  board::TServerConfig config = TTestBoard::Config();
  config.TimeoutSeconds = 1;
  TTestBoard board(database.Db(), config);
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(board.Port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::string start = "POST /v1/games?score=1&level=1 HTTP/1.1\r\nContent-Length: 100000\r\n";
  ASSERT_EQ(send(s, start.data(), start.size(), 0), static_cast<ssize_t>(start.size()));
  // The board gives up on the request and hangs up, long before the test's own limit.
  timeval limit{30, 0};
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  std::string answer;
  char bytes[512];
  ssize_t got = 0;
  while ((got = recv(s, bytes, sizeof bytes, 0)) > 0)
    answer.append(bytes, static_cast<size_t>(got));
  EXPECT_EQ(got, 0) << "the board kept a silent client";
  EXPECT_TRUE(answer.empty() || answer.starts_with("HTTP/1.1 4")) << answer;
  close(s);
  EXPECT_EQ(board.Get("/v1/health")->status, 200);
}

TEST(BoardRateLimit, EachAddressHasABucketThatFillsAgainAtTheRate) {
  board::TRateLimit limit(6);
  const auto t0 = board::TRateLimit::TClock::time_point() + std::chrono::hours(1);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(limit.Take("a", t0), 0);
  EXPECT_EQ(limit.Take("a", t0), 10);
  EXPECT_EQ(limit.Take("b", t0), 0) << "each address has its own";
  EXPECT_EQ(limit.Take("a", t0 + std::chrono::seconds(5)), 5);
  EXPECT_EQ(limit.Take("a", t0 + std::chrono::seconds(10)), 0);
  EXPECT_EQ(limit.Take("a", t0 + std::chrono::seconds(10)), 10);
  // A sweep after a minute forgets full buckets only.
  EXPECT_EQ(limit.Take("c", t0 + std::chrono::seconds(75)), 0);
  EXPECT_EQ(limit.Take("a", t0 + std::chrono::seconds(75)), 0);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, BoardApi, ::testing::Values(TBackEnd::Sqlite));
INSTANTIATE_TEST_SUITE_P(Postgres, BoardApi, ::testing::Values(TBackEnd::Postgres));

}  // namespace
}  // namespace quellix::testing
