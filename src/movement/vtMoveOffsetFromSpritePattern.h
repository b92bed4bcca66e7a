// Places the sprite on the next point of a pattern every run, the pattern carried by
// another sprite (the anchor) plus a fixed offset, so the path travels with the anchor.
// Errors (no pattern, an index outside it) are logged and the sprite keeps its place
// for that run. Once the anchor has gone the movement ends.
#pragma once

#include <cstdint>

#include "engine/vtSpriteMovement.h"
#include "engine/vtSpriteRef.h"

namespace quellix {

class Tvt6Pattern;

class Tvt6Move_OffsetFromSpritePattern : public Tvt6SpriteMovement {
 public:
  bool StopAtEnd = false;  // end the movement after the last point when not looping
  bool Loop = false;
  int32_t Index = 0;  // the point taken next
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  const Tvt6Pattern* Pattern = nullptr;  // owned by the pattern manager
  bool Forward = true;
  TSpriteRef Anchor;

  void Init(TSpriteRef anchor, const Tvt6Pattern* pattern, int32_t startIndex, int32_t offsetX,
            int32_t offsetY, bool forward, bool loop, bool stopAtEnd);
  void Execute() override;
};

}  // namespace quellix
