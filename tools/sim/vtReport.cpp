#include "vtReport.h"

#include <fstream>

namespace quellix::sim {

namespace {

constexpr auto FirstLineAfter = std::chrono::seconds(3);
constexpr auto LineEvery = std::chrono::seconds(2);
constexpr int64_t TicksBetweenClockReads = 4096;

}  // namespace

std::string OutcomeJson(int64_t game, const TGameOutcome& outcome) {
  const TGameStats& stats = outcome.Stats;
  char line[512];
  std::snprintf(line, sizeof line,
                "{\"game\":%lld,\"seed\":%llu,\"difficulty\":\"%s\",\"bot\":\"%s\",\"level\":%d,"
                "\"score\":%d,\"ticks\":%lld,\"play_ticks\":%lld,\"ships_lost\":%d,\"bombs\":%d,"
                "\"games\":%d,\"log_errors\":%zu,\"end\":\"%s\"}",
                static_cast<long long>(game), static_cast<unsigned long long>(outcome.Seed),
                std::string(PlayModeName(outcome.Mode)).c_str(),
                std::string(BotName(outcome.Bot)).c_str(), outcome.Level, outcome.Score,
                static_cast<long long>(stats.Ticks), static_cast<long long>(stats.PlayTicks),
                stats.ShipsLost, stats.Bombs, stats.GamesStarted, outcome.LoggedErrors.size(),
                std::string(GameEndName(outcome.End)).c_str());
  return line;
}

std::string OutcomeText(int64_t game, const TGameOutcome& outcome) {
  const TGameStats& stats = outcome.Stats;
  char line[512];
  std::snprintf(line, sizeof line,
                "game %lld (seed %llu, %s, %s bot): level %d, score %d, %lld ticks (%lld playing), "
                "%d ships lost, %d bombs, %d games started, %zu errors logged, %s",
                static_cast<long long>(game), static_cast<unsigned long long>(outcome.Seed),
                std::string(PlayModeName(outcome.Mode)).c_str(),
                std::string(BotName(outcome.Bot)).c_str(), outcome.Level, outcome.Score,
                static_cast<long long>(stats.Ticks), static_cast<long long>(stats.PlayTicks),
                stats.ShipsLost, stats.Bombs, stats.GamesStarted, outcome.LoggedErrors.size(),
                std::string(GameEndName(outcome.End)).c_str());
  return line;
}

int64_t ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      int64_t kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

TRunReport::TRunReport(std::FILE* out, int64_t games)
    : fOut(out), fGames(games), fNextLine(fStart + FirstLineAfter) {}

double TRunReport::Seconds() const {
  return std::chrono::duration<double>(TClock::now() - fStart).count();
}

void TRunReport::Tick() {
  const int64_t ticks = ++fTicks;
  if (ticks == 1) fStartMemory = ResidentKilobytes();
  if (!fOut || ticks % TicksBetweenClockReads != 0) return;
  const std::lock_guard<std::mutex> lock(fLineLock);
  if (TClock::now() < fNextLine) return;
  fNextLine = TClock::now() + LineEvery;
  std::fprintf(fOut, "quellix-sim: %lld of %lld games played, %lld ticks in %.0f s\n",
               static_cast<long long>(fGamesDone), static_cast<long long>(fGames),
               static_cast<long long>(ticks), Seconds());
  fLineShown = true;
}

void TRunReport::Finish() {
  const double seconds = Seconds();
  if (!fOut || (!fLineShown && seconds < 3.0)) return;
  const auto ticks = static_cast<double>(fTicks);
  std::fprintf(fOut,
               "quellix-sim: %lld games, %.0f ticks in %.1f s (%.0f ticks a second); memory "
               "%.1f MB after start-up, %.1f MB at the end\n",
               static_cast<long long>(fGamesDone), ticks, seconds,
               seconds > 0 ? ticks / seconds : 0.0, static_cast<double>(fStartMemory) / 1024.0,
               static_cast<double>(ResidentKilobytes()) / 1024.0);
}

}  // namespace quellix::sim
