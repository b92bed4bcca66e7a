// Ramps the sprite's opacity by a step per run until it leaves 0..255, then sets a
// final opacity and ends.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class Tvt6Behavior_BlinkSprite : public Tvt6SpriteMovement {
 public:
  int32_t FinalAlpha = 0;
  int32_t Alpha = 0;  // the current opacity
  int32_t Step = 0;

  void Init(int32_t startAlpha, int32_t step, int32_t finalAlpha);
  void Execute() override;
};

}  // namespace quellix
