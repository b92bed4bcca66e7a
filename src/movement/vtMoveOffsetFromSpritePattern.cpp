#include "movement/vtMoveOffsetFromSpritePattern.h"

#include <exception>
#include <stdexcept>

#include "base/vtLog.h"
#include "config/vtPattern.h"
#include "config/vtSaturate.h"
#include "engine/vtSprite.h"

namespace quellix {

void Tvt6Move_OffsetFromSpritePattern::Init(TSpriteRef anchor, const Tvt6Pattern* pattern,
                                            int32_t startIndex, int32_t offsetX, int32_t offsetY,
                                            bool forward, bool loop, bool stopAtEnd) {
  Anchor = std::move(anchor);
  Pattern = pattern;
  Index = startIndex;
  OffsetX = offsetX;
  OffsetY = offsetY;
  Forward = forward;
  Loop = loop;
  StopAtEnd = stopAtEnd;
}

void Tvt6Move_OffsetFromSpritePattern::Execute() {
  if (Done) return;
  const Tvt6Sprite* anchor = Anchor.Get();
  if (!anchor) {
    Done = true;
    return;
  }
  try {
    if (!Pattern) throw std::logic_error("Tvt6Move_OffsetFromSpritePattern has no pattern");
    const Tvt6PatternPoint& point = Pattern->Point(Index);
    Sprite->X = Saturate32(int64_t{point.X} + anchor->X + OffsetX);
    Sprite->Y = Saturate32(int64_t{point.Y} + anchor->Y + OffsetY);
    const bool ended = Forward ? ++Index >= Pattern->Count() : --Index < 1;
    if (!ended) return;
    if (Loop) Index = Forward ? 0 : Pattern->Count() - 1;
    if (StopAtEnd) Done = true;
  } catch (const std::exception& e) {
    Sprite->Context().Log.Log(e.what());
  }
}

}  // namespace quellix
