#include "game/vtHitterStep.h"

#include "engine/vtSprite.h"
#include "movement/vtMoveStraightLine.h"

namespace quellix {

std::optional<TStep> FirstMovementStep(const Tvt6Sprite& sprite) {
  const auto* line = dynamic_cast<const Tvt6SpriteMove_StraightLine*>(sprite.GetBehavior(0));
  if (!line) return std::nullopt;
  return TStep{line->XStep, line->YStep};
}

}  // namespace quellix
