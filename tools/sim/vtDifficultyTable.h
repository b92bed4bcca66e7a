// The difficulty table: how far the skilled bot gets at each difficulty, with 95%
// intervals, in the Markdown of docs/difficulty.md.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vtSimGame.h"

namespace quellix::sim {

struct TEstimate {
  double Value = 0, Low = 0, High = 0;
  // Whether the whole interval lies above the other's.
  bool Above(const TEstimate& other) const { return Low > other.High; }
};

// The mean with its normal-approximation interval (1.96 standard errors either way) and
// the median with its distribution-free interval (the order statistics n/2 -/+ 0.98 sqrt n,
// rounded outwards).
struct TMeasure {
  TEstimate Mean, Median;
};
TMeasure Measure(std::vector<double> values);

struct TModeSummary {
  TPlayMode Mode = TPlayMode::Normal;
  int64_t Games = 0;
  TMeasure Level, Ticks, Score;
  // Games that reached level 2, and games the tick budget cut short.
  int64_t ClearedLevel1 = 0;
  int64_t CutShort = 0;
};
// Ticks survived are the ticks in play before the game was over.
TModeSummary Summarize(TPlayMode mode, const std::vector<TGameOutcome>& outcomes);

// Whether each mode's level intervals (mean and median) lie wholly above the next's.
bool OrderHolds(const std::vector<TModeSummary>& modes);

// The page: how it was made, the table, and whether the order holds.
std::string DifficultyPage(const std::vector<TModeSummary>& modes, const std::string& command);

}  // namespace quellix::sim
