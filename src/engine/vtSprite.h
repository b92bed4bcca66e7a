// The one game object. Ships, shots, enemies, texts and decorations are all sprites that
// differ in their values, behaviours and handlers. An engine creates and owns them; game
// code never frees one, it sets Dead and the engine's purge frees it at the end of the
// tick, running its OnKillSelf subscriptions first.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "base/vtMsgSubscribe.h"
#include "engine/vtGear.h"
#include "engine/vtSpriteMovement.h"
#include "engine/vtSpriteRef.h"
#include "graphics/vtContext.h"
#include "graphics/vtProjector.h"

namespace quellix {

using TSpriteEvent = std::function<void(Tvt6Sprite& sprite)>;
// The tester comes first, the target second.
// A box a sprite is tested against in a collision: its top-left corner and its size.
struct TBox {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

using TCollideEvent = std::function<void(Tvt6Sprite& tester, Tvt6Sprite& target)>;

class Tvt6Sprite {
 public:
  // A drawing value of this or more means "the frame's own"; a Lifetime or Countdown of
  // this or more never runs out.
  static constexpr int32_t NotSet = 32000;
  static constexpr double NotSetFraction = 32000.0;
  // DrawMode values; any other value is not drawn.
  static constexpr uint8_t dmImage = 0;
  static constexpr uint8_t dmCentered = 1;

  explicit Tvt6Sprite(const TVintorContext& context);
  ~Tvt6Sprite();
  Tvt6Sprite(const Tvt6Sprite&) = delete;
  Tvt6Sprite& operator=(const Tvt6Sprite&) = delete;

 private:
  std::vector<std::unique_ptr<Tvt6SpriteMovement>> Behaviors;  // run in list order

 public:
  bool Dead = false;
  bool Collidable = false;    // tested as tester and as target
  int32_t Lifetime = NotSet;  // drawn ticks left
  std::unique_ptr<Tvt6Projector> Projector;
  int32_t X = 0;            // left edge of the image (its centre with dmCentered)
  int32_t ScaleY = NotSet;  // per cent
  int32_t Alpha = NotSet;   // 0..255
  int32_t Y = 0;
  double CenterY = NotSetFraction;  // fraction of the drawn height
  double CenterX = NotSetFraction;
  int32_t ScaleX = NotSet;
  int32_t Angle = NotSet;     // 256ths of a turn
  int32_t Kind = 0;           // the game's kind code
  TSpriteEvent OnTick;        // after the behaviours
  TSpriteEvent OnBeforeTick;  // before the behaviours
  uint8_t DrawMode = dmImage;
  TCollideEvent OnCollide;
  int32_t Strength = 0;  // an enemy's armour, a hitter's damage

 private:
  std::vector<Tvt6Gear> fGears;  // entry i is read for behaviour i

 public:
  int32_t Layer = 0;           // set through the engine's SetLayer
  int32_t CollideAdjustY = 0;  // box adjustments when this sprite is a target
  int32_t CollideAdjustX = 0;
  TSpriteRef Parent;
  Tvt6SubscriptionEngine OnKillSelf;  // run once when the sprite is destroyed
  int32_t Countdown = 0;              // game timer, lowered by each update while 1..31999
  // Given by the engine that takes the sprite: its sprites in the order they came, from
  // 1, so that a display can tell a sprite from a newer one made at the same address.
  uint64_t Serial = 0;

  // Makes the sprite ready for (re)use; kind, layer, strength, parent, handlers,
  // behaviours and projector are left as they are.
  void Place(int32_t x, int32_t y, int32_t lifetime, bool collidable);

  // The sprite takes the behaviour over, with a gear that fires on every tick.
  Tvt6SpriteMovement& AddBehavior(std::unique_ptr<Tvt6SpriteMovement> behavior);
  template <class T>
  T& AddBehavior(std::unique_ptr<T> behavior) {
    T& added = *behavior;
    AddBehavior(std::unique_ptr<Tvt6SpriteMovement>(std::move(behavior)));
    return added;
  }
  // None outside the lists.
  Tvt6SpriteMovement* GetBehavior(int index) const;
  Tvt6Gear* GetGear(int index);
  int BehaviorCount() const { return static_cast<int>(Behaviors.size()); }
  void ClearBehaviors() { Behaviors.clear(); }
  // Frees every finished behaviour, the last one included (the engine's purge).
  void PurgeBehaviors();

  // Draws through the projector and counts Lifetime down.
  void Draw();
  // Runs the countdown, the handlers and the behaviours whose gears fire.
  void Update();
  // Tests this sprite (the tester) against a target's box; on a hit, OnCollide runs.
  bool Collide(Tvt6Sprite& target, int32_t boxLeft, int32_t boxTop, int32_t boxWidth,
               int32_t boxHeight);
  // Whether a tester at (x, y) of the given size touches the box, by Collide's rule: the
  // box's size counts first, the tester's own only where that falls short. Inline: a
  // collision pass asks it of every pair.
  static bool Touches(int32_t x, int32_t y, int32_t width, int32_t height, const TBox& box) {
    const int64_t dx = std::llabs(int64_t{x} - box.Left);
    int64_t ox = box.Width - dx;
    if (ox < 0) ox = width - dx;
    const int64_t dy = std::llabs(int64_t{y} - box.Top);
    int64_t oy = box.Height - dy;
    if (oy < 0) oy = height - dy;
    return ox >= 1 && oy >= 1;
  }
  // The same with the tester's own size, its projector's GetDims, asked already.
  bool Collide(Tvt6Sprite& target, int32_t boxLeft, int32_t boxTop, int32_t boxWidth,
               int32_t boxHeight, int32_t width, int32_t height);

  const TVintorContext& Context() const { return fContext; }

 private:
  friend class TSpriteRef;

  TVintorContext fContext;
  // The cell every TSpriteRef to this sprite shares; emptied when destruction begins.
  std::shared_ptr<Tvt6Sprite*> fSelf;
};

}  // namespace quellix
