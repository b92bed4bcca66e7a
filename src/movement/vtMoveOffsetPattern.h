// Flies the sprite from point to point of a pattern, shifted by a fixed offset, at most
// a step per run along each axis. Reaching a point aims at the next; past the end of
// the pattern OnEnd fires and the walk loops, stops, or (with neither) fails on its
// next run.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"

namespace quellix {

class Tvt6Pattern;

class Tvt6Move_OffsetPattern : public Tvt6SpriteMovement {
 public:
  bool StopAtEnd = false;
  bool Forward = true;  // walk the points upwards
  bool Loop = false;
  int32_t Index = 0;  // the point aimed at
  int32_t XStep = 0;
  int32_t YStep = 0;
  TMovementEvent<Tvt6Move_OffsetPattern> OnEnd;
  const Tvt6Pattern* Pattern = nullptr;  // owned by the pattern manager
  int32_t OffsetY = 0;
  int32_t OffsetX = 0;

  void Init(const Tvt6Pattern* pattern, int32_t startIndex, int32_t xStep, int32_t yStep,
            int32_t offsetX, int32_t offsetY, bool forward, bool loop, bool stopAtEnd);
  void SetOnEnd(TMovementEvent<Tvt6Move_OffsetPattern> handler) { OnEnd = std::move(handler); }
  // Throws without a pattern or with Index outside it.
  void Execute() override;
};

}  // namespace quellix
