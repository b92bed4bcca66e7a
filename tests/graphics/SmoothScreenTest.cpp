// The frame a tick draws, kept and drawn again between ticks: things drawn in both of the
// last two frames slide between their places, new, gone and jumping things do not, what
// the hand steers goes where the pending motion puts it, and everything else is drawn
// again exactly as the tick drew it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "graphics/vtFrameNotes.h"
#include "graphics/vtSmoothScreen.h"
#include "support/vtFakeMedia.h"

namespace quellix::testing {
namespace {

class SmoothScreenTest : public ::testing::Test {
 protected:
  SmoothScreenTest() { image = images.Add("ship", 32, 32); }

  // One image of the thing numbered serial in group, at (x, y).
  void DrawThing(const void* group, uint64_t serial, int32_t x, int32_t y) {
    const TItemScope item(notes(), group, serial);
    screen.Images().Draw(image, x, y);
  }
  IFrameNotes* notes() { return screen.Display().FrameNotes(); }
  // The draws made by showing the latest frame at fraction.
  std::vector<TDrawCall> ShowAt(double fraction) {
    images.Calls.clear();
    EXPECT_EQ(screen.Show(fraction), std::nullopt);
    return images.Calls;
  }

  TFakeDisplay display;
  TFakeImageList images;
  TSmoothScreen screen{display, images};
  int32_t image = 0;
  const int engine = 0, starfield = 0;  // two groups, told apart by address
};

TEST_F(SmoothScreenTest, MovingThingsSlideNewGoneAndJumpingThingsAreDrawnWhereTheyAre) {
  EXPECT_EQ(screen.Show(0.5), std::nullopt);  // nothing before the first frame
  EXPECT_EQ(display.Flips, 0);
  // Tick 1: a mover, one that goes, a jumper and a thing of another group.
  DrawThing(&engine, 1, 0, 100);
  DrawThing(&engine, 2, 300, 300);
  DrawThing(&engine, 3, 10, 10);
  DrawThing(&starfield, 4, 50, 50);
  screen.Display().Flip();
  // Tick 2: the mover went 16 right and 8 up, the jumper wrapped, a new thing came with
  // the serial another group used, and the starfield's thing moved 48 (still a slide).
  DrawThing(&engine, 1, 16, 92);
  DrawThing(&engine, 3, 10 + TInterpolatedFrames::JumpDistance + 1, 10);
  DrawThing(&engine, 4, 600, 400);
  DrawThing(&starfield, 4, 50 + TInterpolatedFrames::JumpDistance, 50);
  screen.Display().Flip();
  EXPECT_EQ(screen.FramesFinished(), 2u);

  for (double fraction : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    const std::vector<TDrawCall> calls = ShowAt(fraction);
    ASSERT_EQ(calls.size(), 4u) << "the thing gone is not drawn";
    EXPECT_EQ(calls[0].X, static_cast<int32_t>(16 * fraction)) << fraction;
    EXPECT_EQ(calls[0].Y, 100 - static_cast<int32_t>(8 * fraction)) << fraction;
    EXPECT_EQ(calls[1].X, 10 + TInterpolatedFrames::JumpDistance + 1) << "jumped";
    EXPECT_EQ(calls[2].X, 600) << "new";
    EXPECT_EQ(calls[3].X, 50 + static_cast<int32_t>(TInterpolatedFrames::JumpDistance * fraction));
  }
  EXPECT_EQ(display.Flips, 5);
}

TEST_F(SmoothScreenTest, AThingDrawnTwiceAndDrawsOfNoThingStayWhereTheyAre) {
  DrawThing(&engine, 1, 0, 0);
  screen.Images().Draw(image, 0, 0);
  screen.Display().Flip();
  {
    const TItemScope item(notes(), &engine, 1);
    screen.Images().Draw(image, 8, 0);
    screen.Images().Draw(image, 8, 8);
  }
  screen.Images().Draw(image, 8, 0);
  screen.Display().Flip();
  for (const TDrawCall& call : ShowAt(0.5)) EXPECT_EQ(call.X, 8);
}

TEST_F(SmoothScreenTest, WhatTheHandSteersGoesWhereThePendingMotionWillPutThePoint) {
  TFakeInput input;
  DrawThing(&engine, 1, 100, 0);  // a ship that follows the point's x
  DrawThing(&engine, 2, 40, 60);  // a cursor drawn where the point was a tick ago
  DrawThing(&engine, 3, 0, 0);    // a mover
  notes()->SetPointer(input, 100, 300, 749, 519);
  notes()->FollowPointer(&engine, 1, true, false, 100, 300);
  notes()->FollowPointer(&engine, 2, true, true, 40, 60);
  screen.Display().Flip();
  DrawThing(&engine, 3, 16, 0);
  DrawThing(&engine, 1, 104, 0);
  notes()->SetPointer(input, 104, 300, 749, 519);
  notes()->FollowPointer(&engine, 1, true, false, 104, 300);
  screen.Display().Flip();

  // An input that cannot tell its pending motion: the ship slides like the rest.
  EXPECT_EQ(ShowAt(0.5)[1].X, 102);
  input.TellsPending = true;
  input.NextX = 30;
  input.NextY = -5;
  std::vector<TDrawCall> calls = ShowAt(0.5);
  EXPECT_EQ(calls[0].X, 8);
  EXPECT_EQ(calls[1].X, 134);
  EXPECT_EQ(calls[1].Y, 0) << "a ship on the top edge follows x only";
  // A picture shown again (the game stands still) keeps the point where it was shown.
  input.NextX = 90;
  images.Calls.clear();
  EXPECT_EQ(screen.ShowAgain(), std::nullopt);
  ASSERT_EQ(images.Calls.size(), 2u);
  EXPECT_EQ(images.Calls[0].X, 8);
  EXPECT_EQ(images.Calls[1].X, 134);
  // Kept to the point's range, as the next poll will keep it.
  input.NextX = 5000;
  EXPECT_EQ(ShowAt(0)[1].X, 749);
}

TEST_F(SmoothScreenTest, TheFrameIsDrawnAgainAsTheTickDrewIt) {
  IDisplay& d = screen.Display();
  IImageList& list = screen.Images();
  d.FillRect(Bounds(1, 1, 5, 5), 7);  // covered by the fill that follows
  d.Fill(3);
  d.FillRect(Bounds(0, 558, 800, 42), 0);
  ITextCanvas& canvas = d.Canvas();
  canvas.Font.Size = 18;
  canvas.Font.Color = 0xFF0000;
  EXPECT_EQ(canvas.TextWidth("Score:"), 48) << "measured by the real canvas";
  EXPECT_EQ(canvas.TextHeight("Score:"), 24);
  canvas.TextOut(550, 560, "Score:00000100");
  canvas.Font.Color = 0x00FF00;
  canvas.TextRect(Bounds(0, 0, 100, 20), 2, 3, "Ships:08");
  canvas.Release();
  list.StretchDraw(image, Bounds(5, 6, 64, 16));
  list.DrawAlpha(image, Bounds(7, 8, 32, 32), 128);
  list.DrawRotateAlpha(image, 9, 10, 32, 48, 0.5, 0.25, 64, 200);
  EXPECT_THROW(list.Draw(99, 0, 0), std::out_of_range) << "as the real list fails";
  d.Flip();
  EXPECT_TRUE(display.Fills.empty()) << "nothing is drawn before a refresh";

  const std::vector<TDrawCall> calls = ShowAt(0.5);
  EXPECT_EQ(display.Fills, std::vector<TColor>{3});
  ASSERT_EQ(display.Rects.size(), 1u);
  EXPECT_EQ(display.Rects[0].Rect, Bounds(0, 558, 800, 42));
  const std::vector<TTextCall>& texts = display.CanvasFake.Texts;
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, "Score:00000100");
  EXPECT_EQ(texts[0].X, 550);
  EXPECT_EQ(texts[0].Font.Color, 0xFF0000u);
  EXPECT_EQ(texts[1].Font.Color, 0x00FF00u);
  EXPECT_TRUE(texts[1].Clipped);
  EXPECT_EQ(texts[1].Clip, Bounds(0, 0, 100, 20));
  EXPECT_EQ(display.CanvasFake.Releases, 1);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].Op, TDrawCall::StretchDraw);
  EXPECT_EQ(calls[0].Rect, Bounds(5, 6, 64, 16));
  EXPECT_EQ(calls[1].Op, TDrawCall::DrawAlpha);
  EXPECT_EQ(calls[1].Alpha, 128);
  EXPECT_EQ(calls[2].Op, TDrawCall::DrawRotateAlpha);
  EXPECT_EQ(calls[2].Angle, 64);
  EXPECT_EQ(calls[2].CentreY, 0.25);
  EXPECT_EQ(calls[2].Height, 48);

  // A draw that fails at a refresh is told, and the others are still drawn.
  images.FailDraws = true;
  const std::optional<std::string> failure = screen.Show(1);
  EXPECT_TRUE(failure.has_value());
  EXPECT_EQ(display.CanvasFake.Texts.size(), 4u);
}

}  // namespace
}  // namespace quellix::testing
