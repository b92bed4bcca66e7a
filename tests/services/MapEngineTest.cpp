#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/vtAnimationEngine.h"
#include "services/vtMapEngine.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TDrawCall;
using testing::TTestContext;

class MapEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    images.Add("fish", 30, 20);
    images.Add("tower", 40, 40);
    anims.LoadFromStrings({"",
                           "[REELREC]",
                           "Starfish",
                           "[SCENEREC]",
                           "Starfish1",
                           "255,0,0.5,0.5,100,100,fish,1",
                           "255,0,0.5,0.5,100,100,tower,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "Starfish2",
                           "[ENDSCENE]",
                           "[ENDREEL]",
                           "[REELREC]",
                           "Empty",
                           "[ENDREEL]",
                           "[REELREC]",
                           "Castles",
                           "[SCENEREC]",
                           "Castle1",
                           "255,0,0.5,0.5,100,100,tower,1",
                           "[ENDSCENE]",
                           "[ENDREEL]"});
    anims.LinkImages(images);
  }

  // Reel and scene name of every projector, in order.
  static std::vector<std::pair<std::string, std::string>> Names(const Tvt6MapEngine& map) {
    std::vector<std::pair<std::string, std::string>> names;
    for (int i = 0; i < map.ProjectorCount(); ++i)
      names.emplace_back(map.Projector(i)->ReelName, map.Projector(i)->SceneName);
    return names;
  }

  TTestContext ctx;
  testing::TFakeImageList& images = ctx.Platform.Images;
  testing::TFakeDisplay& display = ctx.Platform.DisplayFake;
  Tvt6AnimationEngine anims{ctx.Context};
};

using TNames = std::vector<std::pair<std::string, std::string>>;

TEST_F(MapEngineTest, SetUpBuildsOneReadyProjectorPerSceneOfEveryReel) {
  Tvt6MapEngine map{ctx.Log};
  map.SetUp(anims, images, display);

  EXPECT_EQ(Names(map),
            (TNames{{"Starfish", "Starfish1"}, {"Starfish", "Starfish2"}, {"Castles", "Castle1"}}));
  EXPECT_EQ(map.LayerCount(), 0);
  for (int i = 0; i < map.ProjectorCount(); ++i) {
    const Tvt6Projector& p = *map.Projector(i);
    EXPECT_EQ(p.Scene, anims.GetScene(p.ReelName, p.SceneName)) << i;
    EXPECT_NE(p.Scene, nullptr) << i;
    EXPECT_EQ(p.Position, 0) << i;
    EXPECT_EQ(p.LifeSpan, Tvt6Projector::NotSet) << i;
    EXPECT_EQ(p.PlayMethod, Tvt6Projector::pmLoop) << i;
    EXPECT_EQ(p.EndOfReelMethod, Tvt6Projector::eorNothing) << i;
    EXPECT_EQ(p.Direction, Tvt6Projector::dirForward) << i;
  }

  // Ready to play: the first scene draws its frames one tick after the other.
  Tvt6Projector& starfish = *map.Projector(0);
  for (int tick = 0; tick < 3; ++tick) {
    starfish.Draw_Image(7, 8, 32000, 32000, 32000, 32000, 32000.0, 32000.0);
    starfish.Advance_Film();
  }
  ASSERT_EQ(images.Calls.size(), 3u);
  EXPECT_EQ(images.Calls[0].Index, images.IndexOf("fish"));
  EXPECT_EQ(images.Calls[1].Index, images.IndexOf("tower"));
  EXPECT_EQ(images.Calls[2].Index, images.IndexOf("fish"));
  EXPECT_EQ(images.Calls[2].X, 7);
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(MapEngineTest, RebuildsWhenTheAnimationEnginesSubscriptionsRun) {
  Tvt6MapEngine map{ctx.Log};
  map.SetUp(anims, images, display);
  map.Delete(0);
  anims.LoadFromStrings({"", "[REELREC]", "Flouds", "[SCENEREC]", "floud1",
                         "255,0,0.5,0.5,100,100,fish,1", "[ENDSCENE]", "[ENDREEL]"});
  EXPECT_EQ(map.ProjectorCount(), 2);

  anims.Subscriptions.ExecuteAll();
  EXPECT_EQ(Names(map), (TNames{{"Starfish", "Starfish1"},
                                {"Starfish", "Starfish2"},
                                {"Castles", "Castle1"},
                                {"Flouds", "floud1"}}));
  EXPECT_EQ(map.Projector(3)->Scene, anims.GetScene("flouds", "FLOUD1"));
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(MapEngineTest, RegistersOnceAndWithOneAnimationEngineOnly) {
  Tvt6AnimationEngine other{ctx.Context};  // outlives the map engine, as it must
  Tvt6MapEngine map{ctx.Log};
  map.SetUp(anims, images, display);
  map.SetUp(anims, images, display);
  EXPECT_EQ(anims.Subscriptions.Count(), 1);
  EXPECT_EQ(map.ProjectorCount(), 3);

  map.SetUp(other, images, display);
  EXPECT_EQ(anims.Subscriptions.Count(), 0);
  EXPECT_EQ(other.Subscriptions.Count(), 1);
  EXPECT_EQ(map.ProjectorCount(), 0);
}

TEST_F(MapEngineTest, AMapEngineDestroyedFirstLeavesNoRegistrationBehind) {
  int otherRuns = 0;
  const int otherSubscriber = 0;
  anims.Subscriptions.Subscribe(&otherSubscriber, [&](Tvt6Sprite*, const void*) { ++otherRuns; });
  auto map = std::make_unique<Tvt6MapEngine>(ctx.Log);
  map->SetUp(anims, images, display);
  EXPECT_EQ(anims.Subscriptions.Count(), 2);

  map.reset();
  ASSERT_EQ(anims.Subscriptions.Count(), 1);
  EXPECT_EQ(anims.Subscriptions.Subscription(0)->Subscriber, &otherSubscriber);
  anims.Subscriptions.ExecuteAll();  // would call into the freed map engine
  EXPECT_EQ(otherRuns, 1);

  Tvt6MapEngine neverSetUp{ctx.Log};  // nothing to withdraw
}

TEST_F(MapEngineTest, AddDeleteAndClear) {
  Tvt6MapEngine map{ctx.Log};
  map.SetUp(anims, images, display);
  Tvt6Projector& added = map.AddProjector("castles", "castle1");
  EXPECT_EQ(map.Projector(3), &added);
  EXPECT_EQ(added.Scene, anims.GetScene("Castles", "Castle1"));
  EXPECT_EQ(added.ImageList, &images);
  EXPECT_EQ(added.Display, &display);

  map.Delete(-1);
  map.Delete(4);
  EXPECT_EQ(map.ProjectorCount(), 4);
  map.Delete(0);
  EXPECT_EQ(map.Projector(0)->SceneName, "Starfish2");
  EXPECT_EQ(map.Projector(3), nullptr);
  EXPECT_EQ(map.Projector(-1), nullptr);
  map.Clear();
  EXPECT_EQ(map.ProjectorCount(), 0);
  EXPECT_EQ(map.LayerCount(), 0);
}

}  // namespace
}  // namespace quellix
