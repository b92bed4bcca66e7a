#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/EngineTestKit.h"

namespace quellix {
namespace {

using testing::TDrawCall;

struct EngineTest : ::testing::Test, testing::TEngineKit {
  // The image index of every draw so far, in order.
  std::vector<int> Drawn() const {
    std::vector<int> drawn;
    for (const TDrawCall& c : images.Calls) drawn.push_back(c.Index);
    return drawn;
  }
};

constexpr int Dot = 0, Enemy = 1, Hole = 2, W10 = 3;

TEST_F(EngineTest, NewSpriteIsBoundAndAppended) {
  Tvt6Sprite& a = engine.NewSprite();
  EXPECT_EQ(engine.LastSprite.Get(), &a);
  Tvt6Sprite& b = engine.NewSprite();
  EXPECT_EQ(engine.LastSprite.Get(), &b);
  EXPECT_EQ(engine.SpriteCount(), 2);
  EXPECT_EQ(engine.GetSprite(0), &a);
  EXPECT_EQ(engine.GetSprite(2), nullptr);
  EXPECT_EQ(engine.GetSprite(-1), nullptr);
  ASSERT_NE(b.Projector, nullptr);
  EXPECT_EQ(b.Projector->Sprite, &b);
  EXPECT_EQ(b.Projector->ImageList, &images);
  EXPECT_EQ(b.Projector->Display, &ctx.Platform.DisplayFake);
  EXPECT_EQ(b.Projector->AnimationEngine, engine.AnimationEngine());
  EXPECT_EQ(b.Projector->Scene, nullptr) << "no image until the projector is initialised";
  EXPECT_EQ(b.Layer, 0);
  EXPECT_FALSE(b.Collidable);
  EXPECT_EQ(b.Lifetime, 32000);
  engine.AddSprite(std::make_unique<Tvt6Sprite>(ctx.Context));
  EXPECT_EQ(engine.SpriteCount(), 3);
  EXPECT_EQ(engine.LastSprite.Get(), &b) << "AddSprite does not change LastSprite";
}

TEST_F(EngineTest, SetupInstallsThePaletteOnceAndLoadsNeedIt) {
  const TColorTable expected = images.MakeColorTable();
  EXPECT_EQ(ctx.Platform.DisplayFake.ColorTable, expected);
  EXPECT_EQ(ctx.Platform.DisplayFake.DefColorTable, expected);
  EXPECT_EQ(ctx.Platform.DisplayFake.PaletteUpdates, 1);
  EXPECT_EQ(engine.Display(), &ctx.Platform.DisplayFake);
  EXPECT_THROW(engine.Setup(ctx.Platform.DisplayFake, images, "", ctx.Platform.Sounds),
               std::logic_error);

  Tvt6Engine bare(ctx.Context);
  bare.LoadAnimations("whatever.txt");
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "Unable to load Animations because the AnimationEngine Component is not "
                "assigned"}));
  Tvt6Sprite& s = bare.NewSprite();
  s.Projector->QuickInit("r", "dot", 32000);
  EXPECT_EQ(s.Projector->Scene, nullptr);
  bare.DrawSprites();  // nothing to draw with, nothing breaks
}

TEST_F(EngineTest, DrawsLayerByLayerInCreationOrder) {
  Tvt6Sprite& a = Spawn("dot", 0, 0);
  Tvt6Sprite& b = Spawn("enemy", 0, 0);
  Tvt6Sprite& c = Spawn("hole", 0, 0);
  Spawn("w10", 0, 0);
  engine.SetLayer(a, 2);
  engine.SetLayer(c, 1);
  EXPECT_EQ(engine.MaxLayer(), 2);
  engine.SetLayer(b, 0);
  EXPECT_EQ(engine.MaxLayer(), 2);
  engine.DrawSprites();
  EXPECT_EQ(Drawn(), (std::vector<int>{Enemy, W10, Hole, Dot}));
}

TEST_F(EngineTest, LayersOutsideZeroToMaxLayerAreNeitherDrawnNorAged) {
  Tvt6Sprite& high = Spawn("anim", 0, 0);
  Tvt6Sprite& low = Spawn("anim", 0, 0);
  high.Lifetime = 5;
  high.Layer = 2;  // set directly: MaxLayer stays 0
  engine.SetLayer(low, -1);
  engine.DrawSprites();
  EXPECT_TRUE(images.Calls.empty());
  EXPECT_EQ(high.Lifetime, 5);
  EXPECT_EQ(high.Projector->Position, 0) << "its film does not advance either";
  engine.SetLayer(Spawn("dot", 0, 0), 2);
  engine.DrawSprites();
  EXPECT_EQ(Drawn(), (std::vector<int>{Dot, Dot})) << "the high sprite appears with MaxLayer";
  EXPECT_EQ(high.Lifetime, 4);
  engine.ClearSprites();
  EXPECT_EQ(engine.MaxLayer(), 0);
}

TEST_F(EngineTest, DrawAdvancesFilmsAndDeadSpritesStillAdvance) {
  Tvt6Sprite& a = Spawn("anim", 0, 0);
  Tvt6Sprite& dead = Spawn("anim", 0, 0);
  dead.Dead = true;
  for (int i = 0; i < 4; ++i) engine.DrawSprites();
  EXPECT_EQ(Drawn(), (std::vector<int>{Dot, Enemy, Hole, Dot}));
  EXPECT_EQ(a.Projector->Position, 1);
  EXPECT_EQ(dead.Projector->Position, 1) << "a dead sprite is not drawn but its film moves";
  engine.AdvanceAll();
  EXPECT_EQ(a.Projector->Position, 2);
  EXPECT_EQ(images.Calls.size(), 4u);
}

TEST_F(EngineTest, AnExceptionInOneDrawDoesNotStopTheOthers) {
  // An image list whose item lookup fails for one image: Draw_Centered reads the item
  // before any of the projector's own handlers.
  struct TFailingItem : testing::TFakeImageList {
    const TImageItem& Item(int32_t index) const override {
      if (index == Enemy) throw std::runtime_error("unreadable item");
      return TFakeImageList::Item(index);
    }
  } failing;
  failing.Items = images.Items;
  Spawn("dot", 0, 0).Projector->ImageList = &failing;
  Tvt6Sprite& bad = Spawn("anim", 0, 0);
  bad.Projector->Position = 1;  // the enemy frame
  bad.Projector->ImageList = &failing;
  bad.DrawMode = Tvt6Sprite::dmCentered;
  Spawn("w10", 0, 0).Projector->ImageList = &failing;
  engine.DrawSprites();
  ASSERT_EQ(failing.Calls.size(), 2u);
  EXPECT_EQ(failing.Calls[1].Index, W10);
  EXPECT_EQ(bad.Projector->Position, 2) << "the film still advances";
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "Engine Error!\rDrawSprites:Draw reports the following error: unreadable item"}));
}

TEST_F(EngineTest, RecordingKeepsOneItemPerDrawWithALinePerSprite) {
  Spawn("dot", 3, 4);
  Tvt6Sprite& b = Spawn("enemy", 5, 6);
  b.Alpha = 100;
  engine.DrawSprites();
  EXPECT_TRUE(engine.Recording.empty()) << "off unless asked for";
  engine.RecordFrames = true;
  engine.DrawSprites();
  ASSERT_EQ(engine.Recording.size(), 1u);
  EXPECT_EQ(engine.Recording[0], "dot,3,3,4,255,0,2,2,0.5,0.5\nenemy,2,5,6,100,0,20,20,0.5,0.5\n");
}

TEST_F(EngineTest, UpdateVisitsTheSpritesPresentAtTheStartAndIgnoresErrors) {
  std::vector<std::string> order;
  Tvt6Sprite& a = Spawn("dot", 0, 0);
  a.OnTick = [&](Tvt6Sprite&) {
    order.push_back("a");
    Tvt6Sprite& born = engine.NewSprite();
    born.OnTick = [&](Tvt6Sprite&) { order.push_back("born"); };
    a.OnTick = [&](Tvt6Sprite&) { order.push_back("a"); };
  };
  Spawn("dot", 0, 0).OnTick = [&](Tvt6Sprite&) {
    order.push_back("b");
    throw std::runtime_error("ignored");
  };
  Spawn("dot", 0, 0).OnTick = [&](Tvt6Sprite&) { order.push_back("c"); };
  engine.UpdateSprites();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
  engine.UpdateSprites();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "a", "b", "c", "born"}));
  EXPECT_TRUE(ctx.Messages().empty()) << "update errors are not logged";
}

TEST_F(EngineTest, PurgeFreesDeadSpritesInOrderAndVisitsSpritesBornDuringIt) {
  std::vector<std::string> order;
  auto mark = [&](const std::string& name) {
    return [&order, name](Tvt6Sprite*, const void*) { order.push_back(name); };
  };
  Tvt6Sprite& a = Spawn("dot", 0, 0);
  Tvt6Sprite& b = Spawn("dot", 0, 0);
  Tvt6Sprite& c = Spawn("dot", 0, 0);
  a.Dead = true;
  c.Dead = true;
  // a's end makes a dead sprite whose end makes a living one.
  a.OnKillSelf.Subscribe(&a, [&](Tvt6Sprite*, const void*) {
    order.push_back("a");
    Tvt6Sprite& child = Spawn("dot", 1, 1);
    child.Dead = true;
    child.OnKillSelf.Subscribe(&child, [&](Tvt6Sprite*, const void*) {
      order.push_back("child");
      Spawn("dot", 2, 2);
    });
  });
  b.OnKillSelf.Subscribe(&b, mark("b"));
  c.OnKillSelf.Subscribe(&c, mark("c"));
  engine.PurgeSprites();
  EXPECT_EQ(order, (std::vector<std::string>{"a", "c", "child"}));
  ASSERT_EQ(engine.SpriteCount(), 2);
  EXPECT_EQ(engine.GetSprite(0), &b);
  EXPECT_EQ(engine.GetSprite(1)->X, 2);
  engine.ClearSprites();
  EXPECT_EQ(order.back(), "b");
}

TEST_F(EngineTest, PurgeFreesFinishedBehavioursOfTheLivingToo) {
  Tvt6Sprite& s = Spawn("dot", 0, 0);
  s.AddBehavior(std::make_unique<Tvt6SpriteMovement>());
  s.AddBehavior(std::make_unique<Tvt6SpriteMovement>()).Done = true;
  engine.UpdateSprites();
  EXPECT_EQ(s.BehaviorCount(), 2);
  engine.PurgeSprites();
  EXPECT_EQ(s.BehaviorCount(), 1);
}

TEST_F(EngineTest, LifetimeRunsOutAtTheDrawAndThePurgeFreesTheSprite) {
  Tvt6Sprite& s = Spawn("dot", 0, 0);
  s.Lifetime = 3;
  int ends = 0;
  s.OnKillSelf.Subscribe(&ends, [&](Tvt6Sprite*, const void*) { ++ends; });
  for (int tick = 0; tick < 3; ++tick) {
    engine.DrawSprites();
    engine.UpdateSprites();
    engine.PurgeSprites();
  }
  EXPECT_EQ(images.Calls.size(), 3u);
  EXPECT_EQ(engine.SpriteCount(), 0);
  EXPECT_EQ(ends, 1);
}

TEST_F(EngineTest, ClearRunsEveryKillSubscriptionOnce) {
  int ends = 0;
  for (int i = 0; i < 5; ++i)
    Spawn("dot", 0, 0).OnKillSelf.Subscribe(&ends, [&](Tvt6Sprite*, const void*) { ++ends; });
  Tvt6Sprite& last = Spawn("dot", 0, 0);
  last.OnKillSelf.Subscribe(&last, [&](Tvt6Sprite*, const void*) {
    Spawn("dot", 0, 0).OnKillSelf.Subscribe(&ends, [&](Tvt6Sprite*, const void*) { ++ends; });
  });
  engine.SetLayer(last, 4);
  TSpriteRef ref = last;
  engine.ClearSprites();
  EXPECT_EQ(ends, 6) << "sprites made while clearing are cleared as well";
  EXPECT_EQ(engine.SpriteCount(), 0);
  EXPECT_EQ(engine.MaxLayer(), 0);
  EXPECT_FALSE(ref);
  EXPECT_FALSE(engine.LastSprite);
}

TEST_F(EngineTest, DestroyingTheEngineEndsItsSprites) {
  int ends = 0;
  {
    Tvt6Engine local(ctx.Context);
    local.NewSprite().OnKillSelf.Subscribe(&ends, [&](Tvt6Sprite*, const void*) { ++ends; });
    local.NewSprite().OnKillSelf.Subscribe(&ends, [&](Tvt6Sprite*, const void*) { ++ends; });
  }
  EXPECT_EQ(ends, 2);
}

TEST_F(EngineTest, ShotHurtsOnlyTheFirstEnemyItTouches) {
  Tvt6Sprite& first = Spawn("enemy", 100, 100, 3, true);
  Tvt6Sprite& second = Spawn("enemy", 100, 100, 4, true);
  Tvt6Sprite& shot = Spawn("dot", 105, 105, 1, true);
  std::vector<Tvt6Sprite*> hurt;
  shot.OnCollide = [&](Tvt6Sprite& tester, Tvt6Sprite& target) {
    EXPECT_EQ(&tester, &shot);
    hurt.push_back(&target);
    tester.Dead = true;
  };
  int told = 0;
  first.OnCollide = second.OnCollide = [&](Tvt6Sprite&, Tvt6Sprite&) { ++told; };
  engine.CollideSprites(1);
  EXPECT_EQ(hurt, (std::vector<Tvt6Sprite*>{&first}));
  EXPECT_EQ(told, 0) << "the one-sided pass tells the tester only";
  // Dead until the purge: still collides in the rest of the tick's passes.
  engine.CollideSprites(1);
  EXPECT_EQ(hurt.size(), 2u);
  // A non-collidable first enemy is passed over.
  first.Collidable = false;
  engine.CollideSprites(1);
  EXPECT_EQ(hurt.back(), &second);
}

TEST_F(EngineTest, WaveHurtsEverythingItTouchesAndBothSidesAreTold) {
  Tvt6Sprite& first = Spawn("enemy", 100, 100, 3, true);
  Tvt6Sprite& wave = Spawn("hole", 90, 90, 15, true);
  Tvt6Sprite& second = Spawn("enemy", 120, 120, 4, true);
  Spawn("enemy", 400, 400, 4, true);  // out of reach
  std::vector<std::string> calls;
  wave.OnCollide = [&](Tvt6Sprite& tester, Tvt6Sprite& target) {
    EXPECT_EQ(&tester, &wave);
    calls.push_back(&target == &first ? "wave>first" : "wave>second");
  };
  auto told = [&](Tvt6Sprite& tester, Tvt6Sprite& target) {
    EXPECT_EQ(&tester, &wave) << "the tested kind comes first on both sides";
    calls.push_back(&target == &first ? "first" : "second");
  };
  first.OnCollide = told;
  second.OnCollide = told;
  engine.CollideSpritesMutual(15);
  EXPECT_EQ(calls, (std::vector<std::string>{"wave>first", "first", "wave>second", "second"}));
}

// The x positions, from 150 to 450, at which a 2 x 2 tester hits the hole (100 x 100 at
// 300, 300 with adjustments -40): the first and last of the hitting run.
std::pair<int, int> HitRange(testing::TEngineKit& kit, bool mutual, bool vertical) {
  Tvt6Sprite& hole = kit.Spawn("hole", 300, 300, 2, true);
  hole.CollideAdjustX = hole.CollideAdjustY = -40;
  Tvt6Sprite& tester = kit.Spawn("dot", 0, 0, 1, true);
  int hits = 0;
  tester.OnCollide = [&](Tvt6Sprite&, Tvt6Sprite&) { ++hits; };
  int first = -1, last = -1;
  for (int p = 150; p <= 450; ++p) {
    tester.X = vertical ? 340 : p;
    tester.Y = vertical ? p : 340;
    const int before = hits;
    if (mutual)
      kit.engine.CollideSpritesMutual(1);
    else
      kit.engine.CollideSprites(1);
    if (hits > before) {
      if (first < 0) first = p;
      last = p;
    }
  }
  kit.engine.ClearSprites();
  return {first, last};
}

TEST_F(EngineTest, TheTwoPassesBuildDifferentBoxesFromTheAdjustments) {
  // CollideSprites: box (320, 320) of 60 x 60, inset 20 on every side.
  EXPECT_EQ(HitRange(*this, false, false), std::make_pair(261, 379));
  EXPECT_EQ(HitRange(*this, false, true), std::make_pair(261, 379));
  // CollideSpritesMutual: box (300, 300) of 80 x 80, 20 less at the right and bottom.
  EXPECT_EQ(HitRange(*this, true, false), std::make_pair(221, 379));
  EXPECT_EQ(HitRange(*this, true, true), std::make_pair(221, 379));
  // Without adjustments both passes use the image's own box.
  Tvt6Sprite& plain = Spawn("hole", 300, 300, 2, true);
  Tvt6Sprite& probe = Spawn("dot", 399, 300, 1, true);
  int hits = 0;
  probe.OnCollide = [&](Tvt6Sprite&, Tvt6Sprite&) { ++hits; };
  engine.CollideSprites(1);
  engine.CollideSpritesMutual(1);
  probe.X = 400;
  engine.CollideSprites(1);
  engine.CollideSpritesMutual(1);
  EXPECT_EQ(hits, 2);
  EXPECT_EQ(plain.X, 300);
  // A positive odd adjustment: halves truncate toward zero.
  plain.CollideAdjustX = 5;  // CollideSprites: left 302, width 105 -> right edge 407
  probe.X = 406;
  engine.CollideSprites(1);
  probe.X = 407;
  engine.CollideSprites(1);
  EXPECT_EQ(hits, 3);
}

TEST_F(EngineTest, CollisionErrorsAreLoggedAndThePassGoesOn) {
  auto bare = std::make_unique<Tvt6Sprite>(ctx.Context);
  bare->Collidable = true;
  engine.AddSprite(std::move(bare));
  Tvt6Sprite& enemy = Spawn("enemy", 0, 0, 3, true);
  Tvt6Sprite& shot = Spawn("dot", 5, 5, 1, true);
  Tvt6Sprite* hit = nullptr;
  shot.OnCollide = [&](Tvt6Sprite&, Tvt6Sprite& target) { hit = &target; };
  engine.CollideSprites(1);
  EXPECT_EQ(hit, &enemy);
  EXPECT_EQ(ctx.Messages(), (std::vector<std::string>{
                                "Tvt6Engine.CollideSprites:CollideASprite Reports the Following "
                                "Error:the sprite has no projector"}));
  // The mutual pass hands its errors to the caller.
  EXPECT_THROW(engine.CollideSpritesMutual(1), std::logic_error);
  engine.ClearSprites();
  Spawn("enemy", 0, 0, 3, true).OnCollide = [](Tvt6Sprite&, Tvt6Sprite&) {
    throw std::runtime_error("target failed");
  };
  Spawn("dot", 5, 5, 15, true);
  EXPECT_THROW(engine.CollideSpritesMutual(15), std::runtime_error);
}

TEST_F(EngineTest, KillLinkedMarksTheChildrenEvenWhileTheParentIsGoing) {
  Tvt6Sprite& parent = Spawn("enemy", 0, 0);
  Tvt6Sprite& other = Spawn("enemy", 0, 0);
  Tvt6Sprite& c1 = Spawn("dot", 0, 0);
  Tvt6Sprite& c2 = Spawn("dot", 0, 0);
  Tvt6Sprite& c3 = Spawn("dot", 0, 0);
  c1.Parent = parent;
  c2.Parent = other;
  c3.Parent = parent;
  EXPECT_EQ(engine.KillLinked(parent), 2);
  EXPECT_TRUE(c1.Dead && c3.Dead);
  EXPECT_FALSE(c2.Dead);

  int marked = -1;
  other.OnKillSelf.Subscribe(
      &other, [&](Tvt6Sprite* going, const void*) { marked = engine.KillLinked(*going); });
  other.Dead = true;
  engine.PurgeSprites();
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(engine.SpriteCount(), 1) << "c2, marked during the purge, went in the same pass";
  EXPECT_FALSE(engine.GetSprite(0)->Dead);
  EXPECT_EQ(engine.GetSprite(0), &parent);
}

}  // namespace
}  // namespace quellix
