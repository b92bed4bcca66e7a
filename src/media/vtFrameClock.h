// Scheduling of the 40 ms frame timer against absolute deadlines on the performance
// counter: a tick is due when its deadline has passed, and the next deadline is the
// following multiple of the period on the same grid, so the timer never drifts. A late
// tick fires once and reports how many ticks it missed; there is no burst to catch up.
#pragma once

#include <cstdint>

namespace quellix::media {

struct TTickPlan {
  bool Fire = false;
  int32_t Lag = 0;            // ticks missed before this one
  uint64_t NextDeadline = 0;  // the deadline after this step
};

// What to do at time now for a tick due at deadline (times and period in counter units).
TTickPlan PlanTick(uint64_t deadline, uint64_t now, uint64_t period);

// Whole milliseconds to wait for the deadline, rounded up; 0 once it is due.
uint32_t WaitMilliseconds(uint64_t deadline, uint64_t now, uint64_t frequency);

}  // namespace quellix::media
