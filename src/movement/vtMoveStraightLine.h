// Moves the sprite by a fixed step per run, for ever.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class Tvt6SpriteMove_StraightLine : public Tvt6SpriteMovement {
 public:
  int32_t YStep = 0;
  int32_t XStep = 0;

  void SetSpeed(int32_t xStep, int32_t yStep);
  void Execute() override;
};

}  // namespace quellix
