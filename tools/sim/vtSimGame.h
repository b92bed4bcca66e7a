// One simulated game: a fresh program start in a run folder of its own, on the quiet or
// the drawing platform, played by a bot from the title screen until the game is over
// (name typed and table shown), the program quits or the tick budget is spent. A bot that
// plays on starts new games from the title until the budget is spent. The session can be
// recorded as a replay (docs/replays.md), and a replay can be played instead of a bot:
// the recorder or the player stands between the platform and the main window, and the
// bot's input goes through it as a player's would.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/vtReplayFile.h"
#include "vtBot.h"
#include "vtGameStats.h"
#include "vtRunFolder.h"
#include "vtSimPlatform.h"

namespace quellix {
class TfrmMain;
class TGame;
class TReplayPlayer;
class TReplayRecorder;
}  // namespace quellix

namespace quellix::sim {

struct TGameSetup {
  std::filesystem::path DataDir;
  TPlayMode Mode = TPlayMode::Normal;
  TBotKind Bot = TBotKind::Skilled;
  uint64_t Seed = 1;
  int64_t MaxTicks = 200000;
  // Draw every frame with the headless renderer; needed for frames and screen digests.
  bool Draw = false;
  // Record the session into this file when the run ends; empty for none.
  std::string RecordFile;
  // Play the session recorded in this file instead of a bot (the mode, bot and seed are
  // the file's); empty for none.
  std::string ReplayFile;
};

// How a run ended; a replay ends where its recording does, or out of step with it.
enum class TGameEnd : uint8_t { GameOver, MaxTicks, Quit, ReplayFinished, OutOfStep };
std::string_view GameEndName(TGameEnd end);

struct TGameOutcome {
  // The replay played, empty when a bot played.
  std::string Replay;
  uint64_t Seed = 0;
  TPlayMode Mode = TPlayMode::Normal;
  TBotKind Bot = TBotKind::Skilled;
  TGameEnd End = TGameEnd::MaxTicks;
  // The latest game's score and level.
  int32_t Score = 0;
  int32_t Level = 0;
  TGameStats Stats;
  // What the game logged after start-up, one entry a line, line breaks shown as " | ".
  std::vector<std::string> LoggedErrors;
};

class TSimGame {
 public:
  // Starts the program: loads the data, seeds the game's generator, shows the title (a
  // replay starts it with its first tick). Throws std::runtime_error when the data
  // cannot be loaded or the replay cannot be played on it.
  explicit TSimGame(const TGameSetup& setup);
  // Plays a replay read already instead; setup.ReplayFile names it in messages.
  TSimGame(const TGameSetup& setup, TReplay replay);
  // Ends the program as closing its window does (the high scores are saved).
  ~TSimGame();
  TSimGame(const TSimGame&) = delete;
  TSimGame& operator=(const TSimGame&) = delete;

  // Plays to the end; afterEachTick runs after every tick, beneath the name window too.
  TGameOutcome Play(const std::function<void(TSimGame&)>& afterEachTick = {});
  // Plays the next tick (beneath the name window the bot types first, and a key that
  // closes it plays none); false, with nothing played, once the run has ended.
  bool Step();

  int64_t Ticks() const { return fStats.Ticks; }
  // What first showed that the game did not do what the replay played recorded; empty
  // while it does (and when no replay is played).
  std::string OutOfStep() const;
  TfrmMain& Main() { return *fMain; }
  TGame& Game() { return *fGame; }
  TSimPlatform& Platform() { return *fPlatform; }
  // The replay's player when the run plays one, else none.
  const TReplayPlayer* Player() const { return fPlayer.get(); }

 private:
  TSimGame(const TGameSetup& setup, std::optional<TReplay> replay);
  // How the run has ended, if it has.
  std::optional<TGameEnd> End() const;
  // What the run came to; once it has ended.
  TGameOutcome Outcome() const;
  void Tick();
  std::vector<std::string> LoggedErrors() const;

  TGameSetup fSetup;
  TRunFolder fFolder;
  std::unique_ptr<TSimPlatform> fPlatform;
  // At most one of the two stands between the platform and the main window.
  std::unique_ptr<TReplayRecorder> fRecorder;
  std::unique_ptr<TReplayPlayer> fPlayer;
  std::unique_ptr<TfrmMain> fMain;
  // Where the main window's events go: the recorder, the player or the window itself.
  IMainWindowEvents* fEvents = nullptr;
  TGame* fGame = nullptr;
  std::unique_ptr<IBot> fBot;
  std::unique_ptr<TBotHands> fHands;
  TGameStats fStats;
  std::function<void(TSimGame&)> fAfterEachTick;
};

}  // namespace quellix::sim
