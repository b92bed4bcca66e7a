// The game's side: games wait in the outbox while the board is down and go once it is
// up; a refused game leaves with its reason logged; the table and a board game's replay
// are fetched; and a board that takes ten seconds to answer never makes a tick late.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <SDL.h>

#include <filesystem>
#include <mutex>
#include <thread>

#include "BoardTestKit.h"
#include "base/vtLog.h"
#include "boardlink/vtBoardClient.h"
#include "boardlink/vtBoardSharing.h"
#include "boardlink/vtHttpTransport.h"
#include "config/vtTextFile.h"
#include "media/vtSdlPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayRecorder.h"
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

// Waits until done() or about a minute has passed; whether done() came true.
template <class F>
bool WaitFor(F&& done) {
  for (int i = 0; i < 1200 && !done(); ++i) std::this_thread::sleep_for(50ms);
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

// Between the platform and the board sharing: counts the ticks that came late, gives
// the game a folder of its own, and has the game enter a score at a tick.
class TLateTicks : public TPlatformRelay {
 public:
  TLateTicks(IPlatform& inner, std::string folder)
      : TPlatformRelay(inner), fFolder(std::move(folder)) {}
  std::string ExeDir() const override { return fFolder; }
  void TimerEvent(int32_t lagCount) override {
    // Start-up holds up the first tick; what counts is what comes after the game is sent.
    if (Ticks > SendTick) Late += lagCount;
    ++Ticks;
    TPlatformRelay::TimerEvent(lagCount);
    if (OnTick) OnTick(Ticks);
  }
  static constexpr int64_t SendTick = 10;
  int64_t Late = 0;
  int64_t Ticks = 0;
  std::function<void(int64_t)> OnTick;

 private:
  std::string fFolder;
};

TEST(BoardClient, ABoardAnsweringAfterTenSecondsMakesNoTickLate) {
  // The slow board: takes the game and answers ten seconds later.
  httplib::Server slow;
  slow.Post("/v1/games", [](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(10s);
    response.status = 201;
    response.set_content(R"({"id":1,"name":"Slow","difficulty":"hard","rank":1})",
                         "application/json");
  });
  const int port = slow.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { slow.listen_after_bind(); });

  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TLinkedGameData data;
  media::TSdlPlatformOptions options;
  options.FullScreen = false;
  options.AudioDriver = "dummy";
  options.DataDir = data.Dir();
  media::TSdlPlatform platform(options);
  TLateTicks ticks(platform, data.Dir());
  TBoardSharing sharing(ticks, Address(port));
  TReplayRecorder recorder(sharing, {{"window", "1"}});
  TfrmMain main(recorder);
  main.AdoptGame(std::make_unique<TGame>(main));
  recorder.Attach(main);
  sharing.Attach(recorder, main);
  ticks.SetTarget(&sharing);

  int64_t answeredAt = 0;
  ticks.OnTick = [&](int64_t tick) {
    // A score entered, as the end of a game enters it; the game's own hook sends it.
    if (tick == TLateTicks::SendTick)
      main.OnHighScoreEntered({0, {"Slow", 1, 1, "Devuvov"}, "hard"});
    if (tick > TLateTicks::SendTick && answeredAt == 0 && sharing.Client()->Waiting() == 0)
      answeredAt = tick;
    if (answeredAt > 0 && tick == answeredAt + 25) platform.CloseMainWindow();
  };
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = SDL_GetWindowID(platform.Window());
  SDL_PushEvent(&focus);
  platform.Run(ticks);
  slow.stop();
  serving.join();

  EXPECT_GT(answeredAt, 0) << "the board's answer never came";
  // About ten seconds of ticks passed while the answer was awaited...
  EXPECT_GT(ticks.Ticks, 200);
  // ... and none of them came late.
  EXPECT_EQ(ticks.Late, 0);
  const std::string log = ReadTextFile(data.Dir() + "log.txt");
  EXPECT_NE(log.find("Board: games that enter the high-score table go to " + Address(port)),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Board: game 1 taken by " + Address(port) +
                     ": Slow, hard, score 1, level 1, rank 1"),
            std::string::npos)
      << log;
}

}  // namespace
}  // namespace quellix::testing
