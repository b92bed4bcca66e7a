// The board's check of one game: reading the replay sent and playing it on the
// headless back end to its entry in the table, on one thread, as a worker of
// quellix-board does. The game is the skilled bot's normal game of seed 23, the longest
// of its first hundred seeds (about ten minutes of play). Recorded once, not timed.
// The board's reads under load are measured by bench/board-load.sh.
#include <benchmark/benchmark.h>

#include "shell/vtDataDigest.h"
#include "vtBoardGames.h"
#include "vtGameCheck.h"
#include "vtSubmission.h"

namespace quellix::board {
namespace {

constexpr uint64_t LongNormalSeed = 23;

void CheckNormalGame(benchmark::State& state) {
  const std::string dataDir = QUELLIX_RUN_DIR "/";
  const TBoardGame game = RecordBoardGame(dataDir, sim::TPlayMode::Normal, LongNormalSeed);
  const std::vector<TDataDigest> data = DigestGameData(dataDir);
  int64_t ticks = 0;
  for (auto _ : state) {
    TSubmission submission = ReadSubmission(game.Replay, {}, data);
    ticks = submission.Replay.TickCount();
    const TCheckedGame checked = CheckGame(std::move(submission.Replay), dataDir);
    if (checked.Score != game.Score) state.SkipWithError("the check came to another score");
  }
  state.counters["ticks"] = static_cast<double>(ticks);
  state.counters["score"] = game.Score;
  state.counters["bytes"] = static_cast<double>(game.Replay.size());
}

BENCHMARK(CheckNormalGame)->Unit(benchmark::kMillisecond)->MinTime(5);

}  // namespace
}  // namespace quellix::board

BENCHMARK_MAIN();
