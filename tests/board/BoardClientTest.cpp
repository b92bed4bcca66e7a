// The game's side: games wait in the outbox while the board is down and go once it is
// up; a refused game leaves with its reason logged; the table and a board game's replay
// are fetched; and a board that takes ten seconds to answer never makes a tick late.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <SDL.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include "BoardTestKit.h"
#include "base/vtAtomicFile.h"
#include "base/vtLog.h"
#include "boardlink/vtBoardClient.h"
#include "boardlink/vtBoardSharing.h"
#include "boardlink/vtHttpTransport.h"
#include "config/vtTextFile.h"
#include "engine/vtEngine.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlPlatform.h"
#include "services/vtGameSettings.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {
namespace {

using namespace std::chrono_literals;

class TLines : public ILog {
 public:
  void Log(const std::string& message) noexcept override {
    const std::lock_guard lock(fMutex);
    fLines.push_back(message);
  }
  // Whether a line holds text.
  bool Has(const std::string& text) const {
    const std::lock_guard lock(fMutex);
    return std::any_of(fLines.begin(), fLines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }
  std::string All() const {
    const std::lock_guard lock(fMutex);
    std::string all;
    for (const std::string& line : fLines) all += line + "\n";
    return all;
  }

 private:
  mutable std::mutex fMutex;
  std::vector<std::string> fLines;
};

// Waits until done() or five minutes have passed (a sanitizer build on a busy machine
// checks a game in a minute); whether done() came true.
template <class F>
bool WaitFor(F&& done) {
  for (int i = 0; i < 6000 && !done(); ++i) std::this_thread::sleep_for(50ms);
  return done();
}

// A port nothing listens on, for now.
int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  close(s);
  return ntohs(address.sin_port);
}

std::string Address(int port) {
  return "http://127.0.0.1:" + std::to_string(port);
}

constexpr TBoardTiming QuickRetries{200ms, 400ms};

TEST(BoardClient, GamesWaitInTheOutboxWhileTheBoardIsDownAndGoWhenItComesUp) {
  TTempDir user;
  TTestDatabase database(TBackEnd::Sqlite);
  const int port = FreePort();
  TLines log;
  const std::string outbox = user.Dir() + "outbox/";
  {
    TBoardClient client(MakeHttpTransport(Address(port)), Address(port), outbox,
                        user.Dir() + "games/", log, QuickRetries);
    client.Send(NamedGame(1));
    ASSERT_TRUE(WaitFor([&] { return log.Has("cannot send to"); })) << log.All();
    EXPECT_EQ(client.Waiting(), 1u);
    EXPECT_EQ(TBoardOutbox(outbox).Count(), 1u);
  }
  // The game outlives the run; the next run's client finds it and sends it once the
  // board is up.
  TBoardClient client(MakeHttpTransport(Address(port)), Address(port), outbox,
                      user.Dir() + "games/", log, QuickRetries);
  client.Send(NamedGame(2));
  ASSERT_TRUE(WaitFor([&] { return TBoardOutbox(outbox).Count() == 2; }));
  board::TServerConfig config = TTestBoard::Config();
  config.Port = port;
  TTestBoard board(database.Db(), config);
  ASSERT_TRUE(WaitFor([&] { return client.Waiting() == 0; })) << log.All();
  EXPECT_EQ(TBoardOutbox(outbox).Count(), 0u);
  EXPECT_EQ(board.Store().Count(), 2);
  EXPECT_TRUE(log.Has("game(s) from earlier wait in")) << log.All();
  EXPECT_TRUE(log.Has("answers again")) << log.All();
  EXPECT_TRUE(log.Has("taken by " + Address(port) + ": Skilled 2, hard")) << log.All();
}

TEST(BoardClient, ARefusedGameLeavesTheOutboxWithItsReasonAndTheTableAndReplaysCome) {
  TTempDir user;
  TTestDatabase database(TBackEnd::Sqlite);
  TTestBoard board(database.Db());
  TLines log;
  TBoardClient client(MakeHttpTransport(Address(board.Port())), Address(board.Port()),
                      user.Dir() + "outbox/", user.Dir() + "games/", log, QuickRetries);
  TBoardGame claimingMore = NamedGame(1);
  ++claimingMore.Score;
  client.Send(claimingMore);
  client.Send(BoardGame());
  client.Send(BoardGame());
  ASSERT_TRUE(WaitFor([&] { return client.Waiting() == 0; })) << log.All();
  EXPECT_TRUE(log.Has("refused a game (score " + std::to_string(claimingMore.Score) + ", level " +
                      std::to_string(claimingMore.Level) + "): the game plays to score"))
      << log.All();
  EXPECT_EQ(board.Store().Count(), 1);

  client.RequestTable("hard", 5);
  client.RequestReplay(1);
  client.RequestReplay(2);
  ASSERT_TRUE(WaitFor([&] {
    return client.Table("hard").State == TFetchState::Done &&
           client.Replay(2).State == TFetchState::Failed;
  }));
  const TBoardTable table = client.Table("hard");
  ASSERT_EQ(table.Rows.size(), 1u) << table.Error << log.All();
  EXPECT_EQ(table.Rows[0].Name, "Skilled");
  EXPECT_EQ(table.Rows[0].Score, BoardGame().Score);
  EXPECT_EQ(table.Rows[0].Rank, 1);
  const TBoardDownload download = client.Replay(1);
  ASSERT_EQ(download.State, TFetchState::Done);
  EXPECT_EQ(download.Path, user.Dir() + "games/board-1.replay");
  EXPECT_EQ(ReadTextFile(download.Path), BoardGame().Replay);
  EXPECT_EQ(client.Replay(2).Error, "the board has no game 2");
  EXPECT_EQ(client.Table("easy").State, TFetchState::None);
}

// A board that takes ten seconds to answer a game, and says when it has one.
class TSlowBoard {
 public:
  TSlowBoard() {
    fServer.Post("/v1/games", [this](const httplib::Request&, httplib::Response& response) {
      Arrived = true;
      std::this_thread::sleep_for(10s);
      Answered = true;
      response.status = 201;
      response.set_content(R"({"id":1,"name":"Slow","difficulty":"hard","rank":1})",
                           "application/json");
    });
    fPort = fServer.bind_to_any_port("127.0.0.1");
    fThread = std::thread([this] { fServer.listen_after_bind(); });
  }
  ~TSlowBoard() {
    fServer.stop();
    fThread.join();
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(fPort); }

  std::atomic<bool> Arrived = false;
  std::atomic<bool> Answered = false;

 private:
  httplib::Server fServer;
  int fPort = 0;
  std::thread fThread;
};

TEST(BoardClient, TheGameEndsAtOnceWhileTheBoardIsStillCheckingAndTheGameWaitsForTheNextRun) {
  TSlowBoard slow;
  TTempDir user;
  TLines log;
  {
    TBoardClient client(MakeHttpTransport(slow.Address()), slow.Address(), user.Dir() + "outbox/",
                        user.Dir() + "games/", log);
    client.Send(BoardGame());
    ASSERT_TRUE(WaitFor([&] { return slow.Arrived.load(); }));
  }
  EXPECT_FALSE(slow.Answered) << "the client waited for the board's answer";
  EXPECT_EQ(TBoardOutbox(user.Dir() + "outbox/").Count(), 1u);
  EXPECT_FALSE(log.Has("cannot send")) << log.All();
}

// The main window's events on the real platform, for the frame timer alone: runs the
// test's step each tick and counts the ticks that came late, before the game is sent
// (from the second second on, once the window has settled) and after.
class TTicks : public IMainWindowEvents {
 public:
  static constexpr int64_t SettleTick = 25;
  static constexpr int64_t SendTick = 150;
  void FormActivate() override {}
  void FormKeyUp(int32_t) override {}
  void FormMouseDown(TMouseButton) override {}
  void FormMouseUp(TMouseButton) override {}
  void FormClose() override {}
  void ApplicationException(const std::exception& e) override { ADD_FAILURE() << e.what(); }
  void TimerEvent(int32_t lagCount) override {
    if (Ticks > SendTick) {
      Late += lagCount;
      MostLate = std::max<int64_t>(MostLate, lagCount);
    } else if (Ticks > SettleTick) {
      LateBefore += lagCount;
    }
    OnTick(++Ticks);
  }
  int64_t LateBefore = 0;
  int64_t Late = 0;
  int64_t MostLate = 0;
  int64_t Ticks = 0;
  std::function<void(int64_t)> OnTick;
};

TEST(BoardClient, ABoardAnsweringAfterTenSecondsMakesNoTickLate) {
  TSlowBoard slow;
  TTempDir user;
  TLines log;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  media::TSdlPlatformOptions options;
  options.Display.FullScreen = false;
  options.AudioDriver = "dummy";
  media::TSdlPlatform platform(options);
  TBoardClient client(MakeHttpTransport(slow.Address()), slow.Address(), user.Dir() + "outbox/",
                      user.Dir() + "games/", log);
  const TBoardGame game = BoardGame();
  TTicks ticks;
  int64_t answeredAt = 0;
  ticks.OnTick = [&](int64_t tick) {
    // What a tick asks of the client: a game handed over, then how things stand.
    if (tick == TTicks::SendTick) client.Send(game);
    if (tick > TTicks::SendTick && answeredAt == 0 && client.Waiting() == 0) answeredAt = tick;
    client.Table("hard");
    if (answeredAt > 0 && tick == answeredAt + 25) platform.CloseMainWindow();
  };
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = SDL_GetWindowID(platform.Window());
  SDL_PushEvent(&focus);
  platform.Run(ticks);

  EXPECT_TRUE(slow.Answered) << log.All();
  EXPECT_TRUE(log.Has("game 1 taken by " + slow.Address() + ": Slow, hard")) << log.All();
  // About ten seconds of ticks passed while the answer was awaited...
  EXPECT_GT(answeredAt - TTicks::SendTick, 200);
  // ... and no tick waited for it: that would have made one tick late by most of them.
  EXPECT_LT(ticks.MostLate, 25);
  // None came late at all, unless the machine is so busy that ticks came late before
  // anything was sent (a tick of this loop takes next to nothing).
  if (ticks.LateBefore == 0)
    EXPECT_EQ(ticks.Late, 0);
  else
    std::printf(
        "The machine is too busy to keep the frame timer: %lld ticks late before the game "
        "was sent, %lld after\n",
        static_cast<long long>(ticks.LateBefore), static_cast<long long>(ticks.Late));
}

// Catches what the board client sends, and takes it.
class TCapturingTransport : public IBoardTransport {
 public:
  struct TSent {
    std::mutex Mutex;
    std::vector<std::pair<std::string, std::string>> Posts;  // path, body
  };
  explicit TCapturingTransport(std::shared_ptr<TSent> sent) : fSent(std::move(sent)) {}
  TBoardResponse Get(const std::string&) override { return {404, "", "", 0}; }
  TBoardResponse Post(const std::string& path, const std::string& body,
                      const std::string&) override {
    const std::lock_guard lock(fSent->Mutex);
    fSent->Posts.emplace_back(path, body);
    return {201, R"({"id":3,"name":"Zoe","difficulty":"easy","rank":1})", "", 0};
  }
  void Cancel() override {}

 private:
  std::shared_ptr<TSent> fSent;
};

TEST(BoardSharing, OnceStartUpHasRunEachScoreEnteredSendsItsGameThroughTheName) {
  TLinkedGameData data;
  WriteFileAtomically(data.Dir() + SettingsFileName, "share_scores = on\n");
  media::THeadlessOptions options;
  options.ExeDir = data.Dir();
  media::THeadlessPlatform platform(options);
  auto sent = std::make_shared<TCapturingTransport::TSent>();
  TBoardSharing sharing(platform, "http://board.test", [sent](const std::string&) {
    return std::make_unique<TCapturingTransport>(sent);
  });
  TfrmMain main(sharing);
  main.AdoptGame(std::make_unique<TGame>(main));
  sharing.Attach(main, main);
  EXPECT_TRUE(main.KeepNameEntries) << "the kept game goes on through the name entry";
  const TReplay game = ReadReplay(BoardGame().Replay, "game");
  const THighScoreEntry entry{0, {"Zoe", 1200, 3, "Devuvov"}, "easy", &game};
  main.OnHighScoreEntered(entry);
  EXPECT_EQ(sharing.Client(), nullptr) << "no client before start-up";

  sharing.FormActivate();
  ASSERT_NE(sharing.Client(), nullptr);
  for (int i = 0; i < 5; ++i) sharing.TimerEvent(0);
  // A score entered without its game (none kept) sends nothing.
  main.OnHighScoreEntered(THighScoreEntry{0, {"Zoe", 1200, 3, "Devuvov"}, "easy"});
  main.OnHighScoreEntered(entry);
  ASSERT_TRUE(WaitFor([&] { return sharing.Client()->Waiting() == 0; }));
  sharing.FormClose();
  EXPECT_EQ(sharing.Client(), nullptr);

  ASSERT_EQ(sent->Posts.size(), 1u);
  EXPECT_EQ(sent->Posts[0].first, "/v1/games?score=1200&level=3");
  EXPECT_EQ(sent->Posts[0].second, BoardGame().Replay);
  const std::string log = ReadTextFile(data.Dir() + "log.txt");
  EXPECT_NE(log.find("Board: games that enter the high-score table go to http://board.test"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Board: game 3 taken by http://board.test: Zoe, easy, score 1200, level 3, "
                     "rank 1"),
            std::string::npos)
      << log;
  EXPECT_TRUE(std::filesystem::is_empty(data.Dir() + OutboxFolder));
}

// The high-score screen with a board set: after the player's table has had its time the
// board's table for the difficulty last played follows, and a click on its game
// downloads the game and watches it to its name entry, coming back to the shared page.
TEST(BoardSharing, TheSecondPageOfTheTableIsTheBoardsAndABoardGameIsWatchedFromIt) {
  TTestDatabase database(TBackEnd::Sqlite);
  TTestBoard board(database.Db());
  ASSERT_EQ(board.Send(BoardGame())->status, 201);
  TLinkedGameData data;
  WriteFileAtomically(data.Dir() + SettingsFileName, "board = " + Address(board.Port()) + "\n");
  media::THeadlessOptions options;
  options.ExeDir = data.Dir();
  media::THeadlessPlatform platform(options);
  TBoardSharing sharing(platform, Address(board.Port()));
  TfrmMain main(sharing);
  auto owned = std::make_unique<TGame>(main);
  TGame& game = *owned;
  main.AdoptGame(std::move(owned));
  sharing.Attach(main, main);
  sharing.FormActivate();
  ASSERT_EQ(main.Board(), sharing.Client());
  const auto tick = [&] {
    sharing.TimerEvent(0);
    std::this_thread::sleep_for(1ms);
  };

  // A hard game, left at once: the shared page shows the hard games.
  main.StartGame(TDifficulty::Hard);
  tick();
  main.FormKeyUp(VK_ESCAPE);
  tick();
  ASSERT_EQ(main.Globals.GameState, gsTitle);
  main.ShowHighScores();
  for (int i = 0; i <= TfrmMain::HighScoreTicks; ++i) tick();
  TReplaysScreen& screen = game.Replays;
  ASSERT_TRUE(screen.SharedTableShown());
  EXPECT_EQ(screen.SharedMode(), "hard");
  for (int i = 0; i < 5000 && screen.SharedRows().empty(); ++i) tick();
  ASSERT_EQ(screen.SharedRows().size(), 1u);
  EXPECT_EQ(screen.SharedRows()[0].Name, "Skilled");
  EXPECT_EQ(screen.SharedRows()[0].Score, BoardGame().Score);

  // The cursor onto the first row, a click, and the game comes and is watched.
  const int32_t rowTop = main.MainEngine()->HighScoreEngine()->RowTop(0);
  ASSERT_GE(rowTop, 0);
  platform.SetMouse(200 - ScreenWidth / 2, rowTop + 5 - ScreenHeight / 2, true);
  tick();
  platform.SetMouse(0, 0, false);
  tick();
  for (int i = 0; i < 5000 && main.Globals.GameState != gsWatchReplay; ++i) tick();
  ASSERT_EQ(main.Globals.GameState, gsWatchReplay);
  game.Watch.SetSpeed(TReplayWatch::MaxSpeed);
  for (int i = 0; i < 20000 && main.Globals.GameState == gsWatchReplay; ++i) sharing.TimerEvent(0);
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
  EXPECT_TRUE(screen.SharedTableShown()) << "back on the shared page";
  sharing.FormClose();
  const std::string log = ReadTextFile(data.Dir() + "log.txt");
  EXPECT_NE(log.find("Board: the shared table comes from " + Address(board.Port())),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Watching "), std::string::npos) << log;
  EXPECT_NE(log.find("Watching stops at the name entry"), std::string::npos) << log;
  EXPECT_TRUE(std::filesystem::exists(data.Dir() + BoardGamesFolder + "board-1.replay"));
}

}  // namespace
}  // namespace quellix::testing
