// The skilled bot on a few fixed seeds: it clears the first level at every difficulty
// and, on the average, gets further the easier the difficulty (docs/difficulty.md
// measures the same over 200 games each).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vtSimOptions.h"
#include "vtSimRun.h"

namespace quellix::sim {
namespace {

constexpr int64_t GamesEach = 2;

TEST(SimDifficulty, EasierDifficultiesGoFurther) {
  TSimOptions options;
  options.DataDir = QUELLIX_RUN_DIR;
  options.Bot = TBotKind::Skilled;
  options.Seed = 1000;
  options.Games = GamesEach;
  options.Jobs = 2;
  TRunReport quiet(nullptr, 0);
  std::vector<double> meanLevels;
  for (TPlayMode mode : {TPlayMode::Child, TPlayMode::Easy, TPlayMode::Normal, TPlayMode::Hard}) {
    SCOPED_TRACE(std::string(PlayModeName(mode)));
    double levels = 0;
    PlayGames(options, mode, quiet, [&](int64_t game, const TGameOutcome& outcome) {
      EXPECT_EQ(outcome.End, TGameEnd::GameOver) << "game " << game;
      EXPECT_GE(outcome.Level, 2) << "game " << game;
      EXPECT_TRUE(outcome.LoggedErrors.empty()) << outcome.LoggedErrors.front();
      levels += outcome.Level;
    });
    meanLevels.push_back(levels / GamesEach);
  }
  for (size_t i = 1; i < meanLevels.size(); ++i)
    EXPECT_GT(meanLevels[i - 1], meanLevels[i])
        << "mean levels, child to hard: " << meanLevels[0] << " " << meanLevels[1] << " "
        << meanLevels[2] << " " << meanLevels[3];
}

}  // namespace
}  // namespace quellix::sim
