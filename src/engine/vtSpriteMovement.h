// The base of every movement and behaviour. A sprite owns its behaviours (AddBehavior
// sets Sprite) and calls Execute on every tick on which the behaviour's gear fires,
// until the behaviour is Done; finished behaviours are freed by the sprite's update or
// the engine's purge.
#pragma once

#include <functional>

namespace quellix {

class Tvt6Sprite;

// A movement's event, called with the movement as sender.
template <class TMovement>
using TMovementEvent = std::function<void(TMovement& sender)>;

class Tvt6SpriteMovement {
 public:
  virtual ~Tvt6SpriteMovement();

  // The owning sprite, which outlives its behaviours; none until AddBehavior.
  Tvt6Sprite* Sprite = nullptr;
  // Set by the behaviour when its work is over, or by game code to cancel it.
  bool Done = false;

  // One step of the behaviour. The base does nothing.
  virtual void Execute();
};

}  // namespace quellix
