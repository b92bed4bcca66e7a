// A straight line whose speeds change in steps: every (interval + 1)-th run a speed
// takes its acceleration and is then held within its bounds. Against the direction of
// flight the acceleration acts as friction: the sprite slows, stops and drifts back.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class TvtMove_StraightWithFriction : public Tvt6SpriteMovement {
 public:
  int32_t YInterval = 0;
  int32_t XInterval = 0;
  int32_t YSpeed = 0;
  int32_t YAccel = 0;
  int32_t XAccel = 0;
  int32_t XSpeed = 0;
  int32_t XCount = 0;  // runs since the last change
  int32_t YCount = 0;
  int32_t MinXSpeed = 0;
  int32_t MinYSpeed = 0;
  int32_t MaxXSpeed = 0;
  int32_t MaxYSpeed = 0;

  void Execute() override;
  // Sets the ten values; the run counters keep theirs.
  virtual void Init(int32_t xSpeed, int32_t ySpeed, int32_t xAccel, int32_t yAccel,
                    int32_t xInterval, int32_t yInterval, int32_t maxXSpeed, int32_t maxYSpeed,
                    int32_t minXSpeed, int32_t minYSpeed);
};

}  // namespace quellix
