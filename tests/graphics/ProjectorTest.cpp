#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/vtAnimationEngine.h"
#include "graphics/vtProjector.h"
#include "support/vtTestContext.h"

namespace quellix {
namespace {

using testing::TDrawCall;
using testing::TTestContext;

constexpr int32_t N = Tvt6Projector::NotSet;
constexpr double NF = Tvt6Projector::NotSetFraction;

struct ProjectorTest : ::testing::Test {
  TTestContext ctx;
  testing::TFakeImageList& images = ctx.Platform.Images;
  Tvt6AnimationEngine anims{ctx.Context};
  Tvt6Projector p{ctx.Log};

  ProjectorTest() {
    images.Add("a", 20, 10);
    images.Add("b", 31, 17);
    images.Add("c", 8, 8);
    images.Add("huge", 2000, 10);
    anims.LoadFromStrings({"",
                           "[REELREC]",
                           "r",
                           "[SCENEREC]",
                           "three",
                           "255,0,0.5,0.5,100,100,a,1",
                           "255,0,0.5,0.5,100,100,b,1",
                           "255,0,0.5,0.5,100,100,c,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "styled",
                           "100,32,0.25,0.75,200,50,a,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "empty",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "lost",
                           "255,0,0.5,0.5,100,100,nope,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "big",
                           "255,0,0.5,0.5,1000,100,huge,1",
                           "[ENDSCENE]"});
    anims.LinkImages(images);
    p.Init("r", "three", 0, N, Tvt6Projector::pmLoop, Tvt6Projector::dirForward,
           Tvt6Projector::eorNothing, 0, &ctx.Platform.DisplayFake, &images, &anims);
  }

  void Draw(int32_t alpha = N, int32_t angle = N, int32_t sx = N, int32_t sy = N) {
    p.Draw_Image(5, 6, alpha, angle, sx, sy, NF, NF);
  }
  const TDrawCall& Last() {
    if (images.Calls.empty()) throw std::runtime_error("nothing drawn");
    return images.Calls.back();
  }
  // Draws and advances n times; the image index drawn each tick, -1 when none.
  std::vector<int> Play(int ticks) {
    std::vector<int> shown;
    for (int t = 0; t < ticks; ++t) {
      const size_t before = images.Calls.size();
      Draw();
      shown.push_back(images.Calls.size() > before ? images.Calls.back().Index : -1);
      p.Advance_Film();
    }
    return shown;
  }
  void Setup(uint8_t play, uint8_t endOfReel, int32_t start = 0,
             uint8_t direction = Tvt6Projector::dirForward) {
    p.Init("r", "three", start, N, play, direction, endOfReel, 0, nullptr, &images, &anims);
  }
};

TEST_F(ProjectorTest, ModeChoiceFollowsTheTableOrder) {
  Draw();
  EXPECT_EQ(Last().Op, TDrawCall::Draw);
  EXPECT_EQ(Last().X, 5);
  EXPECT_EQ(p.FrameRec.Mode, Tvt6ProjectorRecFrame::Plain);

  Draw(128, N, 100, 100);
  EXPECT_EQ(Last().Op, TDrawCall::DrawAlpha);
  EXPECT_EQ(Last().Rect, Bounds(5, 6, 20, 10));
  EXPECT_EQ(Last().Alpha, 128);
  EXPECT_EQ(p.FrameRec.Mode, Tvt6ProjectorRecFrame::AlphaBlend);

  Draw(255, N, 50, 50);
  EXPECT_EQ(Last().Op, TDrawCall::StretchDraw);
  EXPECT_EQ(Last().Rect, Bounds(5, 6, 10, 5));
  EXPECT_EQ(p.FrameRec.Mode, Tvt6ProjectorRecFrame::Stretched);

  Draw(128, N, 50, 50);
  EXPECT_EQ(Last().Op, TDrawCall::DrawRotateAlpha);
  EXPECT_EQ(Last().Angle, 0);
  EXPECT_EQ(Last().Width, 10);
  EXPECT_EQ(Last().Height, 5);
  EXPECT_EQ(p.FrameRec.Mode, Tvt6ProjectorRecFrame::RotatedBlend);

  // Above 255 with a scale: drawn plainly at the image's own size.
  Draw(300, N, 50, 50);
  EXPECT_EQ(Last().Op, TDrawCall::Draw);
  EXPECT_EQ(p.FrameRec.Mode, Tvt6ProjectorRecFrame::Plain);
  EXPECT_EQ(p.FrameRec.Width, 10) << "the record keeps the scaled size";

  // Any angle takes the rotating blend, even opaque and unscaled.
  Draw(255, 64, 100, 100);
  EXPECT_EQ(Last().Op, TDrawCall::DrawRotateAlpha);
  EXPECT_EQ(Last().Angle, 64);

  // One axis scaled counts as scaled.
  Draw(255, N, 100, 50);
  EXPECT_EQ(Last().Op, TDrawCall::StretchDraw);
  EXPECT_EQ(Last().Rect, Bounds(5, 6, 20, 5));
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(ProjectorTest, SentinelsTakeTheFrameValuesAndTheRecordTellsHow) {
  p.SetScene("styled");
  p.Draw_Image(7, 9, N, 40000, 32000, N, 32000.0, 1e9);
  const TDrawCall& c = Last();
  EXPECT_EQ(c.Op, TDrawCall::DrawRotateAlpha);
  EXPECT_EQ(c.Alpha, 100);
  EXPECT_EQ(c.Angle, 32);
  EXPECT_EQ(c.Width, 40);
  EXPECT_EQ(c.Height, 5);
  EXPECT_DOUBLE_EQ(c.CentreX, 0.25);
  EXPECT_DOUBLE_EQ(c.CentreY, 0.75);
  EXPECT_EQ(p.FrameRec.AsString(), "a,0,7,9,100,32,40,5,0.25,0.75");
  // Arguments below the sentinel win over the frame.
  p.Draw_Image(1, 2, 255, 0, 100, 100, 0.1, 0.2);
  EXPECT_EQ(Last().Op, TDrawCall::Draw);
  EXPECT_EQ(p.FrameRec.AsString(), "a,3,1,2,255,0,20,10,0.1,0.2");
}

TEST_F(ProjectorTest, PositionIsClampedIntoTheScene) {
  p.Position = 10;
  Draw();
  EXPECT_EQ(Last().Index, 2);
  EXPECT_EQ(p.Position, 2);
  p.Position = -4;
  Draw();
  EXPECT_EQ(Last().Index, 0);
  EXPECT_EQ(p.Position, 0);
}

TEST_F(ProjectorTest, NothingDrawnWhenFinishedOrWithoutScene) {
  p.Finished = true;
  Draw();
  p.Finished = false;
  p.SetScene("nosuch");
  Draw();
  EXPECT_TRUE(images.Calls.empty());
  EXPECT_EQ(ctx.Messages().size(), 1u);  // only the lookup warning
}

TEST_F(ProjectorTest, DrawFailuresAreLoggedWithTheirTexts) {
  p.SetScene("lost");
  Draw();
  p.SetScene("empty");
  Draw();
  p.SetScene("three");
  Draw();
  const Tvt6ProjectorRecFrame before = p.FrameRec;
  images.FailDraws = true;
  Draw(128, N, 100, 100);
  EXPECT_EQ(p.FrameRec.Mode, before.Mode) << "a failed draw leaves the record";
  EXPECT_EQ(p.FrameRec.Alpha, before.Alpha);
  images.FailDraws = false;
  p.SetScene("big");
  Draw();
  EXPECT_EQ(Last().Op, TDrawCall::StretchDraw) << "the draw goes on after a size error";
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "Warning!\rProjector.Draw_Image could not locate image named \"nope\" in the "
                "current list of BMPs!",
                "Projector Object Error!\rImageObject.Draw_Image reports the following "
                "error:\rthe scene \"empty\" has no frames",
                "Projector Error!\rDraw_Image:DrawFastTransparency reports the following error: "
                "draw failed",
                "Projector Error!\rDraw_Image:CalcActual reports the following error:the drawn "
                "size 20000 is beyond 3200 pixels"}));
}

TEST_F(ProjectorTest, DrawHandlersRunAroundTheDraw) {
  std::vector<std::string> order;
  p.OnBeforeDraw = [&](Tvt6Projector& sender) {
    EXPECT_EQ(&sender, &p);
    order.push_back("before:" + std::to_string(images.Calls.size()));
  };
  p.OnAfterDraw = [&](Tvt6Projector&) {
    order.push_back("after:" + std::to_string(images.Calls.size()) + ":" + p.FrameRec.ImageName);
  };
  Draw();
  EXPECT_EQ(order, (std::vector<std::string>{"before:0", "after:1:a"}));
  p.OnBeforeDraw = [](Tvt6Projector&) { throw std::runtime_error("no"); };
  Draw(255, 1);
  EXPECT_EQ(images.Calls.size(), 1u);
  EXPECT_EQ(ctx.Messages(), (std::vector<std::string>{
                                "Projector Error!\rDraw_Image:DrawSlowest reports the following "
                                "error: no"}));
}

TEST_F(ProjectorTest, DrawCenteredUsesHalfTheOwnSizeRoundedTowardZero) {
  p.Position = 1;  // "b", 31 x 17
  p.Draw_Centered(100, 100, N, N, 50, 50, NF, NF);
  EXPECT_EQ(Last().Rect.Left, 85);
  EXPECT_EQ(Last().Rect.Top, 92);
  EXPECT_EQ(Last().Rect.Width(), 15);
  const size_t drawn = images.Calls.size();
  p.Position = 3;  // outside: not clamped here
  p.Draw_Centered(100, 100, N, N, N, N, NF, NF);
  p.Position = -1;
  p.Draw_Centered(100, 100, N, N, N, N, NF, NF);
  p.SetScene("lost");
  p.Position = 0;
  p.Draw_Centered(100, 100, N, N, N, N, NF, NF);
  EXPECT_EQ(images.Calls.size(), drawn);
  EXPECT_TRUE(ctx.Messages().empty());
}

TEST_F(ProjectorTest, PlainImageAndRecordReplays) {
  p.Draw_Plain_Image(2, 30, 40);
  EXPECT_EQ(Last().Op, TDrawCall::Draw);
  EXPECT_EQ(Last().Index, 2);
  p.Draw_Plain_Image(9, 0, 0);
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{"Projector Error!\rDraw_Plain_Image reports the following "
                                      "error:List index out of bounds (9)"}));

  Tvt6ProjectorRecFrame rec;
  rec.ImageName = "B";
  rec.X = 3;
  rec.Y = 4;
  rec.Width = 50;
  rec.Height = 60;
  rec.Alpha = 77;
  rec.Angle = 12;
  rec.CenterX = 0.3;
  rec.CenterY = 0.6;
  const TDrawCall::TOp ops[] = {TDrawCall::DrawRotateAlpha, TDrawCall::StretchDraw,
                                TDrawCall::DrawAlpha, TDrawCall::Draw};
  for (uint8_t mode = 0; mode < 4; ++mode) {
    rec.Mode = mode;
    p.Draw_FromFrameRec(rec);
    EXPECT_EQ(Last().Op, ops[mode]);
    EXPECT_EQ(Last().Index, 1);
  }
  EXPECT_EQ(images.Calls[images.Calls.size() - 4].Angle, 12);
  EXPECT_EQ(images.Calls[images.Calls.size() - 3].Rect, Bounds(3, 4, 50, 60));
  EXPECT_EQ(images.Calls[images.Calls.size() - 2].Alpha, 77);
  const size_t drawn = images.Calls.size();
  rec.ImageName = "unknown";
  p.Draw_FromFrameRec(rec);
  EXPECT_EQ(images.Calls.size(), drawn);
}

TEST_F(ProjectorTest, LoopPlaysRoundAndRound) {
  int loops = 0;
  p.OnLoop = [&](Tvt6Projector&) { ++loops; };
  EXPECT_EQ(Play(7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
  EXPECT_EQ(loops, 2);
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorNothing, 2, Tvt6Projector::dirBackward);
  EXPECT_EQ(Play(6), (std::vector<int>{2, 1, 0, 2, 1, 0}));
}

TEST_F(ProjectorTest, PingPongShowsEachEndFrameTwice) {
  Setup(Tvt6Projector::pmPingPong, Tvt6Projector::eorNothing);
  std::vector<std::string> events;
  p.OnLoop = [&](Tvt6Projector&) { events.push_back("loop"); };
  p.OnReverse = [&](Tvt6Projector&) { events.push_back("reverse"); };
  EXPECT_EQ(Play(9), (std::vector<int>{0, 1, 2, 2, 1, 0, 0, 1, 2}));
  EXPECT_EQ(events,
            (std::vector<std::string>{"loop", "reverse", "loop", "reverse", "loop", "reverse"}));
}

TEST_F(ProjectorTest, PlayOnceFinishesOnTheFirstFrame) {
  Setup(Tvt6Projector::pmPlayOnce, Tvt6Projector::eorNothing);
  int finished = 0;
  p.OnFinished = [&](Tvt6Projector&) { ++finished; };
  EXPECT_EQ(Play(5), (std::vector<int>{0, 1, 2, -1, -1}));
  EXPECT_TRUE(p.Finished);
  EXPECT_EQ(finished, 1);
  // Finished stops the rules but the position still moves.
  EXPECT_EQ(p.Position, 2);
}

TEST_F(ProjectorTest, PingPongOnceGoesThereAndBackThenFinishes) {
  Setup(Tvt6Projector::pmPingPongOnce, Tvt6Projector::eorNothing);
  std::vector<std::string> events;
  p.OnSceneEnd = [&](Tvt6Projector&) { events.push_back("end"); };
  p.OnReverse = [&](Tvt6Projector&) { events.push_back("reverse"); };
  p.OnFinished = [&](Tvt6Projector&) { events.push_back("finished"); };
  EXPECT_EQ(Play(8), (std::vector<int>{0, 1, 2, 2, 1, 0, -1, -1}));
  EXPECT_TRUE(p.Bounced);
  EXPECT_EQ(events, (std::vector<std::string>{"end", "reverse", "finished", "end"}));
  // Init does not clear Bounced: a second run finishes at its first end.
  Setup(Tvt6Projector::pmPingPongOnce, Tvt6Projector::eorNothing);
  p.Finished = false;
  EXPECT_EQ(Play(4), (std::vector<int>{0, 1, 2, -1}));
}

TEST_F(ProjectorTest, HoldKeepsTheLastFrameAndReportsSceneEndEveryTick) {
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorHold);
  int sceneEnds = 0;
  p.OnSceneEnd = [&](Tvt6Projector&) { ++sceneEnds; };
  EXPECT_EQ(Play(3), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(sceneEnds, 1);
  EXPECT_EQ(p.PlayMethod, Tvt6Projector::pmHold);
  EXPECT_EQ(Play(4), (std::vector<int>{2, 2, 2, 2}));
  EXPECT_EQ(sceneEnds, 5);
  // Backwards it holds the first frame.
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorHold, 1, Tvt6Projector::dirBackward);
  EXPECT_EQ(Play(4), (std::vector<int>{1, 0, 0, 0}));
}

TEST_F(ProjectorTest, FinishAndNotifyEndOfReelMethods) {
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorFinish);
  int finished = 0;
  p.OnFinished = [&](Tvt6Projector&) { ++finished; };
  EXPECT_EQ(Play(5), (std::vector<int>{0, 1, 2, -1, -1}));
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(p.Position, 5) << "the loop rule no longer runs";

  p.Finished = false;
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorNotify);
  std::vector<int> notified;
  p.OnEndOfReel = [&](Tvt6Projector& s) { notified.push_back(s.Position); };
  EXPECT_EQ(Play(7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
  EXPECT_EQ(notified, (std::vector<int>{3, 3})) << "notify leaves the position to the play rule";
}

TEST_F(ProjectorTest, OtherDirectionKeepsThePosition) {
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorNothing, 1, 2);
  EXPECT_EQ(Play(3), (std::vector<int>{1, 1, 1}));
}

TEST_F(ProjectorTest, LifeSpanCountsAdvances) {
  std::vector<std::string> events;
  p.OnFinished = [&](Tvt6Projector&) { events.push_back("finished"); };
  p.OnLifeSpanEnd = [&](Tvt6Projector&) { events.push_back("lifespan"); };
  p.LifeSpan = 1;
  p.Advance_Film();
  EXPECT_TRUE(p.Finished);
  EXPECT_EQ(events, (std::vector<std::string>{"finished", "lifespan"}));

  Tvt6Projector fresh(ctx.Log);
  fresh.Advance_Film();
  EXPECT_TRUE(fresh.Finished) << "a projector never initialised lives -1 ticks";
  EXPECT_EQ(fresh.Position, 0) << "without a scene the position is reset";

  p.Finished = false;
  p.QuickInit("r", "three", 3);
  EXPECT_EQ(Play(5), (std::vector<int>{0, 1, 2, -1, -1}));
  p.Finished = false;
  p.QuickInit("r", "three", N);
  Play(500);
  EXPECT_FALSE(p.Finished);
  EXPECT_EQ(p.LifeSpan, N);
}

TEST_F(ProjectorTest, HandlerErrorsAreLoggedPerRule) {
  auto raise = [](Tvt6Projector&) { throw std::runtime_error("x"); };
  p.OnLoop = raise;
  p.Position = 2;
  p.Advance_Film();
  EXPECT_EQ(p.Position, 0);
  Setup(Tvt6Projector::pmLoop, Tvt6Projector::eorHold, 2);
  p.OnSceneEnd = raise;
  p.Advance_Film();
  EXPECT_EQ(p.Position, 2);
  p.OnLifeSpanEnd = raise;
  p.LifeSpan = 1;
  p.Advance_Film();
  EXPECT_EQ(ctx.Messages(),
            (std::vector<std::string>{
                "CheckPositon Error\rAn Exception occurred while processing Play Method\rx",
                "CheckPositon Error\rAn Exception occurred while processing end of Reel "
                "Method\rx",
                "CheckPositon Error\rAn Exception occurred while processing end of Reel "
                "Method\rx",
                "Projector Error!\rAdvance_Film: LifeSpanCheck reports the following error:x"}));
}

TEST_F(ProjectorTest, GetDimsGivesTheCurrentImageSize) {
  int32_t w = -1, h = -1;
  p.Position = 1;
  p.GetDims(w, h);
  EXPECT_EQ(w, 31);
  EXPECT_EQ(h, 17);
  p.Position = 3;
  p.GetDims(w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  p.SetScene("lost");
  p.Position = 0;
  p.GetDims(w, h);
  EXPECT_EQ(w, 0);
  Tvt6Projector bare(ctx.Log);
  bare.GetDims(w, h);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(ctx.Messages(), (std::vector<std::string>{
                                "Tvt6Projector:GetDims reports the following error:\rList index "
                                "out of bounds (-1)"}));
}

TEST_F(ProjectorTest, InitialisersSetTheirValuesAndNamesResolveTheScene) {
  Tvt6Projector q(ctx.Log);
  EXPECT_EQ(q.Position, -1);
  EXPECT_EQ(q.LifeSpan, -1);
  EXPECT_EQ(q.EndOfReelMethod, Tvt6Projector::eorHold);
  EXPECT_EQ(q.Reserved, 3);
  q.AnimationEngine = &anims;
  q.SetReel("R");
  EXPECT_EQ(q.Scene, nullptr) << "no scene name yet";
  q.SetScene("THREE");
  ASSERT_NE(q.Scene, nullptr);
  EXPECT_EQ(q.Scene->Name, "three");
  q.Finished = true;
  q.Bounced = true;
  q.QuickInit("r", "styled", 77);
  EXPECT_EQ(q.Scene->Name, "styled");
  EXPECT_EQ(q.Position, 0);
  EXPECT_EQ(q.LifeSpan, 77);
  EXPECT_EQ(q.EndOfReelMethod, Tvt6Projector::eorNothing);
  EXPECT_EQ(q.Reserved, 0);
  EXPECT_TRUE(q.Finished && q.Bounced) << "initialisers leave Finished and Bounced";
  q.SetReel("");
  EXPECT_EQ(q.Scene, nullptr);
  EXPECT_TRUE(ctx.Messages().empty());
}

}  // namespace
}  // namespace quellix
