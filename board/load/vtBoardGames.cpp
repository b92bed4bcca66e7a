#include "vtBoardGames.h"

#include <optional>
#include <stdexcept>

#include "shell/vtMainWindow.h"
#include "shell/vtReplayRecorder.h"
#include "vtSimGame.h"

namespace quellix::board {

TBoardGame RecordBoardGame(const std::string& dataDir, sim::TPlayMode mode, uint64_t seed) {
  sim::TGameSetup setup;
  setup.DataDir = dataDir;
  setup.Mode = mode;
  setup.Seed = seed;
  // Recorded, not saved: the session is taken at the entry.
  setup.RecordFile = "-";
  sim::TSimGame game(setup);
  std::optional<TBoardGame> entered;
  game.Main().OnHighScoreEntered = [&](const THighScoreEntry& entry) {
    entered =
        TBoardGame{WriteReplay(game.Recorder()->Replay()), entry.Record.Score, entry.Record.Level};
  };
  while (!entered && game.Step()) {
  }
  if (!entered)
    throw std::runtime_error("the skilled bot's game of seed " + std::to_string(seed) +
                             " did not enter the high-score table");
  return *entered;
}

TBoardGame WithTypedName(const TBoardGame& game, const std::string& name) {
  TReplay replay = ReadReplay(game.Replay, "game");
  bool first = true;
  for (TReplayInput& input : replay.Input) {
    if (input.Kind != TReplayInputKind::ModalText) continue;
    input.Text = first ? name : "";
    first = false;
  }
  if (first) throw std::runtime_error("the game has no name typed");
  return {WriteReplay(replay), game.Score, game.Level};
}

}  // namespace quellix::board
