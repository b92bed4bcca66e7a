// The high-score table as the player sees it: drawn with the "Main" style on the
// headless back end's real text drawing, saved as a screenshot for review.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "graphics/vtFontHandler.h"
#include "media/vtHeadlessPlatform.h"
#include "services/vtHighScore.h"
#include "shell/vtErrorLogger.h"

namespace quellix::testing {
namespace {

constexpr TColor Blue = 0xFF0000;
constexpr TColor LightBlue = 0xFF6000;
constexpr TColor Yellow = RGB(230, 250, 94);

bool Near(TColor a, TColor b) {
  return std::abs(RedOf(a) - RedOf(b)) < 40 && std::abs(GreenOf(a) - GreenOf(b)) < 40 &&
         std::abs(BlueOf(a) - BlueOf(b)) < 40;
}

// How many pixels of the band (x0..x1, y0..y1) are near the colour.
int CountNear(media::THeadlessPlatform& p, int x0, int x1, int y0, int y1, TColor colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += Near(p.Pixel(x, y), colour);
  return n;
}

TEST(HighScoreScreen, TableInTheMainStyleWithAlternatingRows) {
  media::THeadlessPlatform platform;
  TfrmErrorLog log;
  TRandom random(1);
  Tvt6Engine engine(TVintorContext{log, random, platform});
  engine.Setup(platform.Display(), platform.ImageList(), "", platform.SoundList());
  Tvt6HighScoreEngine& table = *engine.HighScoreEngine();
  table.LoadDefaults();
  table.SetDisplay(&platform.Display());

  // The style and row handlers start-up gives the table.
  Tvt6FontItem& main = engine.FontEngine()->AddFont("Main");
  main.Brush.Style = TBrushStyle::Clear;
  main.Font = {"Thehits Regular", 18, 0, Blue, 0};
  table.SetFont(&main);
  table.OnBeforeRow = [&main](Tvt6HighScoreEngine&, int32_t row) {
    main.Font.Color = row % 2 ? LightBlue : Yellow;
  };
  table.OnAfterRow = [&main](Tvt6HighScoreEngine&, int32_t) { main.Font.Color = Blue; };

  platform.Display().Fill(0);
  table.DrawTable();
  platform.SavePng(std::string(QUELLIX_RUN_DIR) + "/../highscore-table.png");

  // Layout: caption at 50, header a caption height and a row lower, rows 29 apart.
  ITextCanvas& canvas = platform.Display().Canvas();
  canvas.Font = main.Font;
  const int textHeight = canvas.TextHeight("High Scores");
  const int headerY = 50 + textHeight + 24;
  const int firstRowY = headerY + textHeight + 24;
  EXPECT_GT(CountNear(platform, 300, 500, 50, 50 + textHeight, Blue), 50) << "caption";
  EXPECT_GT(CountNear(platform, 150, 700, headerY, headerY + 24, Blue), 50) << "header";
  for (int row = 0; row < 10; ++row) {
    const int y = firstRowY + row * 29;
    const TColor mine = row % 2 ? LightBlue : Yellow;
    const TColor other = row % 2 ? Yellow : LightBlue;
    // Name, score and level columns all take the row's colour.
    EXPECT_GT(CountNear(platform, 200, 400, y, y + 24, mine), 40) << "row " << row;
    EXPECT_GT(CountNear(platform, 410, 540, y, y + 24, mine), 20) << "row " << row;
    EXPECT_GT(CountNear(platform, 550, 610, y, y + 24, mine), 10) << "row " << row;
    EXPECT_EQ(CountNear(platform, 150, 610, y, y + 24, other), 0) << "row " << row;
  }
  // Nothing below the last row.
  EXPECT_EQ(CountNear(platform, 0, 800, firstRowY + 10 * 29, 600, Yellow), 0);
}

}  // namespace
}  // namespace quellix::testing
