// Cost of a long high-score table: reading a file of N lines, writing it back and
// drawing the table screen. Reading and writing grow linearly with N (the fitted
// complexity is printed); drawing stays flat, since only the rows that fit on the
// screen are drawn.
#include <benchmark/benchmark.h>

#include <string>

#include "graphics/vtFontHandler.h"
#include "services/vtHighScore.h"
#include "shell/vtErrorLogger.h"
#include "vtQuietMedia.h"

namespace quellix {
namespace {

std::string TableText(int64_t lines) {
  std::string text;
  for (int64_t i = 0; i < lines; ++i)
    text += "\"Ann " + std::to_string(i) + "\"," + std::to_string(1000000 - i) + ",7,Devuvov\r\n";
  return text;
}

void BM_LoadTable(benchmark::State& state) {
  const std::string text = TableText(state.range(0));
  TfrmErrorLog log;
  Tvt6HighScoreEngine table(log);
  for (auto _ : state) table.LoadFromText(text, "highscores.txt");
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadTable)->RangeMultiplier(8)->Range(1 << 10, 1 << 19)->Complexity();

void BM_SaveTable(benchmark::State& state) {
  TfrmErrorLog log;
  Tvt6HighScoreEngine table(log);
  table.LoadFromText(TableText(state.range(0)), "highscores.txt");
  for (auto _ : state) benchmark::DoNotOptimize(table.AsText());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveTable)->RangeMultiplier(8)->Range(1 << 10, 1 << 19)->Complexity();

void BM_DrawTable(benchmark::State& state) {
  TfrmErrorLog log;
  Tvt6HighScoreEngine table(log);
  table.LoadFromText(TableText(state.range(0)), "highscores.txt");
  sim::TQuietDisplay display;
  Tvt6FontItem font;
  table.SetDisplay(&display);
  table.SetFont(&font);
  for (auto _ : state) table.DrawTable();
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DrawTable)->RangeMultiplier(8)->Range(1 << 10, 1 << 19)->Complexity();

}  // namespace
}  // namespace quellix

BENCHMARK_MAIN();
