// A session recorded from program start on the headless back end and the real data,
// then played back on a fresh main window over another folder: the replay goes through
// the same states, tick by tick, names included, and never writes the player's table;
// no damage to the recorded file gets past the reader.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "SilentHeadless.h"
#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "graphics/vtProjector.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtReplayRecorder.h"
#include "support/vtLinkedGameData.h"
#include "support/vtReplayDamage.h"
#include "support/vtTempDir.h"

namespace quellix::testing {
namespace {

namespace fs = std::filesystem;

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Everything play depends on, and a few pixels, as text: a difference shows itself.
std::string Snapshot(TfrmMain& main, TGame& game, media::THeadlessPlatform& platform) {
  std::ostringstream out;
  const TGameGlobals& g = main.Globals;
  const TfrmPlayer& player = game.Player;
  out << "state " << int{g.GameState} << " score " << g.Score << " level " << g.Level << " spares "
      << g.SpareShips << " enemies " << main.EnemiesLeft() << " timer " << g.ScreenTimer
      << " flags " << g.Paused << g.EscapeRequest << g.RightButtonDown << g.SoundOn << g.ShrapnelOn
      << g.ChildMode << " control " << player.ControlX << "," << player.ControlY << " shields "
      << player.ShieldEnergy << " bombs " << player.Bombs << " cursor " << game.Title.CursorX()
      << "," << game.Title.CursorY() << " pixels " << platform.Pixel(400, 300) << ","
      << platform.Pixel(120, 450) << "," << platform.Pixel(700, 100) << "\n";
  for (Tvt6Engine* engine : {main.MainEngine(), main.TextEngine()}) {
    for (int i = 0; i < engine->SpriteCount(); ++i) {
      const Tvt6Sprite& s = *engine->GetSprite(i);
      out << s.Kind << " " << s.X << "," << s.Y << " " << s.Layer << s.Dead << " " << s.Lifetime
          << " " << s.Strength << " " << s.Countdown << " " << s.Projector->SceneName << ":"
          << s.Projector->Position << "\n";
    }
    out << "--\n";
  }
  Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  for (int32_t i = 0; i < table.Count(); ++i) out << table.Record(i)->GetAsString() << "\n";
  return out.str();
}

// One run of the program on the headless platform, over a folder of the game's data,
// with a recorder or a player between the platform and the main window. Each timer
// event first gives the script its turn, then goes on to the relay; then the platform
// takes down a modal window that has closed, and every so many ticks the state is noted.
// The name window stays open, the ticks going on beneath it, until the script types
// what closes it.
class THeadlessRun : public IMainWindowEvents {
 public:
  static constexpr int64_t SnapshotEvery = 25;

  THeadlessRun() : platform(Silent(data.Dir())) {}

  void FormActivate() override { relay->FormActivate(); }
  void FormKeyUp(int32_t key) override { relay->FormKeyUp(key); }
  void FormMouseDown(TMouseButton button) override { relay->FormMouseDown(button); }
  void FormMouseUp(TMouseButton button) override { relay->FormMouseUp(button); }
  void FormClose() override { relay->FormClose(); }
  void ApplicationException(const std::exception& error) override {
    relay->ApplicationException(error);
  }
  void TimerEvent(int32_t lagCount) override {
    BeforeTick();
    relay->TimerEvent(lagCount);
    platform.EndClosedModals();
    const int64_t ticks = Ticks();
    if (ticks != fLastSnapshot && ticks % SnapshotEvery == 0) {
      fLastSnapshot = ticks;
      Snapshots[ticks] = State();
    }
  }

  std::string State() { return Snapshot(*main, *game, platform); }

  TLinkedGameData data;
  media::THeadlessPlatform platform;
  std::unique_ptr<TPlatformRelay> relay;
  std::unique_ptr<TfrmMain> main;
  TGame* game = nullptr;
  std::map<int64_t, std::string> Snapshots;

 protected:
  void Open(std::unique_ptr<TPlatformRelay> over) {
    relay = std::move(over);
    main = std::make_unique<TfrmMain>(*relay);
    auto owned = std::make_unique<TGame>(*main);
    game = owned.get();
    main->AdoptGame(std::move(owned));
    platform.ModalScript = nullptr;
  }
  virtual void BeforeTick() {}
  virtual int64_t Ticks() const = 0;

 private:
  int64_t fLastSnapshot = -1;
};

// A session played by a script: steps run one a tick, each until it says it is done.
class TRecordedRun : public THeadlessRun {
 public:
  TRecordedRun() {
    auto owned = std::make_unique<TReplayRecorder>(platform, TStartOptions{{"window", "0"}});
    recorder = owned.get();
    Open(std::move(owned));
    recorder->Attach(*main);
  }

  void Then(std::function<bool()> step) { fSteps.push_back(std::move(step)); }
  void Until(std::function<bool()> done) {
    Then([this, done] {
      platform.SetMouse(0, 0, false);
      return done();
    });
  }
  void Idle(int ticks) {
    for (int i = 0; i < ticks; ++i) Until([] { return true; });
  }
  void Key(int32_t key) {
    Then([this, key] {
      FormKeyUp(key);
      return true;
    });
  }
  // Moves the title's cursor onto the point, presses and releases the left button.
  void Click(int32_t x, int32_t y) {
    Then([this, x, y] {
      platform.SetMouse(x - game->Title.CursorX(), y - game->Title.CursorY(), false);
      return true;
    });
    Then([this] {
      platform.SetMouse(0, 0, true);
      return true;
    });
    Idle(1);
  }
  // Typing in the name window, once it is open.
  void Type(std::function<void(IModalWindow&)> typing) {
    Then([this, typing] {
      if (!platform.Modal()) return false;
      typing(*platform.Modal());
      return true;
    });
  }
  // Steers and fires at random, raises shields, drops bombs and pauses now and then,
  // with a generator of its own, until done() answers true.
  void Bot(uint64_t seed, std::function<bool()> done) {
    auto bot = std::make_shared<TRandom>(seed);
    auto tick = std::make_shared<int>(0);
    Then([this, bot, tick, done] {
      const int t = (*tick)++;
      if (done()) {
        FormMouseUp(TMouseButton::Right);
        return true;
      }
      platform.SetMouse(bot->Random(41) - 20, bot->Random(41) - 20, bot->Random(10) < 8);
      if (t % 200 == 100) FormMouseDown(TMouseButton::Right);
      if (t % 200 == 130) FormMouseUp(TMouseButton::Right);
      if (t % 500 == 250) FormKeyUp(VK_SPACE);
      if (t == 300 || t == 310) FormKeyUp('P');
      return false;
    });
  }

  // From program start until the script ends or the ticks run out; true when it ended.
  bool Run(int64_t maxTicks) {
    FormActivate();
    while (!fSteps.empty() && recorder->Ticks() < maxTicks) TimerEvent(0);
    return fSteps.empty();
  }

  TReplayRecorder* recorder = nullptr;

 protected:
  void BeforeTick() override {
    if (!fSteps.empty() && fSteps.front()()) fSteps.pop_front();
  }
  int64_t Ticks() const override { return recorder->Ticks(); }

 private:
  std::deque<std::function<bool()>> fSteps;
};

class TReplayedRun : public THeadlessRun {
 public:
  explicit TReplayedRun(const std::string& file) {
    auto owned = std::make_unique<TReplayPlayer>(platform, file);
    player = owned.get();
    Open(std::move(owned));
    player->Attach(*main);
  }
  // To the end of the recorded input, then the window closes as the platform would.
  void Run() {
    while (!player->Done()) TimerEvent(0);
    FormClose();
  }
  bool Logged(const std::string& line) const {
    for (const std::string& l : main->ErrorLog().Lines())
      if (l == line) return true;
    return false;
  }

  TReplayPlayer* player = nullptr;

 protected:
  int64_t Ticks() const override { return player->TicksPlayed(); }
};

// Scores low enough for any game to enter the table.
constexpr const char* LowTable =
    "Low,900,2,Devuvov\r\nLower,500,1,Devuvov\r\nLowest,100,1,Devuvov\r\n";

TEST(Replay, AWholeSessionPlaysBackTickByTick) {
  TRecordedRun recorded;
  const std::string file = recorded.data.Dir() + "session.replay";
  WriteFile(recorded.data.Dir() + "highscores.txt", LowTable);
  recorded.main->SetFixedSeed(1);
  const auto state = [&] { return recorded.main->Globals.GameState; };
  recorded.Click(375, 375);  // shrapnel off
  recorded.Click(375, 345);  // sound off
  recorded.Until([&] { return state() == gsShowHighScores; });
  recorded.Until([&] { return state() == gsTitle; });
  recorded.Key('P');  // pauses the title, which then does not poll
  recorded.Idle(5);
  recorded.Key('P');
  recorded.Click(640, 295);  // hard
  recorded.Bot(77, [&] { return recorded.main->Globals.Level >= 2; });
  recorded.Until([&] { return recorded.platform.Modal() != nullptr; });
  for (const char* typed : {"A", "c", "e", "x"})
    recorded.Type([typed](IModalWindow& w) { w.TextInput(typed); });
  recorded.Type([](IModalWindow& w) { w.KeyDown(VK_BACK); });
  recorded.Type([](IModalWindow& w) {
    w.KeyUp(VK_BACK);
    w.TextInput("!");
  });
  recorded.Type([](IModalWindow& w) { w.KeyDown(VK_RETURN); });
  recorded.Type([](IModalWindow& w) { w.KeyUp(VK_RETURN); });
  recorded.Until([&] { return state() == gsTitle; });
  recorded.Key(VK_ESCAPE);
  recorded.Idle(3);
  ASSERT_TRUE(recorded.Run(8000)) << "the script did not reach its end:\n" << recorded.State();
  const TReplay replay = recorded.recorder->Replay();
  SaveReplayFile(file, replay);
  EXPECT_EQ(ReadReplay(ReadFile(file), file), replay);
  ExpectEveryDamageReported(ReadFile(file));
  EXPECT_EQ(replay.Seed, 1u);
  ASSERT_EQ(replay.HighScores.size(), 3u);
  EXPECT_EQ(replay.HighScores[0].Name, "Low");
  EXPECT_EQ(recorded.main->MainEngine()->HighScoreEngine()->Record(0)->Name, "Ace!");

  // Played on a folder without high scores: the recorded table makes the score rank.
  TReplayedRun replayed(file);
  ASSERT_EQ(replayed.player->Problem(), "");
  EXPECT_EQ(replayed.player->TickCount(), recorded.recorder->Ticks());
  replayed.Run();
  EXPECT_EQ(replayed.player->OutOfStep(), "");
  EXPECT_EQ(replayed.player->State(), TReplayPlayer::TState::Finished);
  EXPECT_EQ(replayed.player->ExitStatus(), 0);
  EXPECT_EQ(replayed.player->TicksPlayed(), recorded.recorder->Ticks());

  ASSERT_EQ(replayed.Snapshots.size(), recorded.Snapshots.size());
  for (const auto& [tick, expected] : recorded.Snapshots)
    ASSERT_EQ(replayed.Snapshots[tick], expected) << "first difference at tick " << tick;
  EXPECT_EQ(replayed.State(), recorded.State());

  const TGameGlobals& end = recorded.main->Globals;
  EXPECT_TRUE(replayed.Logged("Replay finished: score " + std::to_string(end.Score) + ", level " +
                              std::to_string(end.Level) + ", tick " +
                              std::to_string(recorded.recorder->Ticks())));
  EXPECT_GE(end.Level, 2);
  EXPECT_FALSE(fs::exists(replayed.data.Dir() + "highscores.txt"))
      << "a replay wrote the player's high scores";
}

// An installed game (and the browser's page) reads its data from another folder than
// the executable's: the recording names the data the window reads, or its replay would
// be refused.
TEST(Replay, TheRecordingDigestsTheDataTheWindowReads) {
  TLinkedGameData data;
  TTempDir elsewhere;
  media::THeadlessPlatform platform(Silent(elsewhere.Dir()));
  TReplayRecorder recorder(platform, {});
  TfrmMain main(recorder);
  main.ChooseDataDir(data.Dir());
  recorder.Attach(main);
  EXPECT_EQ(recorder.Replay().Data, DigestGameData(data.Dir()));
  EXPECT_EQ(ReplayMismatch(recorder.Replay(), data.Dir()), "");
}

}  // namespace
}  // namespace quellix::testing
