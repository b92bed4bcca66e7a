#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/vtAnimationEngine.h"
#include "graphics/vtMedia.h"
#include "services/vtZoneEngine.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TDrawCall;
using testing::TTestContext;

// The title screen's menu, in the order it adds its zones.
struct TTitleZone {
  int32_t Left, Top, Width, Height;
  const char* Dim;
  const char* Bright;
};
constexpr TTitleZone TitleZones[] = {
    {80, 280, 100, 30, "easydim", "easybright"},
    {335, 280, 100, 30, "normaldim", "normalbright"},
    {585, 280, 100, 30, "harddim", "hardbright"},
    {335, 460, 100, 30, "quitdim", "quitbright"},
    {300, 330, 150, 30, "sounddim", "soundbright"},
    {300, 360, 150, 30, "shrapdim", "shrapbright"},
    {300, 390, 150, 30, "childmodedim", "childmodebright"},
};
enum { Easy, Normal, Hard, Quit, Sound, Shrapnel, Child };

// A bright scene's frame; a few carry their own alpha, angle or scale, and easy's
// bright scene has a second frame that a zone must never show.
std::string BrightFrame(const std::string& scene) {
  if (scene == "easybright") return "128,0,0.5,0.5,100,100,easybright,1";
  if (scene == "soundbright") return "255,64,0.5,0.5,100,100,soundbright,1";
  if (scene == "shrapbright") return "255,0,0.5,0.5,200,100,shrapbright,1";
  return "255,0,0.5,0.5,100,100," + scene + ",1";
}

class ZoneEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStringList lines = {"animation file", "[REELREC]", "titlescreen"};
    for (const TTitleZone& z : TitleZones) {
      images.Add(z.Dim, z.Width, z.Height);
      images.Add(z.Bright, z.Width, z.Height);
      lines.insert(lines.end(),
                   {"[SCENEREC]", z.Dim, std::string("255,0,0.5,0.5,100,100,") + z.Dim + ",1",
                    "[ENDSCENE]", "[SCENEREC]", z.Bright, BrightFrame(z.Bright)});
      if (z.Bright == std::string("easybright"))
        lines.push_back("255,0,0.5,0.5,100,100,normaldim,1");
      lines.push_back("[ENDSCENE]");
    }
    lines.insert(lines.end(), {"[ENDREEL]", "[REELREC]", "buttons", "[SCENEREC]", "up",
                               "255,0,0.5,0.5,100,100,up,1", "[ENDSCENE]", "[SCENEREC]", "down",
                               "255,0,0.5,0.5,100,100,down,1", "[ENDSCENE]", "[SCENEREC]", "lit",
                               "255,0,0.5,0.5,100,100,lit,1", "[ENDSCENE]", "[ENDREEL]"});
    for (const char* name : {"up", "down", "lit"}) images.Add(name, 40, 20);
    anims.LoadFromStrings(lines);
    anims.LinkImages(images);
    zones.Bind(ctx.Platform.DisplayFake, images, anims);
  }

  void AddTitleZones() {
    for (const TTitleZone& z : TitleZones)
      AddZone(Bounds(z.Left, z.Top, z.Width, z.Height), "titlescreen", z.Dim, z.Bright);
  }
  Tvt6Zone& AddZone(const TRect& rect, const std::string& reel, const std::string& normal,
                    const std::string& bright) {
    auto zone = std::make_unique<Tvt6Zone>();
    zone->SetUp(rect, reel, normal, bright, bright);
    return zones.AddZone(std::move(zone));
  }
  std::vector<int> States() const {
    std::vector<int> states;
    for (int i = 0; i < zones.ZoneCount(); ++i) states.push_back(zones.Zone(i)->State);
    return states;
  }
  // The index of the zone HitTest finds, -1 for none.
  int Hit(int32_t x, int32_t y) {
    const Tvt6Zone* hit = zones.HitTest(x, y);
    for (int i = 0; i < zones.ZoneCount(); ++i)
      if (zones.Zone(i) == hit) return i;
    return -1;
  }

  TTestContext ctx;
  testing::TFakeImageList& images = ctx.Platform.Images;
  Tvt6AnimationEngine anims{ctx.Context};
  Tvt6ZoneEngine zones{ctx.Log};
};

TEST_F(ZoneEngineTest, RightAndBottomEdgesAreInsideAndStackedZonesDoNotShareARow) {
  AddTitleZones();
  const Tvt6Zone& easy = *zones.Zone(Easy);
  EXPECT_EQ(easy.Left, 80);
  EXPECT_EQ(easy.Top, 280);
  EXPECT_EQ(easy.Right, 179);
  EXPECT_EQ(easy.Bottom, 309);

  EXPECT_EQ(Hit(80, 280), Easy);
  EXPECT_EQ(Hit(179, 309), Easy);
  EXPECT_EQ(Hit(180, 300), -1);
  EXPECT_EQ(Hit(100, 310), -1);
  EXPECT_EQ(Hit(79, 290), -1);
  EXPECT_EQ(Hit(100, 279), -1);

  // Sound, shrapnel and child mode sit edge to edge, 30 pixels apart.
  EXPECT_EQ(Hit(300, 359), Sound);
  EXPECT_EQ(Hit(300, 360), Shrapnel);
  EXPECT_EQ(Hit(449, 389), Shrapnel);
  EXPECT_EQ(Hit(449, 390), Child);
  EXPECT_EQ(Hit(449, 419), Child);
  EXPECT_EQ(Hit(450, 419), -1);
  EXPECT_EQ(Hit(449, 420), -1);

  // An empty rectangle holds no point, not even its corner.
  AddZone(Bounds(10, 10, 0, 0), "buttons", "up", "lit");
  EXPECT_EQ(Hit(10, 10), -1);
}

TEST_F(ZoneEngineTest, OverlappingZonesTheFirstAddedWinsAndTheOtherStaysNormal) {
  AddZone(Bounds(0, 0, 50, 50), "buttons", "up", "lit");
  AddZone(Bounds(25, 25, 50, 50), "buttons", "up", "lit");
  int secondPresses = 0;
  zones.Zone(1)->OnPress = [&](Tvt6Zone&, int32_t, int32_t, int32_t, int32_t) { ++secondPresses; };

  zones.MouseMove(this, 0, 60, 60);
  EXPECT_EQ(States(), (std::vector<int>{0, 2}));
  // Into the overlap: the first zone takes over, the one beneath goes back to normal.
  zones.MouseMove(this, 0, 30, 30);
  EXPECT_EQ(States(), (std::vector<int>{2, 0}));
  zones.MouseDown(this, 0, 30, 30, 0);
  EXPECT_EQ(States(), (std::vector<int>{1, 0}));
  EXPECT_EQ(secondPresses, 0);
  zones.MouseUp(this, 0, 30, 30, 0);
  EXPECT_EQ(States(), (std::vector<int>{0, 0}));
}

TEST_F(ZoneEngineTest, MovingFromTheFourthZoneToTheSecondPutsTheFourthBackToNormal) {
  AddTitleZones();
  zones.MouseMove(this, 0, 470, 380);  // quit
  EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 2, 0, 0, 0}));
  zones.MouseMove(this, 0, 290, 380);  // normal
  EXPECT_EQ(States(), (std::vector<int>{0, 2, 0, 0, 0, 0, 0}));
  zones.MouseMove(this, 0, 10, 10);  // off every zone
  EXPECT_EQ(States(), (std::vector<int>(7, 0)));
}

TEST_F(ZoneEngineTest, HandlersGetTheZoneButtonYXAndShiftAndStatesFollowTheMouse) {
  AddTitleZones();
  struct TCall {
    std::string What;
    const Tvt6Zone* Zone;
    int32_t Button, Y, X, Shift;
    int StateBefore;
    bool operator==(const TCall&) const = default;
  };
  std::vector<TCall> calls;
  for (int i = 0; i < zones.ZoneCount(); ++i) {
    Tvt6Zone& zone = *zones.Zone(i);
    zone.OnPress = [&](Tvt6Zone& z, int32_t b, int32_t y, int32_t x, int32_t s) {
      calls.push_back({"press", &z, b, y, x, s, z.State});
    };
    zone.OnHover = [&](Tvt6Zone& z, int32_t b, int32_t y, int32_t x) {
      calls.push_back({"hover", &z, b, y, x, 0, z.State});
    };
    zone.OnRelease = [&](Tvt6Zone& z, int32_t b, int32_t y, int32_t x, int32_t s) {
      calls.push_back({"release", &z, b, y, x, s, z.State});
    };
  }
  const Tvt6Zone* easy = zones.Zone(Easy);
  const Tvt6Zone* normal = zones.Zone(Normal);

  // As the title screen's tick does it: hover, then press while the button is held.
  zones.MouseMove(this, 1, 300, 100);
  zones.MouseDown(this, 1, 300, 100, 4);
  EXPECT_EQ(zones.Zone(Easy)->State, Tvt6Zone::zsPressed);
  // Released over another zone: that one is clicked, the pressed one goes back.
  zones.MouseMove(this, 1, 290, 400);
  EXPECT_EQ(zones.Zone(Easy)->State, Tvt6Zone::zsNormal);
  zones.MouseUp(this, 1, 290, 400, 2);
  EXPECT_EQ(zones.Zone(Normal)->State, Tvt6Zone::zsNormal);
  // Nothing under the cursor: no handler runs.
  zones.MouseDown(this, 1, 5, 5, 0);
  zones.MouseUp(this, 1, 5, 5, 0);

  EXPECT_EQ(calls, (std::vector<TCall>{{"hover", easy, 1, 300, 100, 0, 0},
                                       {"press", easy, 1, 300, 100, 4, 2},
                                       {"hover", normal, 1, 290, 400, 0, 0},
                                       {"release", normal, 1, 290, 400, 2, 2}}));
  EXPECT_EQ(States(), (std::vector<int>(7, 0)));
}

TEST_F(ZoneEngineTest, DrawZonesShowsTheFirstFrameOfEachStatesSceneWithItsOwnValues) {
  AddTitleZones();
  zones.DrawZones();
  ASSERT_EQ(images.Calls.size(), 7u);
  for (size_t i = 0; i < 7; ++i) {
    const TDrawCall& c = images.Calls[i];
    EXPECT_EQ(c.Op, TDrawCall::Draw) << i;
    EXPECT_EQ(c.Index, images.IndexOf(TitleZones[i].Dim)) << i;
    EXPECT_EQ(c.X, TitleZones[i].Left) << i;
    EXPECT_EQ(c.Y, TitleZones[i].Top) << i;
  }

  zones.Zone(Easy)->State = Tvt6Zone::zsHover;
  zones.Zone(Sound)->State = Tvt6Zone::zsPressed;
  zones.Zone(Shrapnel)->State = Tvt6Zone::zsHover;
  for (int pass = 0; pass < 2; ++pass) {  // drawing again shows the same first frames
    images.Calls.clear();
    zones.DrawZones();
    ASSERT_EQ(images.Calls.size(), 7u);
    const TDrawCall& easy = images.Calls[Easy];
    EXPECT_EQ(easy.Op, TDrawCall::DrawAlpha);
    EXPECT_EQ(easy.Index, images.IndexOf("easybright"));
    EXPECT_EQ(easy.Rect, Bounds(80, 280, 100, 30));
    EXPECT_EQ(easy.Alpha, 128);
    const TDrawCall& sound = images.Calls[Sound];
    EXPECT_EQ(sound.Op, TDrawCall::DrawRotateAlpha);
    EXPECT_EQ(sound.Index, images.IndexOf("soundbright"));
    EXPECT_EQ(sound.X, 300);
    EXPECT_EQ(sound.Y, 330);
    EXPECT_EQ(sound.Width, 150);
    EXPECT_EQ(sound.Height, 30);
    EXPECT_EQ(sound.Angle, 64);
    EXPECT_EQ(sound.Alpha, 255);
    EXPECT_DOUBLE_EQ(sound.CentreX, 0.5);
    const TDrawCall& shrapnel = images.Calls[Shrapnel];
    EXPECT_EQ(shrapnel.Op, TDrawCall::StretchDraw);
    EXPECT_EQ(shrapnel.Rect, Bounds(300, 360, 300, 30));
    EXPECT_EQ(images.Calls[Quit].Index, images.IndexOf("quitdim"));
  }
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(ZoneEngineTest, EachStateShowsItsOwnScene) {
  auto zone = std::make_unique<Tvt6Zone>();
  zone->SetUp(Bounds(10, 20, 40, 20), "Buttons", "UP", "lit", "down");  // letter case ignored
  Tvt6Zone& button = zones.AddZone(std::move(zone));
  std::vector<int> shown;
  for (uint8_t state : {Tvt6Zone::zsNormal, Tvt6Zone::zsPressed, Tvt6Zone::zsHover, uint8_t{7}}) {
    button.State = state;
    images.Calls.clear();
    zones.DrawZones();
    ASSERT_EQ(images.Calls.size(), 1u);
    shown.push_back(images.Calls[0].Index);
  }
  EXPECT_EQ(shown, (std::vector<int>{images.IndexOf("up"), images.IndexOf("down"),
                                     images.IndexOf("lit"), images.IndexOf("up")}));
}

TEST_F(ZoneEngineTest, AZoneWhoseSceneIsMissingDrawsNothingAndLeavesOneWarning) {
  AddZone(Bounds(0, 0, 10, 10), "titlescreen", "easydim", "easybright");
  AddZone(Bounds(0, 40, 10, 10), "titlescreen", "NoSuchScene", "easybright");
  AddZone(Bounds(0, 80, 10, 10), "titlescreen", "harddim", "hardbright");
  AddZone(Bounds(0, 120, 10, 10), "Nowhere", "easydim", "easybright");
  AddZone(Bounds(0, 160, 10, 10), "buttons", "up", "lit");
  zones.DrawZones();

  ASSERT_EQ(images.Calls.size(), 3u);
  EXPECT_EQ(images.Calls[0].Index, images.IndexOf("easydim"));
  EXPECT_EQ(images.Calls[1].Index, images.IndexOf("harddim"));
  EXPECT_EQ(images.Calls[2].Index, images.IndexOf("up"));
  EXPECT_EQ(images.Calls[2].Y, 160);
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "WARNING: Tvt6Reel.SceneByName was unable to find the following scene: "
                "\"nosuchscene\"",
                "WARNING:Tvt6AnimationEngine.GetScene was unable to find named reel: "
                "\"Nowhere.easydim\""}));
}

TEST_F(ZoneEngineTest, AnUnboundEngineDrawsNothing) {
  Tvt6ZoneEngine unbound{ctx.Log};
  auto zone = std::make_unique<Tvt6Zone>();
  zone->SetUp(Bounds(0, 0, 10, 10), "titlescreen", "easydim", "easybright", "easybright");
  unbound.AddZone(std::move(zone));
  unbound.DrawZones();
  EXPECT_TRUE(images.Calls.empty());
  EXPECT_TRUE(ctx.Messages().empty());
}

}  // namespace
}  // namespace quellix
