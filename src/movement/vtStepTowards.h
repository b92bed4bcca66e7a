// The move of one axis towards a target by at most a step, as every movement that
// aims at a point makes it: a remainder smaller than the step snaps onto the target.
// A negative step moves away for ever; a step of 0 never arrives.
#pragma once

#include <cstdint>

#include "config/vtSaturate.h"

namespace quellix {

constexpr int32_t StepTowards(int32_t value, int32_t target, int32_t step) {
  if (value < target) return int64_t{target} - value < step ? target : SaturatedAdd(value, step);
  if (value > target) return int64_t{value} - target < step ? target : SaturatedSub(value, step);
  return value;
}

}  // namespace quellix
