#include "vtSimGame.h"

#include <fstream>
#include <sstream>

#include "game/vtGame.h"
#include "shell/vtErrorLogger.h"
#include "shell/vtMainWindow.h"

namespace quellix::sim {

namespace {

constexpr const char* StartupDone = "Going into Game Running Mode...";
constexpr const char* ShuttingDown = "Game Shutting Down...";

// The messages of a log file: each entry is a time stamp line, the message and the
// separator line.
std::vector<std::string> LogMessages(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
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
  }
  return "?";
}

TSimGame::TSimGame(const TGameSetup& setup)
    : fSetup(setup),
      fFolder(setup.DataDir),
      fPlatform(setup.Draw ? MakeDrawingPlatform(fFolder.Dir()) : MakeQuietPlatform(fFolder.Dir())),
      fMain(std::make_unique<TfrmMain>(*fPlatform)),
      fBot(MakeBot(setup.Bot, setup.Mode, setup.Seed)),
      fHands(std::make_unique<TBotHands>(*fPlatform, *fMain)) {
  auto game = std::make_unique<TGame>(*fMain);
  fGame = game.get();
  fMain->AdoptGame(std::move(game));
  fMain->FormActivate();
  if (fMain->Globals.GameState != gsTitle)
    throw std::runtime_error("the game did not start; its log is in " + fFolder.Dir() + "log.txt");
  fMain->Random().Seed(setup.Seed);
  fPlatform->ModalScript = [this](IModalWindow& window) { EnterName(window); };
}

TSimGame::~TSimGame() {
  fMain->FormClose();
}

std::optional<TGameEnd> TSimGame::End() const {
  if (fStats.GamesOver > 0 && !fBot->PlaysOn() && fMain->Globals.GameState == gsTitle)
    return TGameEnd::GameOver;
  if (fPlatform->CloseRequested()) return TGameEnd::Quit;
  if (fStats.Ticks >= fSetup.MaxTicks) return TGameEnd::MaxTicks;
  return std::nullopt;
}

void TSimGame::Tick() {
  fMain->TimerEvent(0);
  fStats.AfterTick(*fMain, *fGame);
  if (fAfterEachTick) fAfterEachTick(*this);
}

void TSimGame::EnterName(IModalWindow& window) {
  while (!window.Closed()) {
    if (fStats.Ticks >= fSetup.MaxTicks) {
      window.KeyDown(VK_RETURN);
      window.KeyUp(VK_RETURN);
      break;
    }
    fBot->Type(window);
    if (!window.Closed()) Tick();
  }
}

bool TSimGame::Step() {
  if (End()) return false;
  fBot->Act(TGameView{*fMain, *fGame}, *fHands);
  Tick();
  return true;
}

TGameOutcome TSimGame::Play(const std::function<void(TSimGame&)>& afterEachTick) {
  fAfterEachTick = afterEachTick;
  while (Step()) {
  }
  return Outcome();
}

TGameOutcome TSimGame::Outcome() const {
  TGameOutcome outcome;
  outcome.Seed = fSetup.Seed;
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
    else if (started && message != ShuttingDown && !fPlatform->Notes().contains(message))
      errors.push_back(OneLine(message));
  }
  return errors;
}

}  // namespace quellix::sim
