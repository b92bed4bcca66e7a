#include "media/vtFrameClock.h"

#include <algorithm>
#include <limits>

namespace quellix::media {

TTickPlan PlanTick(uint64_t deadline, uint64_t now, uint64_t period) {
  if (now < deadline || period == 0) return {false, 0, deadline};
  const uint64_t missed = (now - deadline) / period;
  const auto lag =
      static_cast<int32_t>(std::min<uint64_t>(missed, std::numeric_limits<int32_t>::max()));
  return {true, lag, deadline + (missed + 1) * period};
}

uint32_t WaitMilliseconds(uint64_t deadline, uint64_t now, uint64_t frequency) {
  if (now >= deadline || frequency == 0) return 0;
  const uint64_t remaining = deadline - now;
  // Rounding up: waking a little late costs nothing on the grid, waking early spins.
  const uint64_t ms =
      remaining / frequency * 1000 + ((remaining % frequency) * 1000 + frequency - 1) / frequency;
  return static_cast<uint32_t>(std::min<uint64_t>(ms, std::numeric_limits<uint32_t>::max()));
}

}  // namespace quellix::media
