// One simulated game: a fresh program start in a run folder of its own, on the quiet or
// the drawing platform, played by a bot from the title screen until the game is over
// (name typed and table shown), the program quits or the tick budget is spent. A bot that
// plays on starts new games from the title until the budget is spent.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vtBot.h"
#include "vtGameStats.h"
#include "vtRunFolder.h"
#include "vtSimPlatform.h"

namespace quellix {
class TfrmMain;
class TGame;
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
};

enum class TGameEnd : uint8_t { GameOver, MaxTicks, Quit };
std::string_view GameEndName(TGameEnd end);

struct TGameOutcome {
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
  // Starts the program: loads the data, seeds the game's generator, shows the title.
  // Throws std::runtime_error when the data cannot be loaded.
  explicit TSimGame(const TGameSetup& setup);
  // Ends the program as closing its window does (the high scores are saved).
  ~TSimGame();
  TSimGame(const TSimGame&) = delete;
  TSimGame& operator=(const TSimGame&) = delete;

  // Plays to the end; afterEachTick runs after every tick, beneath the name window too.
  TGameOutcome Play(const std::function<void(TSimGame&)>& afterEachTick = {});
  // Plays the next tick; false, with nothing played, once the run has ended.
  bool Step();

  int64_t Ticks() const { return fStats.Ticks; }
  TfrmMain& Main() { return *fMain; }
  TGame& Game() { return *fGame; }
  TSimPlatform& Platform() { return *fPlatform; }

 private:
  // How the run has ended, if it has.
  std::optional<TGameEnd> End() const;
  // What the run came to; once it has ended.
  TGameOutcome Outcome() const;
  void Tick();
  // Runs as the name window's script: ticks go on beneath it while the bot types.
  void EnterName(IModalWindow& window);
  std::vector<std::string> LoggedErrors() const;

  TGameSetup fSetup;
  TRunFolder fFolder;
  std::unique_ptr<TSimPlatform> fPlatform;
  std::unique_ptr<TfrmMain> fMain;
  TGame* fGame = nullptr;
  std::unique_ptr<IBot> fBot;
  std::unique_ptr<TBotHands> fHands;
  TGameStats fStats;
  std::function<void(TSimGame&)> fAfterEachTick;
};

}  // namespace quellix::sim
