// Targets, anchors and parents freed while other sprites still point at them: the
// references read none and nothing freed is read (this test earns its keep under ASan).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "config/vtCommaList.h"
#include "movement/vtMoveOffsetFromSpritePattern.h"
#include "movement/vtMoveTowardsSprite.h"
#include "support/vtEngineTestKit.h"

namespace quellix {
namespace {

struct THunter {
  TSpriteRef Sprite;
  bool Homing = false;
  bool Frozen = false;  // its target (also its parent) has gone
  int32_t LastX = 0, LastY = 0;
};

TEST(FreedReferences, TargetsAnchorsAndParentsFreedMidFlightAreNeverRead) {
  testing::TEngineKit kit;
  Tvt6Engine& engine = kit.engine;
  TRandom& random = kit.ctx.Random;
  engine.PatternManager().ParseText(
      Join({Join({"circle", "10,0,0,0", "0,10,0,0", "-10,0,0,0", "0,-10,0,0"})}));
  const Tvt6Pattern* circle = engine.PatternManager().FindPattern("circle");

  std::vector<TSpriteRef> targets;
  for (int i = 0; i < 20; ++i) {
    Tvt6Sprite& target = kit.Spawn("enemy", random(700), random(500), 3, true);
    target.Lifetime = 5 + random(80);  // dies by time, at a different tick each
    targets.emplace_back(target);
  }
  std::vector<THunter> hunters;
  int orphaned = 0;
  for (int i = 0; i < 120; ++i) {
    Tvt6Sprite& target = *targets[static_cast<size_t>(random(20))].Get();
    Tvt6Sprite& hunter = kit.Spawn("dot", random(800), random(600), 0, false);
    hunter.Parent = target;
    THunter h{hunter, i % 2 == 0};
    if (h.Homing) {
      hunter.AddBehavior(std::make_unique<Tvt6Move_MoveTowardsSprite>())
          .Init(1 + random(3), 1 + random(3), target);
    } else {
      hunter.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>())
          .Init(target, circle, 0, 0, 0, true, true, false);
    }
    // A third of them go with their target, told through its OnKillSelf.
    if (i % 3 == 0) {
      TSpriteRef self = hunter;
      target.OnKillSelf.Subscribe(&hunter, [self, &orphaned](Tvt6Sprite*, const void*) {
        if (Tvt6Sprite* s = self.Get()) {
          s->Dead = true;
          ++orphaned;
        }
      });
    }
    hunters.push_back(h);
  }
  // Some targets are shot down mid-flight as well.
  Tvt6Sprite& gun = kit.Spawn("hole", 0, 0, 1, true);
  gun.OnCollide = [&](Tvt6Sprite&, Tvt6Sprite& hit) {
    if (hit.Kind == 3 && random(4) == 0) hit.Dead = true;
  };

  for (int tick = 0; tick < 120; ++tick) {
    gun.X = random(700);
    gun.Y = random(500);
    engine.CollideSprites(1);
    engine.DrawSprites();
    engine.UpdateSprites();
    engine.PurgeSprites();
    for (THunter& h : hunters) {
      Tvt6Sprite* s = h.Sprite.Get();
      if (!s || s->Parent) continue;
      // From the tick after its target went, a hunter stands still: the homing
      // movement finds no target, the anchored one ends.
      if (h.Frozen) {
        EXPECT_EQ(s->X, h.LastX);
        EXPECT_EQ(s->Y, h.LastY);
      }
      h.Frozen = true;
      h.LastX = s->X;
      h.LastY = s->Y;
    }
  }
  for (const TSpriteRef& t : targets) EXPECT_FALSE(t) << "every target has gone by now";
  EXPECT_EQ(orphaned, 40);
  for (const THunter& h : hunters) {
    if (const Tvt6Sprite* s = h.Sprite.Get()) {
      EXPECT_TRUE(h.Frozen);
      EXPECT_EQ(s->BehaviorCount(), h.Homing ? 1 : 0) << "the ended orbits were purged";
    }
  }
  EXPECT_EQ(engine.SpriteCount(), 1 + 80);
}

}  // namespace
}  // namespace quellix
