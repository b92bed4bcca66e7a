#include "vtSimGame.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "base/vtFileSystem.h"
#include "shell/vtErrorLogger.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayFile.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtReplayRecorder.h"

namespace quellix::sim {

namespace {

constexpr const char* StartupDone = "Going into Game Running Mode...";
constexpr const char* ShuttingDown = "Game Shutting Down...";
// Lines that tell of no error: the replay player's closing line, a game kept and kept
// games pruned, the start of a replay of one game, and the watching of one.
constexpr std::array<std::string_view, 5> Informative = {
    "Replay finished: ", "Game kept: ", "Kept game removed: ", "The replay's game starts: ",
    "Watching "};

bool IsInformative(const std::string& message) {
  return std::any_of(Informative.begin(), Informative.end(),
                     [&](std::string_view prefix) { return message.starts_with(prefix); });
}

// The messages of a log file: each entry is a time stamp line, the message and the
// separator line.
std::vector<std::string> LogMessages(const std::string& path) {
  std::ifstream file(PathOf(path), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  std::vector<std::string> messages;
  const std::string separator = std::string("\n") + TfrmErrorLog::Separator + "\n";
  const std::string all = text.str();
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find(separator, start);
    if (end == std::string::npos) end = all.size();
    const std::string entry = all.substr(start, end - start);
    const size_t stampEnd = entry.find('\n');
    if (stampEnd != std::string::npos) messages.push_back(entry.substr(stampEnd + 1));
    start = end + separator.size();
  }
  return messages;
}

std::string OneLine(std::string text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += " | ";
    } else {
      line += text[i];
    }
  }
  return line;
}

}  // namespace

std::string_view GameEndName(TGameEnd end) {
  switch (end) {
    case TGameEnd::GameOver:
      return "game over";
    case TGameEnd::MaxTicks:
      return "max ticks";
    case TGameEnd::Quit:
      return "quit";
    case TGameEnd::ReplayFinished:
      return "replay finished";
    case TGameEnd::OutOfStep:
      return "out of step";
  }
  return "?";
}

TSimGame::TSimGame(const TGameSetup& setup) : TSimGame(setup, std::nullopt) {}

TSimGame::TSimGame(const TGameSetup& setup, TReplay replay)
    : TSimGame(setup, std::optional<TReplay>(std::move(replay))) {}

TSimGame::TSimGame(const TGameSetup& setup, std::optional<TReplay> replay)
    : fSetup(setup),
      fFolder(setup.DataDir),
      fPlatform(setup.Draw ? MakeDrawingPlatform(fFolder.Dir())
                           : MakeQuietPlatform(fFolder.Dir())) {
  IPlatform* platform = fPlatform.get();
  if (replay) {
    fPlayer = std::make_unique<TReplayPlayer>(*fPlatform, std::move(*replay), setup.ReplayFile);
    platform = fPlayer.get();
  } else if (!setup.ReplayFile.empty()) {
    fPlayer = std::make_unique<TReplayPlayer>(*fPlatform, setup.ReplayFile);
    platform = fPlayer.get();
  } else if (!setup.RecordFile.empty()) {
    // The simulator plays in an 800 x 600 frame, as the game does in a window.
    fRecorder = std::make_unique<TReplayRecorder>(*fPlatform, TStartOptions{{"window", "1"}});
    platform = fRecorder.get();
  }
  fMain = std::make_unique<TfrmMain>(*platform);
  auto game = std::make_unique<TGame>(*fMain);
  fGame = game.get();
  fMain->AdoptGame(std::move(game));
  if (fPlayer) {
    fPlayer->Attach(*fMain);
    if (!fPlayer->Problem().empty()) throw std::runtime_error(fPlayer->Problem());
    fEvents = fPlayer.get();
    return;
  }
  fMain->SetFixedSeed(setup.Seed);
  if (fRecorder) fRecorder->Attach(*fMain);
  fEvents = fRecorder ? static_cast<IMainWindowEvents*>(fRecorder.get()) : fMain.get();
  fBot = MakeBot(setup.Bot, setup.Mode, setup.Seed);
  fHands = std::make_unique<TBotHands>(*fPlatform, *fEvents);
  fEvents->FormActivate();
  if (fMain->Globals.GameState != gsTitle)
    throw std::runtime_error("the game did not start; its log is in " + fFolder.Dir() + "log.txt");
}

TSimGame::~TSimGame() {
  fEvents->FormClose();
}

std::optional<TGameEnd> TSimGame::End() const {
  if (fPlayer) {
    if (!fPlayer->OutOfStep().empty()) return TGameEnd::OutOfStep;
    if (fPlayer->State() == TReplayPlayer::TState::Finished) return TGameEnd::ReplayFinished;
    if (fPlayer->Done()) return TGameEnd::Quit;
  } else if (fStats.GamesOver > 0 && !fBot->PlaysOn() && fMain->Globals.GameState == gsTitle) {
    return TGameEnd::GameOver;
  }
  if (fPlatform->CloseRequested()) return TGameEnd::Quit;
  if (fStats.Ticks >= fSetup.MaxTicks) return TGameEnd::MaxTicks;
  return std::nullopt;
}

void TSimGame::Tick() {
  const int64_t played = fPlayer ? fPlayer->TicksPlayed() : 0;
  fEvents->TimerEvent(0);
  // A call that finds the recording at its end, or the name window just closed by the
  // recording, plays no tick.
  if (fPlayer && fPlayer->TicksPlayed() == played) return;
  fStats.AfterTick(*fMain, *fGame);
  if (fAfterEachTick) fAfterEachTick(*this);
}

std::string TSimGame::OutOfStep() const {
  return fPlayer ? fPlayer->OutOfStep() : std::string();
}

bool TSimGame::Step() {
  if (End()) return false;
  if (IModalWindow* window = fPlatform->Modal()) {
    // The ticks go on beneath the name window while the bot types (a replay types what
    // was recorded, within its ticks); a key that closes it ends it before the next tick.
    if (fBot) fBot->Type(*window);
    if (!window->Closed()) Tick();
  } else {
    if (fBot) fBot->Act(TGameView{*fMain, *fGame}, *fHands);
    Tick();
  }
  fPlatform->EndClosedModals();
  return true;
}

TGameOutcome TSimGame::Play(const std::function<void(TSimGame&)>& afterEachTick) {
  fAfterEachTick = afterEachTick;
  while (Step()) {
  }
  if (IModalWindow* window = fPlatform->Modal(); window && !fPlayer) {
    // The budget ran out while the name was typed: the name as it stands.
    window->KeyDown(VK_RETURN);
    window->KeyUp(VK_RETURN);
    fPlatform->EndClosedModals();
  }
  if (fRecorder) SaveReplayFile(fSetup.RecordFile, fRecorder->Replay());
  return Outcome();
}

TGameOutcome TSimGame::Outcome() const {
  TGameOutcome outcome;
  outcome.Replay = fSetup.ReplayFile;
  outcome.Seed = fMain->Seed();
  outcome.Mode = fSetup.Mode;
  outcome.Bot = fSetup.Bot;
  outcome.End = End().value_or(TGameEnd::MaxTicks);
  outcome.Score = fMain->Globals.Score;
  outcome.Level = fMain->Globals.Level;
  outcome.Stats = fStats;
  outcome.LoggedErrors = LoggedErrors();
  return outcome;
}

std::vector<std::string> TSimGame::LoggedErrors() const {
  std::vector<std::string> errors;
  bool started = false;
  for (const std::string& message : LogMessages(fFolder.Dir() + "log.txt")) {
    if (message == StartupDone)
      started = true;
    else if (started && message != ShuttingDown && !IsInformative(message) &&
             !fPlatform->Notes().contains(message))
      errors.push_back(OneLine(message));
  }
  return errors;
}

}  // namespace quellix::sim
