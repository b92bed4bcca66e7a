#include "movement/vtMoveTowardsSprite.h"

#include "engine/vtSprite.h"
#include "movement/vtStepTowards.h"

namespace quellix {

void Tvt6Move_MoveTowardsSprite::Init(int32_t xSpeed, int32_t ySpeed, TSpriteRef target) {
  XSpeed = xSpeed;
  YSpeed = ySpeed;
  Target = std::move(target);
}

void Tvt6Move_MoveTowardsSprite::Execute() {
  const Tvt6Sprite* target = Target.Get();
  if (!target) return;
  Sprite->X = StepTowards(Sprite->X, target->X, XSpeed);
  Sprite->Y = StepTowards(Sprite->Y, target->Y, YSpeed);
}

}  // namespace quellix
