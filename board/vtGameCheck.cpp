#include "vtGameCheck.h"

#include <optional>

#include "services/vtHighScoreName.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "vtSimGame.h"
#include "vtSubmission.h"

namespace quellix::board {

namespace {

// The name window closes when Enter is released.
bool ClosesTheNameWindow(const TReplayInput& input) {
  return input.Kind == TReplayInputKind::ModalKeyUp && input.Key == VK_RETURN;
}

}  // namespace

std::string BoardName(std::string_view typed) {
  const std::string clean = CleanHighScoreName(typed);
  const size_t first = clean.find_first_not_of(' ');
  if (first == std::string::npos)
    throw TRefusal(422, "the name is blank: the board takes a game under a name of up to " +
                            std::to_string(MaxBoardName) + " characters");
  const std::string name = clean.substr(first, clean.find_last_not_of(' ') - first + 1);
  const size_t characters = NameCharacters(name);
  if (characters > MaxBoardName)
    throw TRefusal(422, "the name \"" + name + "\" is " + std::to_string(characters) +
                            " characters long; the board takes names of up to " +
                            std::to_string(MaxBoardName) + " characters");
  return name;
}

TCheckedGame CheckGame(TReplay replay, const std::string& dataDir) {
  const int64_t ticks = replay.TickCount();
  const bool endsWithAName = !replay.Input.empty() && ClosesTheNameWindow(replay.Input.back());
  sim::TGameSetup setup;
  setup.DataDir = dataDir;
  setup.ReplayFile = "the game sent";
  // The board's tick limit bounds the game already.
  setup.MaxTicks = ticks + 1;
  std::optional<TCheckedGame> entered;
  int64_t enteredAt = -1;
  {
    sim::TSimGame game(setup, std::move(replay));
    game.Main().OnHighScoreEntered = [&](const THighScoreEntry& entry) {
      entered = TCheckedGame{std::string(entry.Mode), entry.Record.Name, entry.Record.Score,
                             entry.Record.Level, ticks};
      enteredAt = game.Player()->TicksPlayed();
    };
    const sim::TGameOutcome outcome = game.Play();
    if (outcome.End == sim::TGameEnd::OutOfStep)
      throw TRefusal(422, "the game does not play as recorded: at tick " +
                              std::to_string(game.Player()->TicksPlayed()) + ", " +
                              game.OutOfStep());
  }
  if (!entered || enteredAt != ticks || !endsWithAName)
    throw TRefusal(422,
                   "the recording does not end with a score entered in the high-score table "
                   "(the game sends a game once its name is typed)");
  entered->Name = BoardName(entered->Name);
  return *entered;
}

}  // namespace quellix::board
