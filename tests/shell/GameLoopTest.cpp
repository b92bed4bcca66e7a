#include "MainWindowFixture.h"
#include "engine/vtSprite.h"
#include "services/vtHighScore.h"

namespace quellix::testing {
namespace {

class GameLoopTest : public MainWindowTest {
 protected:
  void SetUp() override {
    Activate();
    ASSERT_EQ(main.Globals.GameState, gsTitle);
  }
  size_t TextSprites() { return static_cast<size_t>(main.TextEngine()->SpriteCount()); }
};

TEST_F(GameLoopTest, AnyOtherKeyPausesEverythingUntilTheNextKeyEscOrSpace) {
  main.FormKeyUp('P');
  Tick(5);
  EXPECT_EQ(platform.InputFake.Polls, 0);
  EXPECT_EQ(title.Ticks, 0);
  main.FormKeyUp('P');
  Tick();
  EXPECT_EQ(title.Ticks, 1);

  main.FormKeyUp(VK_F1);
  EXPECT_TRUE(main.Globals.Paused);
  main.FormKeyUp(VK_SPACE);
  EXPECT_FALSE(main.Globals.Paused);
  EXPECT_TRUE(main.Globals.BombRequest);
  main.FormKeyUp(VK_SHIFT);
  main.FormKeyUp(VK_ESCAPE);
  EXPECT_FALSE(main.Globals.Paused);
  EXPECT_TRUE(main.Globals.EscapeRequest);
}

TEST_F(GameLoopTest, EscapeOnTheTitleIsKeptForTheNextGame) {
  main.FormKeyUp(VK_ESCAPE);
  Tick();
  EXPECT_TRUE(main.Globals.EscapeRequest);
  StartPlaying();
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_FALSE(main.Globals.EscapeRequest);
}

// A tick that starts while another runs (a window-system call inside a tick that
// processes messages) returns at once.
class TReentrantTitle : public ITitleScreen {
 public:
  explicit TReentrantTitle(TfrmMain& main) : fMain(main) {}
  void SetupTitle() override {}
  void TitleTick() override {
    ++Ticks;
    fMain.TimerEvent(0);
  }
  int Ticks = 0;

 private:
  TfrmMain& fMain;
};

TEST_F(GameLoopTest, TickIsNotReentered) {
  TReentrantTitle reentrant(main);
  main.SetUnits({&reentrant, &player, &hole});
  Tick(3);
  EXPECT_EQ(reentrant.Ticks, 3);
  EXPECT_EQ(platform.InputFake.Polls, 3);
  EXPECT_FALSE(main.InTick());
}

TEST_F(GameLoopTest, LeftButtonReleaseIsSeenOnTheTickItHappens) {
  platform.InputFake.Button0 = true;
  Tick();
  EXPECT_TRUE(main.Globals.LeftButtonDown);
  EXPECT_FALSE(main.Globals.LeftButtonReleased);
  Tick();
  EXPECT_FALSE(main.Globals.LeftButtonReleased);
  platform.InputFake.Button0 = false;
  Tick();
  EXPECT_FALSE(main.Globals.LeftButtonDown);
  EXPECT_TRUE(main.Globals.LeftButtonReleased);
  Tick();
  EXPECT_FALSE(main.Globals.LeftButtonReleased);
}

TEST_F(GameLoopTest, RightButtonComesFromWindowEvents) {
  main.FormMouseDown(TMouseButton::Right);
  EXPECT_TRUE(main.Globals.RightButtonDown);
  main.FormMouseDown(TMouseButton::Left);
  main.FormMouseUp(TMouseButton::Left);
  EXPECT_TRUE(main.Globals.RightButtonDown);
  main.FormMouseUp(TMouseButton::Right);
  EXPECT_FALSE(main.Globals.RightButtonDown);
}

TEST_F(GameLoopTest, PlayingTickRunsThePlayerStepsInOrder) {
  StartPlaying();
  platform.InputFake.Button0 = true;
  main.FormMouseDown(TMouseButton::Right);
  Tick();
  EXPECT_EQ(player.Calls, (std::vector<std::string>{"UpdateControlPoint", "RaiseShields",
                                                    "PlayerTick", "DrawHud"}));
  EXPECT_TRUE(main.Globals.FireRequest);
  EXPECT_EQ(hole.Calls.back(), "SpawnStars");
  EXPECT_EQ(platform.DisplayFake.Fills, std::vector<TColor>{0});
  EXPECT_EQ(platform.DisplayFake.Flips, 1);
  main.FormMouseUp(TMouseButton::Right);
  player.Calls.clear();
  Tick();
  EXPECT_EQ(player.Calls[1], "LowerShields");
}

TEST_F(GameLoopTest, UnnamedStatesOnlyPollInput) {
  for (uint8_t state : {2, 5, 8, 11, 200}) {
    main.Globals.GameState = static_cast<TGameState>(state);
    const int polls = platform.InputFake.Polls;
    Tick();
    EXPECT_EQ(platform.InputFake.Polls, polls + 1);
    EXPECT_EQ(platform.DisplayFake.Flips, 0);
    EXPECT_EQ(main.Globals.GameState, state);
  }
}

TEST_F(GameLoopTest, LevelCompleteShowsItsTextForFiftyTicksThenTheNextLevel) {
  StartPlaying(0);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsLevelComplete);
  EXPECT_EQ(platform.Sounds.Played, std::vector<std::string>{"newendlevel.wav"});
  EXPECT_EQ(TextSprites(), 1u);
  EXPECT_EQ(player.Calls[player.Calls.size() - 2], "LevelEndSnapshot");
  EXPECT_EQ(player.Calls.back(), "LowerShields");
  EXPECT_EQ(hole.Calls.back(), "CreateHole");

  // The text is drawn 50 times; its removal in the 50th tick starts the next screen.
  Tick(49);
  EXPECT_EQ(main.Globals.GameState, gsLevelComplete);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsNextLevel);
  ASSERT_EQ(TextSprites(), 1u);
  EXPECT_FALSE(main.LevelCompleteDone);

  Tick(50);
  EXPECT_EQ(main.Globals.GameState, gsPlaying);
  EXPECT_EQ(hole.Calls.back(), "AdvanceLevel");
  EXPECT_EQ(player.Calls.back(), "StartLevelShips");
  EXPECT_EQ(TextSprites(), 0u);
}

TEST_F(GameLoopTest, LastEnemyAndLastShipInOneTickEndsTheGame) {
  StartPlaying(0);
  player.Continues = false;
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsGameOver);
}

TEST_F(GameLoopTest, GameOverWithoutARankGoesBackToTheTitle) {
  StartPlaying();
  main.Globals.Score = 10000;  // equal to the lowest default entry: no rank
  player.Continues = false;
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsGameOver);
  Tick(199);
  EXPECT_EQ(main.Globals.GameState, gsGameOver);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_FALSE(main.GameOverDone);
}

TEST_F(GameLoopTest, QualifyingScoreEntersTheNameAndShowsTheTable) {
  StartPlaying();
  main.Globals.Score = 65000;
  main.Globals.Level = 9;
  player.Continues = false;
  Tick(201);
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
  EXPECT_EQ(main.Globals.ScreenTimer, 200);
  EXPECT_EQ(platform.Sounds.Played.back(), "cheering.wav");
  Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  ASSERT_EQ(table.Count(), 10);
  EXPECT_EQ(table.Record(4)->Name, "Tester");
  EXPECT_EQ(table.Record(4)->Score, 65000);
  EXPECT_EQ(table.Record(4)->Level, 9);
  EXPECT_EQ(table.Record(4)->Title, "Devuvov");
  EXPECT_EQ(table.Record(9)->Score, 20000);
  EXPECT_FALSE(main.InTick());

  // The table shows until the screen timer goes below 0: 201 ticks.
  Tick(200);
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
}

TEST_F(GameLoopTest, TicksRunBeneathTheNameWindowUntilItIsTakenDown) {
  StartPlaying();
  main.Globals.Score = 200000;
  player.Continues = false;
  platform.ModalScript = [](IModalWindow&) {};  // the player has not typed yet
  Tick(201);
  IModalWindow* window = platform.Modals.Top();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(main.InTick()) << "the tick that showed the window has ended";
  const int32_t drawn = platform.DisplayFake.Flips;
  Tick(5);
  EXPECT_EQ(platform.DisplayFake.Flips, drawn + 5) << "ticks run beneath the window";
  EXPECT_EQ(main.Globals.GameState, gsEnterHighScore);
  window->TextInput("Ace");
  window->KeyUp(VK_RETURN);
  EXPECT_EQ(main.Globals.GameState, gsEnterHighScore) << "nothing before it is taken down";
  platform.Modals.EndClosed(false);
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
  EXPECT_EQ(main.MainEngine()->HighScoreEngine()->Record(0)->Name, "Ace");
  // Kept on disk at once, as the close would keep it: a crash now loses nothing.
  EXPECT_EQ(data.Read("highscores.txt").rfind("Ace,200000,", 0), 0u);
}

TEST_F(GameLoopTest, EscapeDuringTheGameOverTextStillChecksTheScore) {
  StartPlaying();
  main.Globals.Score = 200000;
  player.Continues = false;
  Tick();
  main.FormKeyUp(VK_ESCAPE);
  Tick();  // the title clears the text engine, which ends the text at once
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
  EXPECT_EQ(main.MainEngine()->HighScoreEngine()->Record(0)->Name, "Tester");
}

TEST_F(GameLoopTest, EscapeDuringTheGameOverTextWithoutARankStaysOnTheTitle) {
  StartPlaying();
  player.Continues = false;
  Tick();
  main.FormKeyUp(VK_ESCAPE);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
}

TEST_F(GameLoopTest, EscapeFromTheHighScoreTableReturnsToTheTitle) {
  main.ShowHighScores();
  Tick(3);
  main.FormKeyUp(VK_ESCAPE);
  Tick();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_FALSE(main.Globals.EscapeRequest);
}

TEST_F(GameLoopTest, TitleQuitClosesTheMainWindow) {
  main.Globals.QuitRequest = true;
  Tick();
  EXPECT_TRUE(platform.CloseRequested);
  EXPECT_EQ(title.Ticks, 0);
}

TEST_F(GameLoopTest, FrameErrorIsLoggedWithTheStateTextAndTheFrameStillFlips) {
  StartPlaying();
  hole.FailStars = true;
  Tick();
  EXPECT_TRUE(Logged("QUELLIX:MainLoop reports the following Error: stars failed"));
  EXPECT_EQ(platform.DisplayFake.Flips, 1);

  main.ShowHighScores();
  Tick();
  EXPECT_TRUE(
      Logged("QUELLIX:Handle_ShowingHighScores: reports the following Error: stars failed"));
}

// A failure outside the frame's own handler skips the rest of the tick.
class TFailingPlayer : public TRecordingPlayer {
 public:
  void PlayerTick() override { throw std::runtime_error("player broke"); }
};

TEST_F(GameLoopTest, OtherTickErrorsAreLoggedAndSkipTheRestOfTheTick) {
  TFailingPlayer failing;
  main.SetUnits({&title, &failing, &hole});
  StartPlaying();
  Tick();
  EXPECT_TRUE(Logged("TfrmMain:TimerEvent:Main Loop Exception\rplayer broke"));
  EXPECT_EQ(platform.DisplayFake.Flips, 0);
  EXPECT_FALSE(main.InTick());
  Tick();  // play goes on at the next tick
  EXPECT_TRUE(Logged("player broke"));
}

}  // namespace
}  // namespace quellix::testing
