#include <gtest/gtest.h>

#include <cmath>

#include "base/vtRandom.h"
#include "graphics/vtStars.h"
#include "support/vtFakeMedia.h"

namespace quellix {
namespace {

using testing::TFakeDisplay;

class StarEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { stars.SetDisplay(&display); }
  // A star with fixed speeds, aimed at (tx, ty).
  Tvt6Star& Aimed(int32_t x, int32_t y, int32_t tx, int32_t ty, int32_t sx = 4, int32_t sy = 3) {
    Tvt6Star& star = stars.AddStar(x, y, 0x00FFFF);
    star.TargetX = tx;
    star.TargetY = ty;
    star.SpeedX = sx;
    star.SpeedY = sy;
    return star;
  }
  TRandom random{42};
  TFakeDisplay display;
  Tvt6StarEngine stars{random};
};

TEST_F(StarEngineTest, NewStarsTakeTheirDefaultsAndSpeedsFromTheGenerator) {
  bool seenX[8] = {}, seenY[6] = {};
  for (int i = 0; i < 200; ++i) {
    const Tvt6Star& s = stars.AddStar(1, 2, 77);
    ASSERT_GE(s.SpeedX, 4);
    ASSERT_LE(s.SpeedX, 7);
    ASSERT_GE(s.SpeedY, 3);
    ASSERT_LE(s.SpeedY, 5);
    seenX[s.SpeedX] = seenY[s.SpeedY] = true;
  }
  for (int v = 4; v <= 7; ++v) EXPECT_TRUE(seenX[v]) << v;
  for (int v = 3; v <= 5; ++v) EXPECT_TRUE(seenY[v]) << v;
  const Tvt6Star& s = stars.Star(0);
  EXPECT_EQ(s.X, 1);
  EXPECT_EQ(s.Y, 2);
  EXPECT_EQ(s.Color, 77u);
  EXPECT_EQ(s.Width, 1);
  EXPECT_EQ(s.Height, 1);
  EXPECT_EQ(s.TargetX, 0);
  EXPECT_EQ(s.MinX, -10);
  EXPECT_EQ(s.MinY, -10);
  EXPECT_EQ(s.MaxX, 810);
  EXPECT_EQ(s.MaxY, 610);
  EXPECT_EQ(s.EdgeMode, emWrap);
  EXPECT_FALSE(s.Dead);

  // The same seed gives the same speeds.
  TRandom again{42};
  Tvt6StarEngine other{again};
  for (int i = 0; i < 200; ++i) {
    const Tvt6Star& o = other.AddStar(0, 0, 0);
    ASSERT_EQ(o.SpeedX, stars.Star(i).SpeedX);
    ASSERT_EQ(o.SpeedY, stars.Star(i).SpeedY);
  }
}

TEST_F(StarEngineTest, StarsRunDiagonallyThenStraightAndLandOnTheTarget) {
  Tvt6Star& s = Aimed(0, 0, 10, 3);
  int arrivals = 0;
  s.OnArrive = [&](Tvt6Star& star) {
    ++arrivals;
    EXPECT_EQ(&star, &s);
  };
  EXPECT_TRUE(stars.MoveStars());
  EXPECT_EQ(s.X, 4);
  EXPECT_EQ(s.Y, 3);
  EXPECT_TRUE(stars.MoveStars());
  EXPECT_EQ(s.X, 8);
  EXPECT_EQ(arrivals, 0);
  EXPECT_TRUE(stars.MoveStars());  // distance 2 < 4: lands
  EXPECT_EQ(s.X, 10);
  EXPECT_EQ(arrivals, 1);
  // On its target it no longer moves but still reports arriving.
  EXPECT_FALSE(stars.MoveStars());
  EXPECT_EQ(arrivals, 2);

  // From the other side, one pixel away with speed 4.
  Tvt6Star& t = Aimed(401, 300, 400, 290);
  stars.MoveStars();
  EXPECT_EQ(t.X, 400);
  EXPECT_EQ(t.Y, 297);
}

TEST_F(StarEngineTest, WrapEdges) {
  Tvt6Star& right = Aimed(808, 0, 900, 0);
  Tvt6Star& left = Aimed(-8, 0, -100, 0);
  Tvt6Star& down = Aimed(0, 609, 0, 700);
  stars.MoveStars();
  EXPECT_EQ(right.X, -10);
  EXPECT_EQ(left.X, 810);
  EXPECT_EQ(down.Y, -10);
  // On the edge itself nothing wraps.
  Tvt6Star& onEdge = Aimed(806, 0, 810, 0);
  stars.MoveStars();
  EXPECT_EQ(onEdge.X, 810);
}

TEST_F(StarEngineTest, BounceEdgesStepBackAndTurn) {
  Tvt6Star& right = Aimed(808, 0, 900, 0);
  right.EdgeMode = emBounce;
  Tvt6Star& up = Aimed(0, -8, 0, -100);
  up.EdgeMode = emBounce;
  stars.MoveStars();
  EXPECT_EQ(right.X, 809);
  EXPECT_EQ(right.SpeedX, -4);
  EXPECT_EQ(up.Y, -9);
  EXPECT_EQ(up.SpeedY, -3);
}

TEST_F(StarEngineTest, ArrivalIsTestedBeforeTheEdgeRule) {
  Tvt6Star& s = Aimed(818, 0, 820, 0);  // target beyond the edge box
  bool arrived = false;
  s.OnArrive = [&](Tvt6Star& star) {
    arrived = true;
    EXPECT_EQ(star.X, 820);
  };
  stars.MoveStars();
  EXPECT_TRUE(arrived);
  EXPECT_EQ(s.X, -10);
}

TEST_F(StarEngineTest, DeadStarsAreDroppedByTheNextDrawAndNotDrawn) {
  Tvt6Star& a = Aimed(5, 6, 400, 300);
  Aimed(390, 290, 392, 291).OnArrive = [](Tvt6Star& star) { star.Dead = true; };
  a.Width = 2;
  stars.MoveStars();
  EXPECT_EQ(stars.StarCount(), 2);
  stars.DrawStars();
  EXPECT_EQ(stars.StarCount(), 1);
  ASSERT_EQ(display.Rects.size(), 1u);
  EXPECT_EQ(display.Rects[0].Rect, Bounds(9, 9, 2, 1));
  EXPECT_EQ(display.Rects[0].Color, 0x00FFFFu);
}

TEST_F(StarEngineTest, HandlersMayMarkAndAddButNotRemove) {
  Tvt6Star& s = Aimed(0, 0, 1, 1);
  s.OnArrive = [this](Tvt6Star&) { stars.Clear(); };
  EXPECT_THROW(stars.MoveStars(), std::logic_error);
  EXPECT_EQ(stars.StarCount(), 1);
  // Once the move has ended the engine accepts removals again.
  stars.Clear();
  EXPECT_EQ(stars.StarCount(), 0);

  Tvt6Star& spawner = Aimed(0, 0, 1, 1);
  spawner.OnArrive = [this](Tvt6Star& star) {
    star.OnArrive = nullptr;
    Aimed(50, 50, 0, 0);
  };
  stars.MoveStars();
  ASSERT_EQ(stars.StarCount(), 2);
  EXPECT_EQ(stars.Star(1).X, 46);  // added in the pass and moved in it
}

TEST_F(StarEngineTest, DeleteIgnoresIndexesOutsideTheList) {
  Aimed(1, 1, 0, 0);
  Aimed(2, 2, 0, 0);
  stars.DeleteStar(2);
  stars.DeleteStar(-1);
  EXPECT_EQ(stars.StarCount(), 2);
  stars.DeleteStar(0);
  ASSERT_EQ(stars.StarCount(), 1);
  EXPECT_EQ(stars.Star(0).X, 2);
}

TEST(WavelengthColor, TheNamedColoursAndTheEnds) {
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(379.9), 0u);
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(781), 0u);
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(-5), 0u);
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(std::nan("")), 0u);
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(440), RGB(0, 0, 255));
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(580), RGB(255, 255, 0));
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(700), RGB(255, 0, 0));
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(510), RGB(0, 255, 0));
}

TEST(WavelengthColor, HandComputedValues) {
  // 400 nm: red 2/3, blue 1, intensity 0.65; 255 * 0.4333^0.8 = 130.6, 255 * 0.65^0.8 = 180.7.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(400), RGB(131, 0, 181));
  // 380 nm: red and blue 1 at intensity 0.3: 255 * 0.3^0.8 = 97.3.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(380), RGB(97, 0, 97));
  // The heads-up display's range: green (w - 440) / 50 at full intensity.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(450), RGB(0, 70, 255));
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(460), RGB(0, 123, 255));
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(470), RGB(0, 169, 255));
  // 600 nm: green 45/65 = 0.692; 255 * 0.692^0.8 = 190.0.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(600), RGB(255, 190, 0));
  // 750 nm: intensity 0.3 + 0.7 * 30 / 80 = 0.5625; 255 * 0.5625^0.8 = 160.9.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(750), RGB(161, 0, 0));
  // Ranges are chosen by whole nanometres: 780.5 is still red, dimmer than 780.
  EXPECT_EQ(Tvt6StarEngine::WavelengthColor(780.5), RGB(96, 0, 0));
}

}  // namespace
}  // namespace quellix
