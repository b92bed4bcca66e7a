#include <gtest/gtest.h>

#include "graphics/vtFontHandler.h"
#include "support/vtFakeMedia.h"

namespace quellix {
namespace {

using testing::TFakeDisplay;

class FontEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { fonts.SetDisplay(&display); }
  TFakeDisplay display;
  Tvt6FontEngine fonts;
};

TEST_F(FontEngineTest, FindFontIsExactAndTheFirstOfEqualNamesWins) {
  Tvt6FontItem& first = fonts.AddFont("Main");
  Tvt6FontItem& second = fonts.AddFont("Main");
  EXPECT_EQ(fonts.FindFont("Main"), &first);
  EXPECT_NE(&first, &second);
  EXPECT_EQ(fonts.FindFont("main"), nullptr);
  EXPECT_EQ(fonts.FindFont("Main "), nullptr);
  fonts.DeleteFont(0);
  EXPECT_EQ(fonts.FindFont("Main"), &second);
  EXPECT_THROW(fonts.DeleteFont(1), std::out_of_range);
  EXPECT_THROW(fonts.Font(-1), std::out_of_range);
  fonts.Clear();
  EXPECT_EQ(fonts.FontCount(), 0);
}

TEST_F(FontEngineTest, DrawTextCopiesTheStyleOntoTheCanvasAndReleasesIt) {
  Tvt6FontItem& main = fonts.AddFont("Main");
  main.Brush.Style = TBrushStyle::Clear;
  main.Font.Color = 0xFF0000;
  main.Font.Size = 18;
  main.Font.Name = "Thehits Regular";
  main.Pen.Color = 0x123456;
  fonts.DrawText("Main", 12, 34, "Score: 100");

  const auto& texts = display.CanvasFake.Texts;
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].X, 12);
  EXPECT_EQ(texts[0].Y, 34);
  EXPECT_EQ(texts[0].Text, "Score: 100");
  EXPECT_FALSE(texts[0].Clipped);
  EXPECT_EQ(texts[0].Brush, main.Brush);
  EXPECT_EQ(texts[0].Font, main.Font);
  EXPECT_EQ(texts[0].Pen, main.Pen);
  EXPECT_EQ(display.CanvasFake.Releases, 1);
}

TEST_F(FontEngineTest, UnknownStyleDrawsNothing) {
  fonts.AddFont("Main");
  fonts.DrawText("MAIN", 0, 0, "x");
  EXPECT_TRUE(display.CanvasFake.Texts.empty());
  EXPECT_EQ(display.CanvasFake.Releases, 0);
}

TEST_F(FontEngineTest, AFailedDrawStillReleasesTheCanvasAndPassesTheErrorOn) {
  fonts.AddFont("Main");
  display.CanvasFake.FailNextText = true;
  EXPECT_THROW(fonts.DrawText("Main", 0, 0, "x"), std::runtime_error);
  EXPECT_EQ(display.CanvasFake.Releases, 1);
}

}  // namespace
}  // namespace quellix
