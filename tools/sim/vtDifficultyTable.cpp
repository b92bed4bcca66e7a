#include "vtDifficultyTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace quellix::sim {

namespace {

constexpr double Z95 = 1.959964;

std::string Format(const TEstimate& e, int decimals) {
  char text[96];
  std::snprintf(text, sizeof text, "%.*f (%.*f-%.*f)", decimals, e.Value, decimals, e.Low, decimals,
                e.High);
  return text;
}

std::string Percent(int64_t part, int64_t whole) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f%%", whole > 0 ? 100.0 * part / whole : 0.0);
  return text;
}

}  // namespace

TMeasure Measure(std::vector<double> values) {
  TMeasure m;
  const size_t n = values.size();
  if (n == 0) return m;
  std::sort(values.begin(), values.end());
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / double(n);
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  const double error = n > 1 ? std::sqrt(squares / double(n - 1) / double(n)) : 0.0;
  m.Mean = {mean, mean - Z95 * error, mean + Z95 * error};

  const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
  // Ranks from 1: the interval runs from rank n/2 - z sqrt(n)/2 to n/2 + z sqrt(n)/2 + 1.
  const double spread = Z95 * std::sqrt(double(n)) / 2.0;
  const auto low = static_cast<size_t>(std::max(1.0, std::floor(double(n) / 2.0 - spread)));
  const auto high =
      static_cast<size_t>(std::min(double(n), std::ceil(double(n) / 2.0 + spread + 1.0)));
  m.Median = {median, values[low - 1], values[high - 1]};
  return m;
}

TModeSummary Summarize(TPlayMode mode, const std::vector<TGameOutcome>& outcomes) {
  TModeSummary s;
  s.Mode = mode;
  s.Games = static_cast<int64_t>(outcomes.size());
  std::vector<double> levels, ticks, scores;
  for (const TGameOutcome& o : outcomes) {
    levels.push_back(o.Level);
    ticks.push_back(static_cast<double>(o.Stats.PlayTicks));
    scores.push_back(o.Score);
    if (o.Level >= 2) ++s.ClearedLevel1;
    if (o.End == TGameEnd::MaxTicks) ++s.CutShort;
  }
  s.Level = Measure(levels);
  s.Ticks = Measure(ticks);
  s.Score = Measure(scores);
  return s;
}

bool OrderHolds(const std::vector<TModeSummary>& modes) {
  for (size_t i = 1; i < modes.size(); ++i) {
    const TMeasure& easier = modes[i - 1].Level;
    const TMeasure& harder = modes[i].Level;
    if (!easier.Mean.Above(harder.Mean) || !easier.Median.Above(harder.Median)) return false;
  }
  return true;
}

std::string DifficultyPage(const std::vector<TModeSummary>& modes, const std::string& command) {
  std::string page =
      "# Difficulty, measured\n\n"
      "How far the skilled bot of `quellix-sim` gets at each difficulty: it plays as a decent\n"
      "player would (see docs/simulator.md), each game a fresh start with its own seed. The\n"
      "figures are the mean and the median of each game's last level, of its ticks in play\n"
      "before the game was over (25 ticks a second) and of its score; in brackets the 95%\n"
      "interval of each. Made by `scripts/difficulty.sh`, which ran\n\n    " +
      command + "\n\nonce for each difficulty; the page is its output, unedited.\n\n";
  page +=
      "| Difficulty | Games | Level: mean | Level: median | Ticks: mean | Ticks: median | "
      "Score: mean | Score: median | Cleared level 1 | Cut short |\n"
      "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |\n";
  for (const TModeSummary& m : modes) {
    page += "| " + std::string(PlayModeName(m.Mode)) + " | " + std::to_string(m.Games) + " | " +
            Format(m.Level.Mean, 1) + " | " + Format(m.Level.Median, 1) + " | " +
            Format(m.Ticks.Mean, 0) + " | " + Format(m.Ticks.Median, 0) + " | " +
            Format(m.Score.Mean, 0) + " | " + Format(m.Score.Median, 0) + " | " +
            Percent(m.ClearedLevel1, m.Games) + " | " + std::to_string(m.CutShort) + " |\n";
  }
  page += "\n";
  page += OrderHolds(modes)
              ? "The order holds: each difficulty's intervals of the mean and the median level "
                "lie wholly above the next harder one's.\n"
              : "**The order does not hold**: some difficulty's interval of the mean or the "
                "median level reaches into the next harder one's.\n";
  page +=
      "\"Cleared level 1\" counts the games that reached level 2; \"cut short\" the games the "
      "tick budget (`--max-ticks`) ended before they were over.\n";
  return page;
}

}  // namespace quellix::sim
