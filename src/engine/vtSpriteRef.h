// A reference to a sprite held outside its engine's list (a parent, a movement's
// target or anchor, the engine's latest sprite, a game unit's ship). It reads as none
// once the sprite's destruction has begun, so a freed sprite is never read.
#pragma once

#include <cstddef>
#include <memory>

namespace quellix {

class Tvt6Sprite;

class TSpriteRef {
 public:
  TSpriteRef() = default;
  TSpriteRef(std::nullptr_t) {}
  TSpriteRef(Tvt6Sprite* sprite);
  TSpriteRef(Tvt6Sprite& sprite) : TSpriteRef(&sprite) {}

  // The sprite, or none when there was none or it has gone.
  Tvt6Sprite* Get() const { return fCell ? *fCell : nullptr; }
  explicit operator bool() const { return Get() != nullptr; }
  // Whether this was made from that sprite; true also while it is being destroyed.
  bool Refers(const Tvt6Sprite& sprite) const;
  void Reset() { fCell.reset(); }

 private:
  // Shared with the sprite, which empties it when its destruction begins.
  std::shared_ptr<Tvt6Sprite*> fCell;
};

}  // namespace quellix
