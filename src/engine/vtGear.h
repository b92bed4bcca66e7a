// A gear decides on which ticks a behaviour runs: every Interval ticks after a first
// delay, with the interval stepping by IntervalStep (within MinInterval..MaxInterval)
// every time the firing count reaches StepEvery.
#pragma once

#include <cstdint>

namespace quellix {

class Tvt6Gear {
 public:
  // A StepEvery of this or more keeps the interval fixed.
  static constexpr int32_t NeverStep = 32000;

  int32_t MaxInterval = 0;
  int32_t StepEvery = NeverStep;
  int32_t IntervalStep = 0;
  int32_t Interval = 0;  // 0 and 1 both fire every tick
  int32_t FirstDelay = 0;
  int32_t Remaining = 0;
  int32_t MinInterval = 0;
  int32_t FiringCount = 1;

  void SetGear(int32_t interval, int32_t firstDelay, int32_t intervalStep, int32_t stepEvery,
               int32_t minInterval, int32_t maxInterval);

  // Called once per tick; true when the behaviour is to run on this tick.
  bool Tick();
};

}  // namespace quellix
