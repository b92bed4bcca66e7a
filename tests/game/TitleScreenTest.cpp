// The title screen in the real main window on the real data: its menu, the cursor, the
// zones' press and click, the switches, the attract timer, and a screenshot.
#include <cstdlib>
#include <filesystem>

#include "GameTestBed.h"
#include "graphics/vtAnimationEngine.h"
#include "services/vtSound.h"
#include "services/vtZoneEngine.h"
#include "shell/vtTitleScreen.h"

namespace quellix::testing {
namespace {

struct TPoint {
  int32_t X, Y;
};
// A point inside each zone.
constexpr TPoint Easy = {130, 295};
constexpr TPoint Hard = {635, 295};
constexpr TPoint Quit = {385, 475};
constexpr TPoint Sound = {375, 345};
constexpr TPoint Shrapnel = {375, 375};
constexpr TPoint ChildMode = {375, 405};

class TitleScreenTest : public GameTestBed {
 protected:
  TitleScreenTest() : title(*main) {}
  void SetUp() override { Activate({&title, nullptr, &hole}); }

  // One tick in which the cursor moves to the point, with the button as given.
  void MoveTo(TPoint p, bool button = false) {
    Mouse(p.X - title.CursorX(), p.Y - title.CursorY(), button);
    Tick();
  }
  // Press at the point, release there on the next tick.
  void Click(TPoint p) {
    MoveTo(p, true);
    Mouse(0, 0, false);
    Tick();
  }
  Tvt6Zone& Zone(int index) { return *title.ZoneEngine()->Zone(index); }
  // The summed colour values of a screen rectangle as last drawn.
  int64_t Brightness(const TRect& r) {
    int64_t sum = 0;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) {
        const TColor c = platform.Headless.Pixel(x, y);
        sum += RedOf(c) + GreenOf(c) + BlueOf(c);
      }
    return sum;
  }

  TRecordingHole hole;
  TfrmTitleScreen title;
};

TEST_F(TitleScreenTest, SetupBuildsTheMenuFromScratch) {
  EXPECT_EQ(main->Globals.GameState, gsTitle);
  EXPECT_EQ(main->Globals.ScreenTimer, 200);
  EXPECT_EQ(platform.Sounds.StopAlls, 1);
  EXPECT_EQ(MainEngine().SpriteCount(), 7);
  EXPECT_EQ(TextEngine().SpriteCount(), 0);

  const Tvt6Scene* scene = MainEngine().AnimationEngine()->GetScene("titlescreen", "title");
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(title.BackgroundImage(), platform.ImageList().IndexOf(scene->Frame(0)->ImageName));
  EXPECT_GE(title.BackgroundImage(), 0);

  ASSERT_NE(title.Cursor(), nullptr);
  EXPECT_EQ(title.Cursor()->Projector->SceneName, "mouse");
  EXPECT_EQ(title.SoundIndicator()->Projector->SceneName, "on");
  EXPECT_EQ(title.ShrapnelIndicator()->Projector->SceneName, "on");
  EXPECT_EQ(title.ChildModeIndicator()->Projector->SceneName, "off");
  EXPECT_EQ(title.ChildModeIndicator()->Y, 390);

  ASSERT_EQ(title.ZoneEngine()->ZoneCount(), 9);
  // Bounds are inclusive: 100 pixels wide from 80 end at 179.
  EXPECT_EQ(Zone(0).Left, 80);
  EXPECT_EQ(Zone(0).Right, 179);
  EXPECT_EQ(Zone(0).Top, 280);
  EXPECT_EQ(Zone(0).Bottom, 309);
  EXPECT_EQ(Zone(0).NormalScene, "easydim");
  EXPECT_EQ(Zone(0).HoverScene, "easybright");
  EXPECT_EQ(Zone(0).PressedScene, "easybright");
  EXPECT_EQ(Zone(3).NormalScene, "quitdim");
  EXPECT_EQ(Zone(3).Top, 460);
  EXPECT_EQ(Zone(5).NormalScene, "shrapdim");
  EXPECT_EQ(Zone(6).Right, 449);
  EXPECT_EQ(Zone(6).Bottom, 419);
  // Options and replays stand beside quit.
  EXPECT_EQ(Zone(7).NormalScene, "optionsdim");
  EXPECT_EQ(Zone(7).Right, 304);
  EXPECT_EQ(Zone(8).HoverScene, "replaysbright");
  EXPECT_EQ(Zone(8).Left, 465);
  EXPECT_EQ(Zone(8).Top, 460);

  // Options keep their values; a second build shows them and replaces the menu.
  main->Globals.ShrapnelOn = false;
  main->LevelCompleteDone = true;
  title.SetupTitle();
  EXPECT_EQ(title.ShrapnelIndicator()->Projector->SceneName, "off");
  EXPECT_EQ(title.ZoneEngine()->ZoneCount(), 9);
  EXPECT_EQ(MainEngine().SpriteCount(), 7);
  EXPECT_FALSE(main->LevelCompleteDone);
  EXPECT_EQ(platform.Sounds.StopAlls, 2);
}

TEST_F(TitleScreenTest, HighScoresComeOnThe201stTickWhateverTheMouseDoes) {
  for (int tick = 1; tick <= 200; ++tick) {
    Mouse(tick % 2 ? 7 : -7, tick % 2 ? 3 : -3);
    Tick();
    ASSERT_EQ(main->Globals.GameState, gsTitle) << "tick " << tick;
  }
  Tick();
  EXPECT_EQ(main->Globals.GameState, gsShowHighScores);
  Tick(200);
  EXPECT_EQ(main->Globals.GameState, gsShowHighScores);
  Tick();
  EXPECT_EQ(main->Globals.GameState, gsTitle);
  EXPECT_EQ(main->Globals.ScreenTimer, 200);
  EXPECT_EQ(title.ZoneEngine()->ZoneCount(), 9);
  EXPECT_NE(title.Cursor(), nullptr);
}

TEST_F(TitleScreenTest, ReleaseClicksTheZoneUnderTheCursor) {
  MoveTo(Easy);
  EXPECT_EQ(Zone(0).State, Tvt6Zone::zsHover);
  MoveTo(Easy, true);
  EXPECT_EQ(Zone(0).State, Tvt6Zone::zsPressed);
  EXPECT_TRUE(hole.Started.empty()) << "a press is not a click";
  MoveTo(Hard, true);
  EXPECT_EQ(Zone(0).State, Tvt6Zone::zsNormal);
  EXPECT_EQ(Zone(2).State, Tvt6Zone::zsPressed);
  Mouse(0, 0, false);
  Tick();
  EXPECT_EQ(hole.Started, std::vector<TDifficulty>{TDifficulty::Hard});
  EXPECT_FALSE(main->Globals.LeftButtonReleased);

  // A release away from every zone clicks nothing.
  MoveTo({20, 20}, true);
  Mouse(0, 0, false);
  Tick();
  EXPECT_EQ(hole.Started.size(), 1u);
}

TEST_F(TitleScreenTest, ChildModeThenHardStartsTheHardGameInChildMode) {
  Click(ChildMode);
  EXPECT_TRUE(main->Globals.ChildMode);
  EXPECT_EQ(title.ChildModeIndicator()->Projector->SceneName, "on");
  Click(Hard);
  EXPECT_EQ(hole.Started, std::vector<TDifficulty>{TDifficulty::Hard});
  EXPECT_TRUE(main->Globals.ChildMode) << "the hole reads it";
}

TEST_F(TitleScreenTest, SwitchesFlipTheirOptionAndIndicator) {
  Tvt6AudioEngine& audio = *MainEngine().AudioEngine();
  Click(Sound);
  EXPECT_FALSE(main->Globals.SoundOn);
  EXPECT_FALSE(audio.Enabled());
  EXPECT_EQ(title.SoundIndicator()->Projector->SceneName, "off");
  const size_t played = platform.Sounds.Played.size();
  EXPECT_EQ(audio.PlaySound("bonus1.wav"), 0u);
  EXPECT_EQ(platform.Sounds.Played.size(), played);
  Click(Sound);
  EXPECT_TRUE(main->Globals.SoundOn);
  EXPECT_TRUE(audio.Enabled());
  EXPECT_EQ(title.SoundIndicator()->Projector->SceneName, "on");

  Click(Shrapnel);
  EXPECT_FALSE(main->Globals.ShrapnelOn);
  EXPECT_EQ(title.ShrapnelIndicator()->Projector->SceneName, "off");
  EXPECT_TRUE(hole.Started.empty());
}

TEST_F(TitleScreenTest, QuitClosesTheWindowOnTheNextTick) {
  Click(Quit);
  EXPECT_TRUE(main->Globals.QuitRequest);
  EXPECT_FALSE(platform.Headless.CloseRequested);
  Tick();
  EXPECT_TRUE(platform.Headless.CloseRequested);
}

TEST_F(TitleScreenTest, CursorStaysOnTheScreenAndAboveTheMenu) {
  Mouse(-5000, -5000);
  Tick();
  EXPECT_EQ(title.CursorX(), 0);
  EXPECT_EQ(title.CursorY(), 0);
  EXPECT_EQ(title.Cursor()->X, 0);
  EXPECT_EQ(title.Cursor()->Layer, 1);
  Mouse(5000, 5000);
  Tick();
  EXPECT_EQ(title.CursorX(), 799);
  EXPECT_EQ(title.CursorY(), 599);
  EXPECT_EQ(title.Cursor()->Y, 599);
}

// A click on the attract timer's last tick starts the game; the table does not take
// the screen from it.
TEST_F(TitleScreenTest, ClickOnTheLastAttractTickIsNotOverruled) {
  hole.OnStartGame = [this] { main->Globals.GameState = gsPlaying; };
  MoveTo(Easy, true);
  main->Globals.ScreenTimer = 0;
  Mouse(0, 0, false);
  Tick();
  EXPECT_EQ(hole.Started, std::vector<TDifficulty>{TDifficulty::Easy});
  EXPECT_EQ(main->Globals.GameState, gsPlaying);
}

TEST_F(TitleScreenTest, ScreenshotShowsTheMenuWithTheHoveredZoneBright) {
  const TRect easy = Bounds(80, 280, 100, 30);
  Tick();  // the cursor is on no zone
  const int64_t idle = Brightness(easy);
  MoveTo(Easy);
  Tick();  // zones are drawn before the hover test: the new state shows a tick later
  const int64_t bright = Brightness(easy);
  EXPECT_GT(bright, idle) << "the hovered zone shows its bright scene";
  platform.Headless.SavePng(std::string(QUELLIX_RUN_DIR) + "/../title-screen.png");

  // The background fills the screen: few pixels are plain black.
  int black = 0;
  for (int32_t y = 0; y < 600; y += 10)
    for (int32_t x = 0; x < 800; x += 10) black += platform.Headless.Pixel(x, y) == 0;
  EXPECT_LT(black, 4800 / 4);
  EXPECT_EQ(platform.DisplayRecorder.Flips, 3);
}

// A user folder that cannot be written (here a folder stands where the log would go).
class UnwritableFolderTitleTest : public TitleScreenTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(data.Dir() + "log.txt");
    TitleScreenTest::SetUp();
  }
};

TEST_F(UnwritableFolderTitleTest, TheTitleSaysOnceThatScoresCannotBeKept) {
  const std::string notice = "Scores and games cannot be kept";
  ASSERT_TRUE(main->UserFolderUnwritable());
  Tick(3);
  EXPECT_EQ(TextsStartingWith(notice).size(), 3u) << "on every tick of the first title";
  Tick(201 + 201);
  ASSERT_EQ(main->Globals.GameState, gsTitle) << "the title again, after the table";
  platform.DisplayRecorder.Texts.clear();
  Tick(3);
  EXPECT_TRUE(TextsStartingWith(notice).empty()) << "said once";
}

}  // namespace
}  // namespace quellix::testing
