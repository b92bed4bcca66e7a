#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/vtSprite.h"
#include "graphics/vtAnimationEngine.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TDrawCall;
using testing::TTestContext;

// Counts its runs; finishes itself after a given number when asked to.
struct TCounter : Tvt6SpriteMovement {
  explicit TCounter(std::vector<std::string>* log = nullptr, std::string name = {},
                    int finishAfter = -1)
      : Log(log), Name(std::move(name)), FinishAfter(finishAfter) {}
  void Execute() override {
    ++Runs;
    if (Log) Log->push_back(Name);
    if (Runs == FinishAfter) Done = true;
  }
  std::vector<std::string>* Log;
  std::string Name;
  int FinishAfter;
  int Runs = 0;
};

struct SpriteTest : ::testing::Test {
  TTestContext ctx;
  testing::TFakeImageList& images = ctx.Platform.Images;
  Tvt6AnimationEngine anims{ctx.Context};

  SpriteTest() {
    images.Add("w10", 10, 10);
    images.Add("w20", 20, 12);
    anims.LoadFromStrings({"", "[REELREC]", "r", "[SCENEREC]", "w10", "255,0,0.5,0.5,100,100,w10,1",
                           "[ENDSCENE]", "[SCENEREC]", "w20", "255,0,0.5,0.5,100,100,w20,1",
                           "[ENDSCENE]"});
    anims.LinkImages(images);
  }

  std::unique_ptr<Tvt6Sprite> Make(const char* scene = "w10") {
    auto sprite = std::make_unique<Tvt6Sprite>(ctx.Context);
    sprite->Projector = std::make_unique<Tvt6Projector>(ctx.Log);
    sprite->Projector->Sprite = sprite.get();
    sprite->Projector->Init("r", scene, 0, Tvt6Projector::NotSet, 0, 0, 0, 0, nullptr, &images,
                            &anims);
    return sprite;
  }
};

TEST_F(SpriteTest, NewSpriteStartValues) {
  Tvt6Sprite s(ctx.Context);
  EXPECT_FALSE(s.Dead);
  EXPECT_FALSE(s.Collidable);
  EXPECT_EQ(s.Lifetime, 32000);
  EXPECT_EQ(s.Alpha, 32000);
  EXPECT_EQ(s.Angle, 32000);
  EXPECT_EQ(s.ScaleX, 32000);
  EXPECT_EQ(s.ScaleY, 32000);
  EXPECT_EQ(s.CenterX, 32000.0);
  EXPECT_EQ(s.CenterY, 32000.0);
  EXPECT_EQ(s.X, 0);
  EXPECT_EQ(s.Kind, 0);
  EXPECT_EQ(s.Layer, 0);
  EXPECT_EQ(s.DrawMode, 0);
  EXPECT_EQ(s.Countdown, 0);
  EXPECT_EQ(s.Projector, nullptr);
  EXPECT_EQ(s.BehaviorCount(), 0);
  EXPECT_EQ(s.OnKillSelf.Sprite, &s);
  EXPECT_FALSE(s.Parent);
}

TEST_F(SpriteTest, PlaceResetsDrawingValuesAndKeepsTheRest) {
  auto s = Make();
  auto other = Make();
  s->Kind = 7;
  s->Layer = 2;
  s->Strength = 5;
  s->Parent = other.get();
  int ticks = 0;
  s->OnTick = [&](Tvt6Sprite&) { ++ticks; };
  s->AddBehavior(std::make_unique<TCounter>());
  s->Dead = true;
  s->Alpha = 1;
  s->Angle = 2;
  s->ScaleX = s->ScaleY = 3;
  s->CenterX = s->CenterY = 0.1;
  s->CollideAdjustX = s->CollideAdjustY = -40;
  s->Countdown = 9;
  s->DrawMode = 1;
  s->Place(11, 22, 50, true);
  EXPECT_EQ(s->X, 11);
  EXPECT_EQ(s->Y, 22);
  EXPECT_EQ(s->Lifetime, 50);
  EXPECT_TRUE(s->Collidable);
  EXPECT_FALSE(s->Dead);
  EXPECT_EQ(s->Alpha, 32000);
  EXPECT_EQ(s->Angle, 32000);
  EXPECT_EQ(s->ScaleX, 32000);
  EXPECT_EQ(s->ScaleY, 32000);
  EXPECT_EQ(s->CenterX, 32000.0);
  EXPECT_EQ(s->CenterY, 32000.0);
  EXPECT_EQ(s->CollideAdjustX, 0);
  EXPECT_EQ(s->CollideAdjustY, 0);
  EXPECT_EQ(s->Countdown, 0);
  EXPECT_EQ(s->DrawMode, 0);
  EXPECT_EQ(s->Kind, 7);
  EXPECT_EQ(s->Layer, 2);
  EXPECT_EQ(s->Strength, 5);
  EXPECT_EQ(s->Parent.Get(), other.get());
  EXPECT_EQ(s->BehaviorCount(), 1);
  s->Update();
  EXPECT_EQ(ticks, 1) << "handlers survive Place";
}

TEST_F(SpriteTest, DrawUsesTheDrawModeAndSpriteValues) {
  auto s = Make("w20");
  s->Place(100, 50, 32000, false);
  s->Alpha = 128;
  s->Draw();
  ASSERT_EQ(images.Calls.size(), 1u);
  EXPECT_EQ(images.Calls[0].Op, TDrawCall::DrawAlpha);
  EXPECT_EQ(images.Calls[0].Rect, Bounds(100, 50, 20, 12));
  s->DrawMode = Tvt6Sprite::dmCentered;
  s->Alpha = 32000;
  s->Draw();
  EXPECT_EQ(images.Calls[1].Op, TDrawCall::Draw);
  EXPECT_EQ(images.Calls[1].X, 90);
  EXPECT_EQ(images.Calls[1].Y, 44);
  s->DrawMode = 2;
  s->Draw();
  EXPECT_EQ(images.Calls.size(), 2u) << "other draw modes draw nothing";
  s->Dead = true;
  s->DrawMode = 0;
  s->Draw();
  EXPECT_EQ(images.Calls.size(), 2u);
}

TEST_F(SpriteTest, LifetimeCountsDrawnTicks) {
  auto s = Make();
  s->Place(0, 0, 50, false);
  for (int i = 0; i < 49; ++i) s->Draw();
  EXPECT_FALSE(s->Dead);
  s->Draw();
  EXPECT_TRUE(s->Dead);
  EXPECT_TRUE(s->Projector->Finished);
  EXPECT_EQ(images.Calls.size(), 50u);
  s->Draw();
  EXPECT_EQ(images.Calls.size(), 50u);

  auto once = Make();
  once->Place(0, 0, -3, false);
  once->Draw();
  EXPECT_TRUE(once->Dead) << "a lifetime of 0 or less is drawn once";
  EXPECT_EQ(images.Calls.size(), 51u);

  auto forever = Make();
  forever->Place(0, 0, 32000, false);
  for (int i = 0; i < 1000; ++i) forever->Draw();
  EXPECT_FALSE(forever->Dead);
  EXPECT_EQ(forever->Lifetime, 32000);

  // Lifetime counts only while something calls Draw: updates do not age a sprite.
  auto idle = Make();
  idle->Place(0, 0, 2, false);
  for (int i = 0; i < 10; ++i) idle->Update();
  EXPECT_FALSE(idle->Dead);
}

TEST_F(SpriteTest, UpdateOrderCountdownAndHandlers) {
  auto s = Make();
  std::vector<std::string> order;
  s->OnBeforeTick = [&](Tvt6Sprite& sprite) {
    order.push_back("before:" + std::to_string(sprite.Countdown));
  };
  s->AddBehavior(std::make_unique<TCounter>(&order, "a"));
  s->AddBehavior(std::make_unique<TCounter>(&order, "b"));
  s->OnTick = [&](Tvt6Sprite&) { order.push_back("tick"); };
  s->Countdown = 2;
  s->Update();
  s->Update();
  s->Update();
  EXPECT_EQ(order, (std::vector<std::string>{"before:1", "a", "b", "tick", "before:0", "a", "b",
                                             "tick", "before:0", "a", "b", "tick"}));
  s->Countdown = 32000;
  s->Update();
  EXPECT_EQ(s->Countdown, 32000) << "32000 or more is not counted";
  s->Dead = true;
  order.clear();
  s->Update();
  EXPECT_TRUE(order.empty()) << "a dead sprite is not updated";
}

TEST_F(SpriteTest, FinishedBehaviourIsNotRunAgainAndTheLastIsLeftForThePurge) {
  auto s = Make();
  std::vector<std::string> runs;
  auto& first = s->AddBehavior(std::make_unique<TCounter>(&runs, "first", 1));
  s->AddBehavior(std::make_unique<TCounter>(&runs, "second"));
  s->AddBehavior(std::make_unique<TCounter>(&runs, "last", 2));
  EXPECT_EQ(first.Sprite, s.get());
  s->Update();
  EXPECT_EQ(s->BehaviorCount(), 2) << "the first finished and was freed in the same update";
  EXPECT_EQ(s->GetBehavior(0)->Sprite, s.get());
  s->Update();
  EXPECT_EQ(s->BehaviorCount(), 2) << "the finished last behaviour waits for the purge";
  EXPECT_TRUE(s->GetBehavior(1)->Done);
  s->Update();
  EXPECT_EQ(runs,
            (std::vector<std::string>{"first", "second", "last", "second", "last", "second"}));
  s->PurgeBehaviors();
  EXPECT_EQ(s->BehaviorCount(), 1);
  EXPECT_EQ(s->GetBehavior(1), nullptr);
  EXPECT_EQ(s->GetBehavior(-1), nullptr);
}

TEST_F(SpriteTest, GearsStayWhenBehavioursGo) {
  auto s = Make();
  std::vector<std::string> runs;
  s->AddBehavior(std::make_unique<TCounter>(&runs, "a", 1));
  s->AddBehavior(std::make_unique<TCounter>(&runs, "b"));
  s->AddBehavior(std::make_unique<TCounter>(&runs, "c"));
  s->GetGear(1)->SetGear(3, 0, 0, 32000, 0, 0);  // b's gear: every third tick
  s->Update();                                   // a, b, c run; a is freed
  EXPECT_EQ(s->BehaviorCount(), 2);
  EXPECT_NE(s->GetGear(2), nullptr) << "three gears remain";
  EXPECT_EQ(s->GetGear(3), nullptr);
  // b is now behaviour 0 and reads gear 0 (every tick); c reads gear 1 (every third).
  runs.clear();
  for (int i = 0; i < 3; ++i) s->Update();
  EXPECT_EQ(runs, (std::vector<std::string>{"b", "b", "b", "c"}));
}

TEST_F(SpriteTest, BehaviourAddedWhileRunningStartsNextUpdate) {
  auto s = Make();
  std::vector<std::string> runs;
  struct TSpawner : Tvt6SpriteMovement {
    std::vector<std::string>* Runs;
    explicit TSpawner(std::vector<std::string>* runs) : Runs(runs) {}
    void Execute() override {
      Runs->push_back("spawner");
      Sprite->AddBehavior(std::make_unique<TCounter>(Runs, "child"));
      Done = true;
    }
  };
  s->AddBehavior(std::make_unique<TSpawner>(&runs));
  s->Update();
  EXPECT_EQ(runs, (std::vector<std::string>{"spawner"}));
  s->Update();
  EXPECT_EQ(runs, (std::vector<std::string>{"spawner", "child"}));
  EXPECT_EQ(s->BehaviorCount(), 1);
}

// Collision: A is the tester, the box is the target's.
struct CollideCase {
  int32_t ax, ay;
  const char* scene;
  int32_t left, top, width, height;
  bool hit;
};

TEST_F(SpriteTest, CollisionRuleComparesTheTargetBoxFirst) {
  const CollideCase cases[] = {
      {0, 0, "w10", 15, 0, 30, 10, true},   // the target's width is compared first
      {50, 0, "w10", 0, 0, 20, 10, false},  // 20 - 50 < 0, then 10 - 50 < 1
      {0, 0, "w10", 10, 0, 10, 10, false},  // left edges one box width apart
      {10, 0, "w10", 0, 0, 10, 10, false},  // the same, tester on the right
      {5, 0, "w10", 0, 0, 10, 10, true},    // overlapping
      {0, 0, "w10", 9, 0, 3, 10, true},     // 3 - 9 < 0, then 10 - 9 = 1
      {0, 0, "w10", 10, 0, 3, 10, false},   // 3 - 10 < 0, then 10 - 10 = 0
      {0, 0, "w10", 0, 25, 10, 30, true},   // the same rule on y
      {0, 30, "w10", 0, 0, 10, 20, false},
      {15, 0, "w10", 10, 0, 10, 10, true},  // box to the left of the tester
      {0, 0, "w20", 15, 0, 2, 12, true},    // 2 - 15 < 0, then the tester's 20 - 15
      {15, 0, "w20", 0, 0, 2, 12, true},    // the fallback ignores the side: still a hit
      {15, 0, "w10", 0, 0, 2, 12, false},   // 10 - 15 < 1
      {0, 0, "w10", 3, 0, 3, 10, false},    // 3 - 3 = 0: not tried against the tester
  };
  for (const CollideCase& c : cases) {
    auto a = Make(c.scene);
    auto b = Make();
    a->Place(c.ax, c.ay, 32000, true);
    int handled = 0;
    a->OnCollide = [&](Tvt6Sprite& tester, Tvt6Sprite& target) {
      EXPECT_EQ(&tester, a.get());
      EXPECT_EQ(&target, b.get());
      ++handled;
    };
    EXPECT_EQ(a->Collide(*b, c.left, c.top, c.width, c.height), c.hit)
        << "tester " << c.ax << "," << c.ay << " box " << c.left << "," << c.top << " " << c.width
        << "x" << c.height;
    EXPECT_EQ(handled, c.hit ? 1 : 0);
  }
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(SpriteTest, NonCollidableTesterNeverHits) {
  auto a = Make();
  auto b = Make();
  int handled = 0;
  a->OnCollide = [&](Tvt6Sprite&, Tvt6Sprite&) { ++handled; };
  EXPECT_FALSE(a->Collide(*b, 0, 0, 100, 100));
  EXPECT_EQ(handled, 0);
}

TEST_F(SpriteTest, CollisionErrorsAreLoggedAndTheAnswerStands) {
  auto a = Make();
  auto b = Make();
  a->Collidable = true;
  a->OnCollide = [](Tvt6Sprite&, Tvt6Sprite&) { throw std::runtime_error("bang"); };
  EXPECT_TRUE(a->Collide(*b, 0, 0, 10, 10));
  Tvt6Sprite bare(ctx.Context);
  bare.Collidable = true;
  EXPECT_TRUE(bare.Collide(*b, 0, 0, 10, 10)) << "without its own size it still hits the box";
  EXPECT_FALSE(bare.Collide(*b, 5, 0, 3, 10));
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "Tvt6Sprite:Collide:OnCollide reports the following Error: bang",
                "Tvt6Sprite:Collide:Projector:GetDims reports the following Error: the sprite "
                "has no projector",
                "Tvt6Sprite:Collide:Projector:GetDims reports the following Error: the sprite "
                "has no projector"}));
}

TEST_F(SpriteTest, DestructionRunsOnKillSelfOnceAndEmptiesReferences) {
  std::vector<std::string> events;
  auto s = Make();
  TSpriteRef ref = *s;
  TSpriteRef copy = ref;
  EXPECT_EQ(ref.Get(), s.get());
  struct TWatcher : Tvt6SpriteMovement {
    std::vector<std::string>* Events;
    explicit TWatcher(std::vector<std::string>* events) : Events(events) {}
    ~TWatcher() override { Events->push_back("behaviour freed"); }
  };
  s->AddBehavior(std::make_unique<TWatcher>(&events));
  Tvt6Sprite* raw = s.get();
  int subscriber = 0;
  s->OnKillSelf.Subscribe(&subscriber, [&](Tvt6Sprite* sprite, const void* who) {
    EXPECT_EQ(sprite, raw);
    EXPECT_EQ(who, &subscriber);
    EXPECT_EQ(ref.Get(), nullptr) << "references read none once destruction begins";
    EXPECT_TRUE(ref.Refers(*sprite));
    events.push_back("kill:" + std::to_string(sprite->X));
  });
  s->X = 42;
  s.reset();
  EXPECT_EQ(events, (std::vector<std::string>{"kill:42", "behaviour freed"}));
  EXPECT_FALSE(copy);
  EXPECT_EQ(copy.Get(), nullptr);
  EXPECT_TRUE(ctx.Messages().empty());
}

}  // namespace
}  // namespace quellix
