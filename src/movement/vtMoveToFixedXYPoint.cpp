#include "movement/vtMoveToFixedXYPoint.h"

#include "engine/vtSprite.h"
#include "movement/vtStepTowards.h"

namespace quellix {

void Tvt6Move_MoveToFixedXYPoint::Init(int32_t targetX, int32_t targetY, int32_t xStep,
                                       int32_t yStep) {
  TargetX = targetX;
  TargetY = targetY;
  XStep = xStep;
  YStep = yStep;
}

void Tvt6Move_MoveToFixedXYPoint::Execute() {
  Tvt6Sprite& sprite = *Sprite;
  if (sprite.X != TargetX)
    sprite.X = StepTowards(sprite.X, TargetX, XStep);
  else
    sprite.Y = StepTowards(sprite.Y, TargetY, YStep);
  if (OnArrive && sprite.X == TargetX && sprite.Y == TargetY) OnArrive(*this);
}

}  // namespace quellix
