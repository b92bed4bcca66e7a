// The four drawing operations of the image list and the display's fills, checked
// pixel by pixel on the headless back end.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "MediaTestSupport.h"
#include "media/vtHeadlessPlatform.h"

namespace quellix::testing {
namespace {

using media::THeadlessPlatform;

constexpr TColor Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255),
                 White = RGB(255, 255, 255), Black = 0, Magenta = RGB(255, 0, 255),
                 Yellow = RGB(255, 255, 0);

bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDrivers();
    TArchiveWriter w(TArchiveKind::Images);
    // Left half red, right half the colour key.
    const auto halves = [](int x, int) { return x < 2 ? Red : Magenta; };
    w.AddImage(ImageFields("keyed", true, Magenta), Png(4, 4, halves));
    w.AddImage(ImageFields("unkeyed"), Png(4, 4, halves));
    w.AddImage(ImageFields("quads"), Png(2, 2, [](int x, int y) {
                 return y == 0 ? (x == 0 ? Red : Green) : (x == 0 ? Blue : Yellow);
               }));
    w.AddImage(ImageFields("white"), Png(8, 8, [](int, int) { return White; }));
    // 20 x 10: left half red, right half green, for the turns.
    w.AddImage(ImageFields("bar"), Png(20, 10, [](int x, int) { return x < 10 ? Red : Green; }));
    TImageItem pattern = ImageFields("pattern");
    pattern.PatternWidth = 2;
    pattern.PatternHeight = 2;
    w.AddImage(pattern, Png(6, 4, [](int x, int) { return x < 2 ? Yellow : Red; }));
    w.SaveToFile(dir.File("sprites.vtg"));
    images().LoadFromFile(dir.File("sprites.vtg"));
    display().Fill(Black);
  }
  IImageList& images() { return platform.ImageList(); }
  IDisplay& display() { return platform.Display(); }
  int32_t Index(const char* name) { return images().IndexOf(name); }

  TTempDir dir;
  THeadlessPlatform platform;
};

TEST_F(Drawing, DrawAtNaturalSizeSkipsTheColourKeyOnlyWhenTransparent) {
  display().Fill(Blue);
  images().Draw(Index("keyed"), 10, 10);
  images().Draw(Index("unkeyed"), 10, 30);
  EXPECT_EQ(platform.Pixel(10, 10), Red);
  EXPECT_EQ(platform.Pixel(11, 13), Red);
  EXPECT_EQ(platform.Pixel(12, 10), Blue) << "key pixels are skipped";
  EXPECT_EQ(platform.Pixel(13, 13), Blue);
  EXPECT_EQ(platform.Pixel(14, 10), Blue) << "natural size: 4 pixels wide";
  EXPECT_EQ(platform.Pixel(10, 14), Blue);
  EXPECT_EQ(platform.Pixel(9, 10), Blue);
  EXPECT_EQ(platform.Pixel(12, 30), Magenta) << "without Transparent the key colour shows";
}

TEST_F(Drawing, PatternZeroIsTheTopLeftPatternOfTheItem) {
  const int32_t i = Index("pattern");
  EXPECT_EQ(images().Item(i).Width(), 2);
  EXPECT_EQ(images().Item(i).PictureWidth, 6);
  images().Draw(i, 50, 50);
  EXPECT_EQ(platform.Pixel(50, 50), Yellow);
  EXPECT_EQ(platform.Pixel(51, 51), Yellow);
  EXPECT_EQ(platform.Pixel(52, 50), Black) << "only pattern 0 is drawn";
  images().StretchDraw(i, Bounds(60, 60, 8, 8));
  EXPECT_EQ(platform.Pixel(67, 67), Yellow);
}

TEST_F(Drawing, StretchDrawScalesIntoTheRectangle) {
  images().StretchDraw(Index("quads"), {100, 100, 140, 120});
  EXPECT_EQ(platform.Pixel(100, 100), Red);
  EXPECT_EQ(platform.Pixel(119, 109), Red);
  EXPECT_EQ(platform.Pixel(120, 100), Green);
  EXPECT_EQ(platform.Pixel(139, 109), Green);
  EXPECT_EQ(platform.Pixel(100, 110), Blue);
  EXPECT_EQ(platform.Pixel(139, 119), Yellow);
  EXPECT_EQ(platform.Pixel(140, 100), Black);
  EXPECT_EQ(platform.Pixel(100, 120), Black);
  EXPECT_EQ(platform.Pixel(99, 99), Black);
}

TEST_F(Drawing, EmptyOrInvertedRectanglesDrawNothing) {
  images().StretchDraw(Index("white"), {100, 100, 100, 120});
  images().StretchDraw(Index("white"), {120, 120, 110, 110});
  images().DrawAlpha(Index("white"), {100, 100, 120, 100}, 255);
  EXPECT_EQ(platform.Pixel(100, 100), Black);
  EXPECT_EQ(platform.Pixel(115, 115), Black);
}

TEST_F(Drawing, DrawAlphaBlendsSourceOverSurface) {
  display().FillRect({0, 0, 100, 100}, Blue);
  images().DrawAlpha(Index("white"), {0, 0, 20, 20}, 128);
  images().DrawAlpha(Index("white"), {20, 0, 40, 20}, 64);
  images().DrawAlpha(Index("white"), {40, 0, 60, 20}, 300);
  images().DrawAlpha(Index("white"), {60, 0, 80, 20}, 0);
  images().DrawAlpha(Index("white"), {80, 0, 100, 20}, -5);
  // result = source * a / 255 + surface * (255 - a) / 255
  EXPECT_TRUE(Near(platform.Pixel(10, 10), RGB(128, 128, 255), 2)) << platform.Pixel(10, 10);
  EXPECT_TRUE(Near(platform.Pixel(30, 10), RGB(64, 64, 255), 2)) << platform.Pixel(30, 10);
  EXPECT_EQ(platform.Pixel(50, 10), White) << "255 or more is opaque";
  EXPECT_EQ(platform.Pixel(70, 10), Blue) << "0 shows nothing";
  EXPECT_EQ(platform.Pixel(90, 10), Blue);
  // A later opaque draw of the same item is not left faded.
  images().Draw(Index("white"), 0, 50);
  EXPECT_EQ(platform.Pixel(3, 53), White);
}

TEST_F(Drawing, RotationKeepsTheCentreOnTheGivenPoint) {
  images().DrawRotateAlpha(Index("bar"), 400, 300, 20, 10, 0.5, 0.5, 0, 255);
  EXPECT_EQ(platform.Pixel(392, 300), Red);
  EXPECT_EQ(platform.Pixel(407, 300), Green);
  EXPECT_EQ(platform.Pixel(400, 296), Green);
  EXPECT_EQ(platform.Pixel(411, 300), Black);
  EXPECT_EQ(platform.Pixel(400, 306), Black);
}

TEST_F(Drawing, AQuarterTurnIs64AndTurnsClockwise) {
  images().DrawRotateAlpha(Index("bar"), 400, 300, 20, 10, 0.5, 0.5, 64, 255);
  // Clockwise on screen: the right half (green) now points down.
  EXPECT_EQ(platform.Pixel(400, 292), Red);
  EXPECT_EQ(platform.Pixel(400, 307), Green);
  EXPECT_EQ(platform.Pixel(403, 305), Green);
  EXPECT_EQ(platform.Pixel(408, 300), Black) << "10 wide after the turn";
  EXPECT_EQ(platform.Pixel(392, 300), Black);
}

TEST_F(Drawing, TheTurningPointIsAFractionOfTheDrawnSize) {
  // Centre (0, 0): the top-left corner lands on (x, y) and the bar swings left of it.
  images().DrawRotateAlpha(Index("bar"), 300, 200, 40, 20, 0, 0, 64, 255);
  EXPECT_EQ(platform.Pixel(290, 205), Red);
  EXPECT_EQ(platform.Pixel(290, 235), Green);
  EXPECT_EQ(platform.Pixel(302, 210), Black);
  EXPECT_EQ(platform.Pixel(290, 198), Black);
  EXPECT_EQ(platform.Pixel(278, 210), Black) << "20 wide after the turn";
}

TEST_F(Drawing, AnglesAreTakenModulo256) {
  const auto frame = [&](int32_t angle) {
    display().Fill(Black);
    images().DrawRotateAlpha(Index("bar"), 100, 100, 20, 10, 0.3, 0.6, angle, 255);
    std::vector<TColor> pixels;
    for (int y = 80; y < 120; ++y)
      for (int x = 80; x < 120; ++x) pixels.push_back(platform.Pixel(x, y));
    return pixels;
  };
  const auto quarter = frame(64);
  EXPECT_EQ(frame(256 + 64), quarter);
  EXPECT_EQ(frame(-192), quarter);
  EXPECT_NE(frame(0), quarter);
}

TEST_F(Drawing, RotatedDrawsBlendLikeDrawAlpha) {
  display().FillRect({0, 0, 800, 600}, Blue);
  images().DrawRotateAlpha(Index("white"), 100, 100, 16, 16, 0.5, 0.5, 0, 128);
  EXPECT_TRUE(Near(platform.Pixel(100, 100), RGB(128, 128, 255), 2)) << platform.Pixel(100, 100);
  images().DrawRotateAlpha(Index("white"), 200, 100, 16, 16, 0.5, 0.5, 32, 0);
  EXPECT_EQ(platform.Pixel(200, 100), Blue);
}

TEST_F(Drawing, BadIndicesRaiseInsteadOfReadingOutOfBounds) {
  EXPECT_THROW(images().Draw(-1, 0, 0), std::out_of_range);
  EXPECT_THROW(images().StretchDraw(images().Count(), {0, 0, 1, 1}), std::out_of_range);
  EXPECT_THROW(images().DrawAlpha(99, {0, 0, 1, 1}, 10), std::out_of_range);
  EXPECT_THROW(images().DrawRotateAlpha(99, 0, 0, 1, 1, 0, 0, 0, 255), std::out_of_range);
  EXPECT_THROW(images().Item(99), std::out_of_range);
}

TEST_F(Drawing, FillAndClippedFillRect) {
  display().Fill(Green);
  EXPECT_EQ(platform.Pixel(0, 0), Green);
  EXPECT_EQ(platform.Pixel(799, 599), Green);
  display().FillRect({-50, -50, 10, 10}, Red);
  EXPECT_EQ(platform.Pixel(0, 0), Red);
  EXPECT_EQ(platform.Pixel(9, 9), Red);
  EXPECT_EQ(platform.Pixel(10, 9), Green) << "right edge is exclusive";
  EXPECT_EQ(platform.Pixel(9, 10), Green);
  display().FillRect({790, 590, 900, 700}, Blue);
  EXPECT_EQ(platform.Pixel(799, 599), Blue);
  EXPECT_EQ(platform.Pixel(789, 599), Green);
  display().FillRect({300, 300, 300, 400}, Red);
  display().FillRect({320, 320, 310, 310}, Red);
  display().FillRect({900, 0, 1000, 100}, Red);
  EXPECT_EQ(platform.Pixel(300, 350), Green);
  EXPECT_EQ(platform.Pixel(315, 315), Green);
  display().FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, RGB(1, 2, 3));
  EXPECT_EQ(platform.Pixel(400, 300), RGB(1, 2, 3));
}

TEST_F(Drawing, ColoursKeepRedInTheLowByte) {
  display().FillRect({0, 0, 1, 1}, 0xFF6000);
  EXPECT_EQ(platform.Pixel(0, 0), RGB(0, 0x60, 0xFF));
}

}  // namespace
}  // namespace quellix::testing
