#include "vtReport.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#endif

#include <fstream>
#include <string_view>
#include <vector>

namespace quellix::sim {

namespace {

constexpr auto FirstLineAfter = std::chrono::seconds(3);
constexpr auto LineEvery = std::chrono::seconds(2);
constexpr int64_t TicksBetweenClockReads = 4096;

}  // namespace

namespace {

// A file name inside JSON quotes: backslashes and quotes escaped, control characters as
// \u escapes.
std::string JsonText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

// The outcome's fields in their order: the key, the value as text, and whether it is text.
struct TField {
  std::string_view Key;
  std::string Value;
  bool Text = false;
};

std::vector<TField> Fields(int64_t game, const TGameOutcome& outcome) {
  const TGameStats& stats = outcome.Stats;
  const auto number = [](auto value) { return std::to_string(value); };
  std::vector<TField> fields = {{"game", number(game)}, {"seed", number(outcome.Seed)}};
  if (outcome.Replay.empty()) {
    fields.push_back({"difficulty", std::string(PlayModeName(outcome.Mode)), true});
    fields.push_back({"bot", std::string(BotName(outcome.Bot)), true});
  } else {
    fields.push_back({"replay", JsonText(outcome.Replay), true});
  }
  fields.insert(fields.end(), {{"level", number(outcome.Level)},
                               {"score", number(outcome.Score)},
                               {"ticks", number(stats.Ticks)},
                               {"play_ticks", number(stats.PlayTicks)},
                               {"ships_lost", number(stats.ShipsLost)},
                               {"bombs", number(stats.Bombs)},
                               {"games", number(stats.GamesStarted)},
                               {"log_errors", number(outcome.LoggedErrors.size())},
                               {"end", std::string(GameEndName(outcome.End)), true}});
  return fields;
}

}  // namespace

std::string OutcomeJson(int64_t game, const TGameOutcome& outcome) {
  std::string line = "{";
  for (const TField& field : Fields(game, outcome)) {
    if (line.size() > 1) line += ",";
    (((line += "\"") += field.Key) += "\":");
    line += field.Text ? "\"" + field.Value + "\"" : field.Value;
  }
  return line + "}";
}

std::string OutcomeText(int64_t game, const TGameOutcome& outcome) {
  std::string line;
  for (const TField& field : Fields(game, outcome)) {
    if (!line.empty()) line += ", ";
    ((line += field.Key) += " ") += field.Value;
  }
  return line;
}

#ifdef _WIN32
int64_t ResidentKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<int64_t>(counters.WorkingSetSize / 1024);
}
#else
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
#endif

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
