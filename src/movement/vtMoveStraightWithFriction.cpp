#include "movement/vtMoveStraightWithFriction.h"

#include "config/vtSaturate.h"
#include "engine/vtSprite.h"

namespace quellix {

namespace {

// One axis: the speed changes after every interval + 1 runs, and only then is it held
// within its bounds (a start speed outside them stays until the first change).
void Accelerate(int32_t& count, int32_t interval, int32_t& speed, int32_t accel, int32_t max,
                int32_t min) {
  ++count;
  if (count <= interval) return;
  count = 0;
  speed += accel;
  if (speed > max)
    speed = max;
  else if (speed < min)
    speed = min;
}

}  // namespace

void TvtMove_StraightWithFriction::Init(int32_t xSpeed, int32_t ySpeed, int32_t xAccel,
                                        int32_t yAccel, int32_t xInterval, int32_t yInterval,
                                        int32_t maxXSpeed, int32_t maxYSpeed, int32_t minXSpeed,
                                        int32_t minYSpeed) {
  XSpeed = xSpeed;
  YSpeed = ySpeed;
  XAccel = xAccel;
  YAccel = yAccel;
  XInterval = xInterval;
  YInterval = yInterval;
  MaxXSpeed = maxXSpeed;
  MaxYSpeed = maxYSpeed;
  MinXSpeed = minXSpeed;
  MinYSpeed = minYSpeed;
}

void TvtMove_StraightWithFriction::Execute() {
  Sprite->X = SaturatedAdd(Sprite->X, XSpeed);
  Sprite->Y = SaturatedAdd(Sprite->Y, YSpeed);
  Accelerate(XCount, XInterval, XSpeed, XAccel, MaxXSpeed, MinXSpeed);
  Accelerate(YCount, YInterval, YSpeed, YAccel, MaxYSpeed, MinYSpeed);
}

}  // namespace quellix
