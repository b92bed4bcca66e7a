// quellix-sim: plays games with a bot on the real game objects, without a window. See
// --help and docs/simulator.md.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "vtReport.h"
#include "vtSimGame.h"
#include "vtSimOptions.h"

namespace {

constexpr int UsageStatus = 2;

std::string FramePath(const quellix::sim::TSimOptions& options, int64_t game, int64_t tick) {
  char name[64];
  std::snprintf(name, sizeof name, "/game%03lld-tick%07lld.png", static_cast<long long>(game),
                static_cast<long long>(tick));
  return options.FramesDir + name;
}

// Plays every game; true when none logged an error.
bool Run(const quellix::sim::TSimOptions& options) {
  using namespace quellix::sim;
  TRunReport report(stderr, options.Games);
  bool clean = true;
  for (int64_t i = 0; i < options.Games; ++i) {
    TGameSetup setup;
    setup.DataDir = options.DataDir;
    setup.Mode = options.Mode;
    setup.Bot = options.Bot;
    setup.Seed = GameSeed(options.Seed, i);
    setup.MaxTicks = options.MaxTicks;
    setup.Draw = options.Draw;
    TSimGame game(setup);
    const TGameOutcome outcome = game.Play([&](TSimGame& g) {
      report.Tick(i, g.Ticks());
      if (!options.FramesDir.empty() && g.Ticks() % options.FrameEvery == 0)
        g.Platform().SavePng(FramePath(options, i, g.Ticks()));
    });
    report.GameDone(outcome.Stats.Ticks);
    const std::string line = options.Json ? OutcomeJson(i, outcome) : OutcomeText(i, outcome);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    for (const std::string& error : outcome.LoggedErrors)
      std::fprintf(stderr, "quellix-sim: game %lld logged: %s\n", static_cast<long long>(i),
                   error.c_str());
    clean = clean && outcome.LoggedErrors.empty();
  }
  report.Finish();
  return clean;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view program = argc > 0 ? argv[0] : "quellix-sim";
  program.remove_prefix(program.rfind('/') + 1);
  quellix::sim::TSimOptions options;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    options = quellix::sim::ParseSimOptions(args, QUELLIX_RUN_DIR);
  } catch (const quellix::TUsageError& e) {
    std::fprintf(stderr, "%s: %s\n%s", std::string(program).c_str(), e.what(),
                 quellix::sim::SimUsage(program).c_str());
    return UsageStatus;
  }
  if (options.Help) {
    std::fputs(quellix::sim::SimUsage(program).c_str(), stdout);
    return 0;
  }
  try {
    return Run(options) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", std::string(program).c_str(), e.what());
    return 1;
  }
}
