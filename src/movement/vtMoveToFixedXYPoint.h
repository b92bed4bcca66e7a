// Moves the sprite to a fixed point along an L: first along X, then along Y, by at
// most a step per run. OnArrive fires on the run the sprite arrives and on every run
// while it sits there; the movement never finishes by itself.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class Tvt6Move_MoveToFixedXYPoint : public Tvt6SpriteMovement {
 public:
  TMovementEvent<Tvt6Move_MoveToFixedXYPoint> OnArrive;
  int32_t XStep = 0;
  int32_t TargetY = 0;
  int32_t TargetX = 0;
  int32_t YStep = 0;

  void Init(int32_t targetX, int32_t targetY, int32_t xStep, int32_t yStep);
  void SetOnArrive(TMovementEvent<Tvt6Move_MoveToFixedXYPoint> handler) {
    OnArrive = std::move(handler);
  }
  void Execute() override;
};

}  // namespace quellix
