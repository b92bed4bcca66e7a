// quellix-sim: plays games with a bot on the real game objects, without a window. See
// --help and docs/simulator.md.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "vtDifficultyTable.h"
#include "vtGolden.h"
#include "vtReport.h"
#include "vtSimOptions.h"
#include "vtSimRun.h"

namespace {

using namespace quellix::sim;

constexpr int UsageStatus = 2;

// Logged errors go to stderr; answers whether there were none.
bool Clean(int64_t game, const TGameOutcome& outcome) {
  for (const std::string& error : outcome.LoggedErrors)
    std::fprintf(stderr, "quellix-sim: game %lld logged: %s\n", static_cast<long long>(game),
                 error.c_str());
  return outcome.LoggedErrors.empty();
}

bool PlayEachGame(const TSimOptions& options) {
  TRunReport report(stderr, options.Games);
  bool clean = true;
  PlayGames(options, options.Mode, report, [&](int64_t game, const TGameOutcome& outcome) {
    const std::string line = options.Json ? OutcomeJson(game, outcome) : OutcomeText(game, outcome);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    clean = Clean(game, outcome) && clean;
  });
  report.Finish();
  return clean;
}

// Writes what the replay comes to; the replay must play to its end in step.
bool WriteGolden(const TSimOptions& options) {
  const TGolden golden =
      PlayGolden(options.ReplayFile, options.DataDir, GoldenScreenTicks(options.ReplayFile));
  if (!golden.OutOfStep.empty()) {
    std::fprintf(stderr, "quellix-sim: %s does not play in step: %s\n", options.ReplayFile.c_str(),
                 golden.OutOfStep.c_str());
    return false;
  }
  const std::string name = quellix::TextOf(quellix::PathOf(options.ReplayFile).filename());
  quellix::WriteFileAtomically(options.GoldenFile, golden.Text(name));
  std::printf("%s: %lld ticks, score %d, level %d\n", options.GoldenFile.c_str(),
              static_cast<long long>(golden.Ticks), golden.Score, golden.Level);
  return true;
}

bool PlayTable(const TSimOptions& options) {
  constexpr TPlayMode Modes[] = {TPlayMode::Child, TPlayMode::Easy, TPlayMode::Normal,
                                 TPlayMode::Hard};
  TRunReport report(stderr, options.Games * 4);
  bool clean = true;
  std::vector<TModeSummary> summaries;
  for (TPlayMode mode : Modes) {
    std::vector<TGameOutcome> outcomes;
    PlayGames(options, mode, report, [&](int64_t game, const TGameOutcome& outcome) {
      outcomes.push_back(outcome);
      clean = Clean(game, outcome) && clean;
    });
    summaries.push_back(Summarize(mode, outcomes));
  }
  report.Finish();
  const std::string command = SimCommand(options, TPlayMode::Normal);
  std::fputs(DifficultyPage(summaries, command).c_str(), stdout);
  return clean;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view program = argc > 0 ? argv[0] : "quellix-sim";
  program.remove_prefix(program.rfind('/') + 1);
  TSimOptions options;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    options = ParseSimOptions(args, QUELLIX_RUN_DIR);
  } catch (const quellix::TUsageError& e) {
    std::fprintf(stderr, "%s: %s\n%s", std::string(program).c_str(), e.what(),
                 SimUsage(program).c_str());
    return UsageStatus;
  }
  if (options.Help) {
    std::fputs(SimUsage(program).c_str(), stdout);
    return 0;
  }
  try {
    if (!options.GoldenFile.empty()) return WriteGolden(options) ? 0 : 1;
    return (options.Table ? PlayTable(options) : PlayEachGame(options)) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", std::string(program).c_str(), e.what());
    return 1;
  }
}
