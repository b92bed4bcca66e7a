// The skilled bot on a few fixed seeds: it clears the first level at every difficulty
// and, on the average, gets further the easier the difficulty (docs/difficulty.md
// measures the same over 200 games each). The long child and easy games are far apart;
// normal and hard, short and closer together, get three games each.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "vtSimOptions.h"
#include "vtSimRun.h"

namespace quellix::sim {
namespace {

TEST(SimDifficulty, EasierDifficultiesGoFurther) {
  TSimOptions options;
  options.DataDir = QUELLIX_RUN_DIR;
  options.Bot = TBotKind::Skilled;
  options.Seed = 1000;
  options.Jobs = 2;
  TRunReport silent(nullptr, 0);
  std::string levels;
  double easier = 1e9;
  for (const auto& [mode, games] :
       {std::pair{TPlayMode::Child, 1}, std::pair{TPlayMode::Easy, 1},
        std::pair{TPlayMode::Normal, 3}, std::pair{TPlayMode::Hard, 3}}) {
    SCOPED_TRACE(std::string(PlayModeName(mode)));
    options.Games = games;
    double total = 0;
    PlayGames(options, mode, silent, [&](int64_t game, const TGameOutcome& outcome) {
      EXPECT_EQ(outcome.End, TGameEnd::GameOver) << "game " << game;
      EXPECT_GE(outcome.Level, 2) << "game " << game;
      EXPECT_TRUE(outcome.LoggedErrors.empty()) << outcome.LoggedErrors.front();
      total += outcome.Level;
      levels += " " + std::to_string(outcome.Level);
    });
    const double mean = total / games;
    EXPECT_GT(easier, mean) << "levels reached, child to hard:" << levels;
    easier = mean;
    levels += " |";
  }
}

}  // namespace
}  // namespace quellix::sim
