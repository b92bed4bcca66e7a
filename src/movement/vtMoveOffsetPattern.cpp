#include "movement/vtMoveOffsetPattern.h"

#include <stdexcept>

#include "config/vtPattern.h"
#include "config/vtSaturate.h"
#include "engine/vtSprite.h"
#include "movement/vtStepTowards.h"

namespace quellix {

void Tvt6Move_OffsetPattern::Init(const Tvt6Pattern* pattern, int32_t startIndex, int32_t xStep,
                                  int32_t yStep, int32_t offsetX, int32_t offsetY, bool forward,
                                  bool loop, bool stopAtEnd) {
  Pattern = pattern;
  Index = startIndex;
  XStep = xStep;
  YStep = yStep;
  OffsetX = offsetX;
  OffsetY = offsetY;
  Forward = forward;
  Loop = loop;
  StopAtEnd = stopAtEnd;
}

void Tvt6Move_OffsetPattern::Execute() {
  if (Done) return;
  if (!Pattern) throw std::logic_error("Tvt6Move_OffsetPattern has no pattern");
  const Tvt6PatternPoint& point = Pattern->Point(Index);
  const int32_t targetX = SaturatedAdd(point.X, OffsetX);
  const int32_t targetY = SaturatedAdd(point.Y, OffsetY);
  Tvt6Sprite& sprite = *Sprite;
  sprite.X = StepTowards(sprite.X, targetX, XStep);
  sprite.Y = StepTowards(sprite.Y, targetY, YStep);
  if (sprite.X != targetX || sprite.Y != targetY) return;

  // A backward walk ends on point 1: point 0 is only aimed at when the walk starts there.
  const bool ended = Forward ? ++Index >= Pattern->Count() : --Index < 1;
  if (!ended) return;
  if (OnEnd) OnEnd(*this);
  if (Loop) Index = Forward ? 0 : Pattern->Count() - 1;
  if (StopAtEnd) Done = true;
}

}  // namespace quellix
