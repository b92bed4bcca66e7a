// Simulated play: the skilled bot's game on normal, on the quiet platform (nothing drawn,
// the simulator's fast mode) beside the same ticks drawn by the headless renderer. Each
// iteration starts the program afresh (not timed) and plays its first 3,000 ticks, from
// the title through the first levels. Also the program start of either platform.
#include <benchmark/benchmark.h>

#include <memory>

#include "vtSimGame.h"

namespace quellix::sim {
namespace {

constexpr int64_t TicksPerGame = 3000;

TGameSetup Normal(bool draw) {
  TGameSetup setup;
  setup.DataDir = QUELLIX_RUN_DIR;
  setup.Mode = TPlayMode::Normal;
  setup.Bot = TBotKind::Skilled;
  setup.Seed = 1;
  setup.MaxTicks = TicksPerGame;
  setup.Draw = draw;
  return setup;
}

void SimTicks(benchmark::State& state, bool draw) {
  int64_t ticks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto game = std::make_unique<TSimGame>(Normal(draw));
    state.ResumeTiming();
    while (game->Step()) {
    }
    ticks += game->Ticks();
    state.PauseTiming();
    game.reset();
    state.ResumeTiming();
  }
  using benchmark::Counter;
  state.counters["ticks_per_second"] = Counter(static_cast<double>(ticks), Counter::kIsRate);
  state.counters["us_per_tick"] =
      Counter(static_cast<double>(ticks), Counter::kIsRate | Counter::kInvert, Counter::kIs1000);
}

void ProgramStart(benchmark::State& state, bool draw) {
  for (auto _ : state) TSimGame game(Normal(draw));
}

BENCHMARK_CAPTURE(SimTicks, quiet, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimTicks, drawing, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ProgramStart, quiet, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProgramStart, drawing, true)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quellix::sim

BENCHMARK_MAIN();
