#include "engine/vtGear.h"

namespace quellix {

void Tvt6Gear::SetGear(int32_t interval, int32_t firstDelay, int32_t intervalStep,
                       int32_t stepEvery, int32_t minInterval, int32_t maxInterval) {
  Interval = interval;
  FirstDelay = firstDelay;
  IntervalStep = intervalStep;
  StepEvery = stepEvery;
  MinInterval = minInterval;
  MaxInterval = maxInterval;
  Remaining = FirstDelay;
  FiringCount = 1;
}

bool Tvt6Gear::Tick() {
  --Remaining;
  if (Remaining > 0) return false;
  if (StepEvery < NeverStep) ++FiringCount;
  // The count restarts at 1, so the interval changes every StepEvery - 1 firings.
  if (FiringCount >= StepEvery) {
    FiringCount = 1;
    Interval += IntervalStep;
    if (Interval < MinInterval)
      Interval = MinInterval;
    else if (Interval > MaxInterval)
      Interval = MaxInterval;
  }
  Remaining = Interval;
  return true;
}

}  // namespace quellix
