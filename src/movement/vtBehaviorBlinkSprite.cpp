#include "movement/vtBehaviorBlinkSprite.h"

#include "engine/vtSprite.h"

namespace quellix {

void Tvt6Behavior_BlinkSprite::Init(int32_t startAlpha, int32_t step, int32_t finalAlpha) {
  Alpha = startAlpha;
  Step = step;
  FinalAlpha = finalAlpha;
}

void Tvt6Behavior_BlinkSprite::Execute() {
  if (Done) return;
  Alpha += Step;
  if (Alpha < 0 || Alpha > 255) {
    Alpha = FinalAlpha;
    Done = true;
  }
  Sprite->Alpha = Alpha;
}

}  // namespace quellix
