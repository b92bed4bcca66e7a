// Homes on another sprite: both axes move towards the target's position of this run
// by at most their speed, never overshooting. Once the target has gone (or without
// one) the sprite stands still.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"
#include "engine/vtSpriteRef.h"

namespace quellix {

class Tvt6Move_MoveTowardsSprite : public Tvt6SpriteMovement {
 public:
  int32_t XSpeed = 0;
  int32_t YSpeed = 0;
  TSpriteRef Target;

  void Init(int32_t xSpeed, int32_t ySpeed, TSpriteRef target);
  void Execute() override;
};

}  // namespace quellix
