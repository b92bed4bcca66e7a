#include "movement/vtMoveStraightLine.h"

#include "config/vtSaturate.h"
#include "engine/vtSprite.h"

namespace quellix {

void Tvt6SpriteMove_StraightLine::SetSpeed(int32_t xStep, int32_t yStep) {
  XStep = xStep;
  YStep = yStep;
}

void Tvt6SpriteMove_StraightLine::Execute() {
  if (Done) return;
  Sprite->X = SaturatedAdd(Sprite->X, XStep);
  Sprite->Y = SaturatedAdd(Sprite->Y, YStep);
}

}  // namespace quellix
