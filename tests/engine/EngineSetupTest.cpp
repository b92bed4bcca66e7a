#include <gtest/gtest.h>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtFontHandler.h"
#include "services/vtHighScore.h"
#include "services/vtSound.h"
#include "shell/vtErrorLogger.h"
#include "support/vtFakeMedia.h"
#include "support/vtMiniData.h"

namespace quellix::testing {
namespace {

class EngineSetupTest : public ::testing::Test {
 protected:
  TfrmErrorLog log{[] { return std::string("stamp"); }};
  TRandom random{1};
  TFakePlatform platform;
  TVintorContext context{log, random, platform};
  Tvt6Engine engine{context};
};

TEST_F(EngineSetupTest, SetupCreatesAndBindsEveryService) {
  TMiniData data;
  engine.Setup(platform.DisplayFake, platform.Images, data.File("highscores.txt"), platform.Sounds);
  ASSERT_NE(engine.AnimationEngine(), nullptr);
  ASSERT_NE(engine.StarEngine(), nullptr);
  ASSERT_NE(engine.ZoneEngine(), nullptr);
  ASSERT_NE(engine.MapEngine(), nullptr);
  ASSERT_NE(engine.ConfigurationMgr(), nullptr);
  ASSERT_NE(engine.FontEngine(), nullptr);
  EXPECT_EQ(engine.DisplayNumber()->Display, &platform.DisplayFake);
  EXPECT_EQ(engine.DisplayNumber()->AnimationEngine, engine.AnimationEngine());
  EXPECT_NE(engine.FlagEngine(), nullptr);

  // The high-score file did not exist: the defaults were loaded and written at once.
  EXPECT_EQ(engine.HighScoreEngine()->Count(), 10);
  EXPECT_FALSE(data.Read("highscores.txt").empty());

  // The audio engine plays from the sound list and starts switched on.
  platform.Sounds.Add("thud.wav");
  EXPECT_TRUE(engine.AudioEngine()->Enabled());
  engine.AudioEngine()->PlaySound("THUD.WAV");
  EXPECT_EQ(platform.Sounds.Played, std::vector<std::string>{"thud.wav"});

  // The image list's colour table went into both palette tables.
  EXPECT_EQ(platform.DisplayFake.ColorTable, platform.Images.MakeColorTable());
  EXPECT_EQ(platform.DisplayFake.DefColorTable, platform.Images.MakeColorTable());
  EXPECT_EQ(platform.DisplayFake.PaletteUpdates, 1);

  // Text styles draw on the engine's display.
  Tvt6FontItem& style = engine.FontEngine()->AddFont("Main");
  style.Font.Color = 0xFF0000;
  engine.FontEngine()->DrawText("Main", 3, 4, "hi");
  ASSERT_EQ(platform.DisplayFake.CanvasFake.Texts.size(), 1u);
  EXPECT_EQ(platform.DisplayFake.CanvasFake.Texts[0].Font.Color, 0xFF0000u);
}

TEST_F(EngineSetupTest, AnEmptyHighScoreFileNameLeavesTheTableEmpty) {
  engine.Setup(platform.DisplayFake, platform.Images, "", platform.Sounds);
  EXPECT_EQ(engine.HighScoreEngine()->Count(), 0);
}

TEST_F(EngineSetupTest, LoadAnimationsLinksFramesToTheImageList) {
  TMiniData data;
  platform.Images.Add("junk", 1, 1);
  platform.Images.Add("GAMEOVER", 260, 40);
  engine.Setup(platform.DisplayFake, platform.Images, "", platform.Sounds);
  engine.LoadAnimations(data.File("data/quellix.txt"));
  const Tvt6Scene* scene = engine.AnimationEngine()->GetScene("text", "GameOver");
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(scene->Frame(0)->ImageIndex, 1);
  EXPECT_EQ(engine.AnimationEngine()->GetScene("Text", "NextLevel")->Frame(0)->ImageIndex, -1);
}

TEST(EngineWithoutSetup, LoadAnimationsOnlyLogs) {
  TfrmErrorLog log;
  TRandom random;
  TFakePlatform platform;
  Tvt6Engine engine(TVintorContext{log, random, platform});
  engine.LoadAnimations("whatever.txt");
  EXPECT_EQ(log.Lines()[2],
            "Unable to load Animations because the AnimationEngine Component is not assigned");
}

}  // namespace
}  // namespace quellix::testing
