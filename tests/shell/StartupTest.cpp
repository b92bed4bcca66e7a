#include <stdlib.h>

#include <fstream>

#include "MainWindowFixture.h"
#include "base/vtFileSystem.h"
#include "config/vtConfigClasses.h"
#include "config/vtPattern.h"
#include "config/vtTextFile.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "graphics/vtFontHandler.h"
#include "services/vtGameFolders.h"
#include "services/vtGameSettings.h"
#include "services/vtHighScore.h"
#include "support/vtTempDir.h"

namespace quellix::testing {
namespace {

using StartupTest = MainWindowTest;

TEST_F(StartupTest, ActivationLogsEveryStepInOrderAndEndsOnTheTitle) {
  Activate();
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{
                               "Vintor Version 6.0 Logger Successfully Initialized",
                               "Data folder: " + data.Dir(),
                               "User folder: " + data.Dir(),
                               "Motion: smooth (settings.txt)",
                               "Creating Engine Objects...",
                               "Loading Sprites...",
                               "Loading Animations...",
                               "Loading Pattern Data...",
                               "Loading Configuration Files...",
                               "Loading Sound Effects...",
                               "Setting Up Varibles...",
                               "Prepping Interface...",
                               "Initializing Title Screen and Activating Timer...",
                               "Going into Game Running Mode...",
                           }));
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_EQ(title.Setups, 1);
  EXPECT_EQ(hole.Calls, std::vector<std::string>{"InitStars"});
  // Every data file reached its engine.
  EXPECT_NE(main.MainEngine()->PatternManager().FindPattern("zig"), nullptr);
  EXPECT_EQ(main.MainEngine()->ConfigurationMgr()->GetValue("g", "s", "a"), "1");
  EXPECT_NE(main.MainEngine()->AnimationEngine()->GetScene("Text", "gameover"), nullptr);
  EXPECT_NE(main.TextEngine()->AnimationEngine()->GetScene("Text", "gameover"), nullptr);
  EXPECT_EQ(platform.Sounds.Count(), 3);
  ASSERT_NE(main.MainEngine()->FontEngine()->FindFont("Main"), nullptr);
  EXPECT_EQ(main.MainEngine()->HighScoreEngine()->Font(),
            main.MainEngine()->FontEngine()->FindFont("Main"));
  EXPECT_TRUE(platform.CursorHidden);
  EXPECT_TRUE(platform.ProgressFreed);
  EXPECT_TRUE(main.Globals.SoundOn);
  EXPECT_TRUE(main.Globals.ShrapnelOn);
  EXPECT_FALSE(main.Globals.ChildMode);
}

// The game units see the window through its context: the same engines, services and
// values, and none of MainEngine's services before start-up made it.
TEST_F(StartupTest, TheGameContextAnswersWithTheWindowsEnginesAndValues) {
  IGameContext& game = main.GameContext();
  EXPECT_EQ(game.MainEngine(), nullptr);
  EXPECT_THROW(game.Sound(), std::logic_error);
  EXPECT_THROW(game.Difficulties(), std::logic_error);
  Activate();
  EXPECT_EQ(game.MainEngine(), main.MainEngine());
  EXPECT_EQ(game.TextEngine(), main.TextEngine());
  EXPECT_EQ(&game.Sound(), main.MainEngine()->AudioEngine());
  EXPECT_EQ(&game.Difficulties(), main.MainEngine()->ConfigurationMgr());
  EXPECT_EQ(&game.Random(), &main.Random());
  EXPECT_EQ(&game.Display(), &platform.Display());
  EXPECT_EQ(&game.Input(), &platform.Input());
  EXPECT_EQ(&game.Globals(), &main.Globals);
  game.SetEnemiesLeft(7);
  EXPECT_EQ(main.EnemiesLeft(), 7);
  EXPECT_EQ(game.EnemiesLeft(), 7);
}

TEST_F(StartupTest, MotionComesFromTheSettingsFileWrittenWhenMissingUnlessTheCommandLineSays) {
  Activate();
  EXPECT_EQ(platform.Motion, TMotionStyle::Smooth);
  EXPECT_EQ(ReadTextFile(data.File("settings.txt")), GameSettingsText({}));
}

TEST_F(StartupTest, ClassicMotionInTheSettingsFileAndALineThatIsWrongIsLogged) {
  data.Write("settings.txt", "motion = classic\nspeed = 11\n");
  Activate();
  EXPECT_EQ(platform.Motion, TMotionStyle::Classic);
  EXPECT_TRUE(Logged("Motion: classic (settings.txt)"));
  EXPECT_TRUE(Logged("settings.txt line 2: unknown setting \"speed\" ignored"));
}

TEST_F(StartupTest, TheCommandLineChoiceWinsOverTheSettingsFile) {
  data.Write("settings.txt", "motion = classic\n");
  main.ChooseMotion(TMotionStyle::Smooth);
  Activate();
  EXPECT_EQ(platform.Motion, TMotionStyle::Smooth);
  EXPECT_TRUE(Logged("Motion: smooth (command line)"));
}

TEST_F(StartupTest, ProgressWindowShowsTheTextsAndPositions) {
  Activate();
  std::vector<std::pair<std::string, int32_t>> shown;
  for (const auto& p : platform.Progress) {
    if (shown.empty() || shown.back() != std::make_pair(p.Text, p.Position))
      shown.emplace_back(p.Text, p.Position);
    EXPECT_EQ(p.Maximum, 100);
  }
  EXPECT_EQ(shown, (std::vector<std::pair<std::string, int32_t>>{
                       {"Creating Engine Objects...", 10},
                       {"Loading Sprites...", 10},
                       {"Loading Animations...", 10},
                       {"Loading Animations...", 70},
                       {"Loading Pattern Data...", 80},
                       {"Loading Configuration Files...", 85},
                       {"Loading Sound Effects...", 88},
                       {"Setting Vars...", 90},
                       {"Prepping Interface...", 95},
                       {"Done!", 95},
                   }));
}

TEST_F(StartupTest, ActivationRunsOnce) {
  Activate();
  const size_t progressSteps = platform.Progress.size();
  Activate();
  main.FormActivate();
  EXPECT_EQ(platform.Progress.size(), progressSteps);
  EXPECT_EQ(title.Setups, 1);
}

TEST_F(StartupTest, MissingImageArchiveStopsStartUpInTheLoadingState) {
  data.Remove("sprites.vtg");
  Activate();
  const auto messages = LogMessages();
  ASSERT_EQ(messages.size(), 7u);
  EXPECT_EQ(messages[4], "Creating Engine Objects...");
  EXPECT_EQ(messages[5], "Loading Sprites...");
  EXPECT_EQ(messages[6], "WARNING: UNHANDLED EXCEPTION DURING GAME OPERATION!\r" +
                             data.File("sprites.vtg") + ": cannot open file");
  EXPECT_EQ(main.Globals.GameState, gsLoading);
  EXPECT_TRUE(platform.ProgressFreed);

  // The game only polls input from now on; Esc ends the program.
  Tick(3);
  EXPECT_EQ(platform.InputFake.Polls, 3);
  EXPECT_FALSE(platform.CloseRequested);
  main.FormKeyUp(VK_ESCAPE);
  Tick();
  EXPECT_TRUE(platform.CloseRequested);
}

// The player asks to close beneath the first box of a badly damaged animation file: no
// further box comes, loading stops and the program can end.
TEST_F(StartupTest, AClosingAskedForWhileLoadingIsHonoured) {
  std::string animations = data.Read("data/quellix.txt") + "[REELREC]\nbad\n[SCENEREC]\ns\n";
  for (int i = 0; i < 500; ++i) animations += "x,0,0.5,0.5,100,100,a,1\n";
  data.Write("data/quellix.txt", animations);
  platform.OnMessage = [this] { platform.CloseRequested = true; };
  Activate();
  EXPECT_EQ(platform.Messages.size(), 1u);
  EXPECT_TRUE(Logged("Closing asked for while loading: start-up stops here"));
  EXPECT_FALSE(Logged("Loading Pattern Data..."));
  EXPECT_EQ(main.Globals.GameState, gsLoading);
  EXPECT_TRUE(platform.ProgressFreed);
  main.FormClose();
  EXPECT_EQ(LogMessages().back(), "Game Shutting Down...");
}

TEST_F(StartupTest, ArchivesWithoutItemsAreTold) {
  for (const auto& [file, kind] : {std::pair{"sprites.vtg", TArchiveKind::Images},
                                   std::pair{"sounds.vtw", TArchiveKind::Sounds}}) {
    const std::vector<uint8_t> empty = TArchiveWriter(kind).Bytes();
    data.Write(file, std::string(empty.begin(), empty.end()));
  }
  Activate();
  EXPECT_TRUE(Logged("sprites.vtg\" holds no images"));
  EXPECT_TRUE(Logged("sounds.vtw\" holds no sounds"));
}

TEST_F(StartupTest, EscapeDuringLoadingDoesNotClose) {
  main.FormKeyUp(VK_ESCAPE);
  Tick();  // a tick before activation finds the loading state
  EXPECT_FALSE(platform.CloseRequested);
}

TEST_F(StartupTest, MissingHighScoreFileIsWrittenWithDefaultsAndSavedOnClose) {
  Activate();
  EXPECT_NE(data.Read("highscores.txt").find("\"Vez Uzodaz\",100000,20,\"Master Devuvov\""),
            std::string::npos);
  main.MainEngine()->HighScoreEngine()->InsertRecord("Ann", "Devuvov", 0, 123456, 7);
  main.FormClose();
  EXPECT_EQ(data.Read("highscores.txt").rfind("Ann,123456,7,Devuvov\r\n", 0), 0u);
  EXPECT_EQ(LogMessages().back(), "Game Shutting Down...");
}

#ifdef _WIN32
// Where the user's data folder lies below.
constexpr const char* UserDataVariable = "APPDATA";
void SetVariable(const char* name, const std::string& value) {
  _putenv_s(name, value.c_str());  // an empty value removes it
}
#else
constexpr const char* UserDataVariable = "XDG_DATA_HOME";
void SetVariable(const char* name, const std::string& value) {
  if (value.empty())
    ::unsetenv(name);
  else
    ::setenv(name, value.c_str(), 1);
}
#endif

// Sets an environment variable for as long as the object lives.
class TScopedVariable {
 public:
  TScopedVariable(const char* name, const std::string& value) : fName(name) {
    if (const char* old = ::getenv(name)) fOld = old;
    SetVariable(name, value);
  }
  ~TScopedVariable() { SetVariable(fName, fOld); }

 private:
  const char* fName;
  std::string fOld;
};

TEST_F(StartupTest, BesideAnExecutableThatCannotBeWrittenTheUsersFolderKeepsLogAndScores) {
  TTempDir home;
  TScopedVariable variable(UserDataVariable, home.File("xdg"));
  platform.Dir = home.Dir() + "bin/";  // not there, so not writable, even for root
  main.ChooseDataDir(data.Dir());
  data.Write("highscores.txt", "Ann,123456,7,Devuvov\r\n");
  Activate();

  // xdg/quellix/ on Linux, xdg\Quellix\ on Windows.
  const std::string user = UserDataDir(TUserEnvironment::FromProcess());
  EXPECT_EQ(user.rfind(home.File("xdg"), 0), 0u) << user;
  EXPECT_EQ(main.Folders().DataDir, data.Dir());
  EXPECT_EQ(main.Folders().UserDir, user);
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  const std::vector<std::string> messages = LogMessagesIn(user + "log.txt");
  ASSERT_GE(messages.size(), 6u);
  EXPECT_EQ(messages[1], "Data folder: " + data.Dir());
  EXPECT_EQ(messages[2], "User folder: " + user);
  EXPECT_EQ(messages[3], "High scores copied from " + data.File("highscores.txt"));
  EXPECT_EQ(messages[4], "Motion: smooth (settings.txt)");
  EXPECT_EQ(messages[5], "Creating Engine Objects...");
  EXPECT_TRUE(std::filesystem::exists(PathOf(user + "settings.txt")));

  // The table came along; from now on it is kept in the user's folder only.
  Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Record(0)->Name, "Ann");
  table.InsertRecord("Bob", "Devuvov", 0, 200000, 9);
  main.FormClose();
  EXPECT_EQ(ReadTextFile(user + "highscores.txt"),
            "Bob,200000,9,Devuvov\r\nAnn,123456,7,Devuvov\r\n");
  EXPECT_EQ(data.Read("highscores.txt"), "Ann,123456,7,Devuvov\r\n");
}

TEST_F(StartupTest, LogFileThatCannotBeCreatedIsIgnored) {
  std::filesystem::create_directory(data.File("log.txt"));  // a folder in the way
  Activate();
  EXPECT_EQ(main.Globals.GameState, gsTitle);
  EXPECT_FALSE(main.ErrorLog().FileOpen());
}

TEST_F(StartupTest, HighScoreRowsAlternateColours) {
  Activate();
  Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  table.DrawTable();
  std::vector<TColor> rowColours;
  for (const TTextCall& t : platform.DisplayFake.CanvasFake.Texts)
    if (t.Clipped && t.Clip.Left == 150) rowColours.push_back(t.Font.Color);  // the rank column
  ASSERT_EQ(rowColours.size(), 10u);
  for (size_t i = 0; i < rowColours.size(); ++i)
    EXPECT_EQ(rowColours[i], i % 2 ? TColor{0xFF6000} : RGB(230, 250, 94)) << i;
}

}  // namespace
}  // namespace quellix::testing
