// Simulated games on the real data: drawing or not, a game goes exactly the same way,
// beneath the name window too; the run folder is the game's own and goes with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/vtEngine.h"
#include "services/vtHighScore.h"
#include "shell/vtDataDigest.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "vtCheckpoint.h"
#include "vtSimGame.h"

namespace quellix::sim {
namespace {

TGameSetup GameSetup(TBotKind bot, TPlayMode mode, uint64_t seed, int64_t maxTicks) {
  TGameSetup setup;
  setup.DataDir = QUELLIX_RUN_DIR;
  setup.Bot = bot;
  setup.Mode = mode;
  setup.Seed = seed;
  setup.MaxTicks = maxTicks;
  return setup;
}

struct TRecordedRun {
  TGameOutcome Outcome;
  std::vector<TCheckpoint> Checkpoints;
};

TRecordedRun Record(const TGameSetup& setup, int64_t every) {
  TRecordedRun run;
  TSimGame game(setup);
  run.Outcome = game.Play([&](TSimGame& g) {
    if (g.Ticks() % every == 0)
      run.Checkpoints.push_back(TakeCheckpoint(g.Main(), g.Game(), g.Ticks()));
  });
  return run;
}

void ExpectSameRun(const TRecordedRun& quiet, const TRecordedRun& drawn) {
  ASSERT_EQ(quiet.Checkpoints.size(), drawn.Checkpoints.size());
  for (size_t i = 0; i < quiet.Checkpoints.size(); ++i)
    ASSERT_EQ(quiet.Checkpoints[i], drawn.Checkpoints[i])
        << "at " << quiet.Checkpoints[i].Text() << ": "
        << drawn.Checkpoints[i].Differences(quiet.Checkpoints[i]);
  EXPECT_EQ(quiet.Outcome.Score, drawn.Outcome.Score);
  EXPECT_EQ(quiet.Outcome.Level, drawn.Outcome.Level);
  EXPECT_EQ(quiet.Outcome.Stats.ShipsLost, drawn.Outcome.Stats.ShipsLost);
  EXPECT_EQ(quiet.Outcome.Stats.Ticks, drawn.Outcome.Stats.Ticks);
}

// Both bots: the skilled one through levels and the random one through pauses, Esc,
// bombs, switches, the title's high-score table and games started again and again.
TEST(SimGame, DrawingTheFramesChangesNothingInTheGame) {
  for (TBotKind bot : {TBotKind::Skilled, TBotKind::Random}) {
    SCOPED_TRACE(std::string(BotName(bot)));
    TGameSetup setup = GameSetup(bot, TPlayMode::Hard, 5, 2500);
    const TRecordedRun quiet = Record(setup, 5);
    setup.Draw = true;
    const TRecordedRun drawn = Record(setup, 5);
    ExpectSameRun(quiet, drawn);
    EXPECT_GT(quiet.Outcome.Score, 0);
    EXPECT_TRUE(quiet.Outcome.LoggedErrors.empty()) << quiet.Outcome.LoggedErrors.front();
  }
}

// A frame drawn alone is the frame drawn in a run that draws them all.
TEST(SimGame, AFrameDrawnAloneLooksAsInARunThatDrawsEveryFrame) {
  const std::vector<int64_t> looks = {150, 400, 700};
  std::vector<uint64_t> screens[2];
  for (bool everyFrame : {true, false}) {
    TGameSetup setup = GameSetup(TBotKind::Skilled, TPlayMode::Normal, 9, looks.back());
    setup.Draw = true;
    TSimGame game(setup);
    game.Platform().DrawFrames(everyFrame);
    game.Play([&](TSimGame& g) {
      if (std::find(looks.begin(), looks.end(), g.Ticks()) != looks.end())
        screens[everyFrame].push_back(g.Platform().ScreenDigest());
      const bool next = std::find(looks.begin(), looks.end(), g.Ticks() + 1) != looks.end();
      g.Platform().DrawFrames(everyFrame || next);
    });
  }
  EXPECT_EQ(screens[0], screens[1]);
  ASSERT_EQ(screens[0].size(), looks.size());
  EXPECT_NE(screens[0][0], screens[0][1]);
}

// A whole game to its end: the score ranks, the name is typed while ticks run beneath the
// name window, and the table shows before the title comes back.
TEST(SimGame, AGameOverEndsWithTheNameInTheTableAndTheTitleBack) {
  TSimGame game(GameSetup(TBotKind::Skilled, TPlayMode::Hard, 3, 60000));
  std::vector<TGameState> states;
  const TGameOutcome outcome = game.Play([&](TSimGame& g) {
    const TGameState state = g.Main().Globals.GameState;
    if (states.empty() || states.back() != state) states.push_back(state);
  });
  EXPECT_EQ(outcome.End, TGameEnd::GameOver);
  EXPECT_EQ(game.Main().Globals.GameState, gsTitle);
  EXPECT_GE(outcome.Stats.ShipsLost, 8) << "all eight ships of a game, and any extra ones";
  ASSERT_GE(states.size(), 5u);
  const std::vector<TGameState> ending(states.end() - 4, states.end());
  EXPECT_EQ(ending,
            (std::vector<TGameState>{gsGameOver, gsEnterHighScore, gsShowHighScores, gsTitle}));
  Tvt6HighScoreEngine& table = *game.Main().MainEngine()->HighScoreEngine();
  bool entered = false;
  for (int32_t i = 0; i < table.Count(); ++i)
    entered =
        entered || (table.Record(i)->Name == "Skilled" && table.Record(i)->Score == outcome.Score);
  EXPECT_TRUE(entered) << "score " << outcome.Score;
}

TEST(SimGame, TheRunFolderHoldsTheDataAndGoesWithTheGame) {
  std::filesystem::path folder;
  {
    TSimGame game(GameSetup(TBotKind::Skilled, TPlayMode::Easy, 1, 10));
    folder = game.Main().ExeDir();
    // Linked (copied where the system makes no link across the folders).
    const std::filesystem::path run(QUELLIX_RUN_DIR);
    for (const std::string_view file : GameDataFiles)
      EXPECT_EQ(std::filesystem::file_size(folder / file), std::filesystem::file_size(run / file))
          << file;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "highscores.txt"));
    game.Play();
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace quellix::sim
