#include "engine/vtSpriteRef.h"

#include "engine/vtSprite.h"

namespace quellix {

TSpriteRef::TSpriteRef(Tvt6Sprite* sprite) {
  if (sprite) fCell = sprite->fSelf;
}

bool TSpriteRef::Refers(const Tvt6Sprite& sprite) const {
  return fCell && fCell == sprite.fSelf;
}

}  // namespace quellix
