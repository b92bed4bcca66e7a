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

TCheckedGame CheckGame(TReplay replay, const std::string& dataDir) {
  const int64_t ticks = replay.TickCount();
  const bool endsWithAName = !replay.Input.empty() && ClosesTheNameWindow(replay.Input.back());
  sim::TGameSetup setup;
  setup.DataDir = dataDir;
  setup.ReplayFile = "the game sent";
  // The board's tick limit bounds the session already.
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
                   "(the game sends its session once the name is typed)");
  if (!IsShareableName(entered->Name))
    throw TRefusal(422, "the name \"" + entered->Name +
                            "\" cannot go on the board: a name holds up to " +
                            std::to_string(MaxHighScoreName) +
                            " printable characters, not all of them blanks");
  return *entered;
}

}  // namespace quellix::board
