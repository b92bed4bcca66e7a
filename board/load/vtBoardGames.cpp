#include "vtBoardGames.h"

#include <optional>
#include <stdexcept>

#include "shell/vtMainWindow.h"
#include "vtSimGame.h"

namespace quellix::board {

TBoardGame RecordBoardGame(const std::string& dataDir, sim::TPlayMode mode, uint64_t seed) {
  sim::TGameSetup setup;
  setup.DataDir = dataDir;
  setup.Mode = mode;
  setup.Seed = seed;
  sim::TSimGame game(setup);
  std::optional<TBoardGame> entered;
  // The game as it is kept, through the name typed.
  game.Main().KeepNameEntries = true;
  game.Main().OnHighScoreEntered = [&](const THighScoreEntry& entry) {
    if (entry.Game)
      entered = TBoardGame{WriteReplay(*entry.Game), entry.Record.Score, entry.Record.Level};
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
