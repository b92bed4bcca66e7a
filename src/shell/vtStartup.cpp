// Start-up and shutdown of the main window: the activation sequence that loads all
// data behind the progress window, and the close sequence that keeps the high scores.
#include <string>

#include "config/vt6configclasses.h"
#include "config/vtPattern.h"
#include "engine/vt6Engine.h"
#include "game/vtGame.h"
#include "graphics/vt6FontHandler.h"
#include "services/vt6HighScore.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

constexpr TColor MainTextColor = 0xFF0000;  // blue
constexpr TColor OddRowColor = 0xFF6000;    // light blue
constexpr TColor EvenRowColor = RGB(230, 250, 94);

// Frees the progress window however the sequence ends.
class TProgressGuard {
 public:
  explicit TProgressGuard(IWindowSystem& window) : fWindow(window) {}
  ~TProgressGuard() { fWindow.FreeProgress(); }
  TProgressGuard(const TProgressGuard&) = delete;
  TProgressGuard& operator=(const TProgressGuard&) = delete;

 private:
  IWindowSystem& fWindow;
};

}  // namespace

TfrmMain::TfrmMain(IPlatform& platform) : fPlatform(platform), fContext{fLog, fRandom, platform} {
  fPlatform.AttachLog([this](const std::string& message) { fLog.Log(message); });
}

TfrmMain::~TfrmMain() {
  // Freeing a sprite runs its handlers, which belong to the game's units: the engines
  // let go of their sprites while the units still exist.
  for (Tvt6Engine* engine : {fMainEngine.get(), fTextEngine.get()})
    if (engine) engine->ClearSprites();
  fGame.reset();
  fPlatform.AttachLog({});
}

void TfrmMain::AdoptGame(std::unique_ptr<TGame> game) {
  fGame = std::move(game);
  fUnits = fGame->Units();
}

void TfrmMain::ApplicationException(const std::exception& error) {
  fLog.Log(std::string("WARNING: UNHANDLED EXCEPTION DURING GAME OPERATION!\r") + error.what());
}

void TfrmMain::FormActivate() {
  if (fActivationDone) return;
  fActivationDone = true;
  struct TFinished {
    bool& Flag;
    ~TFinished() { Flag = true; }
  } finished{fActivationFinished};
  RunActivation();
}

void TfrmMain::ProcessMessages(int times) {
  for (int i = 0; i < times; ++i) fPlatform.ProcessMessages();
}

void TfrmMain::ShowProgressStep(std::string_view text, int32_t position, int messagePumps) {
  fPlatform.ShowProgress(text, position, 100);
  ProcessMessages(messagePumps);
}

void TfrmMain::OpenLog() {
  try {
    fLog.Open(fFolders.UserDir + "log.txt");
  } catch (const std::exception&) {
    // Without a file the log still works in memory.
  }
  fLog.Log("Data folder: " + fFolders.DataDir);
  fLog.Log("User folder: " + fFolders.UserDir);
}

void TfrmMain::AdoptHighScores() {
  try {
    const std::string from =
        AdoptUserFile("highscores.txt", fFolders.UserDir, {fExeDir, fFolders.DataDir});
    if (!from.empty()) fLog.Log("High scores copied from " + from);
  } catch (const std::exception& e) {
    fLog.Log(std::string("Copying the high scores failed: ") + e.what());
  }
}

void TfrmMain::RunActivation() {
  fExeDir = fPlatform.ExeDir();
  fFolders = ChooseGameFolders(fExeDir, fChosenDataDir, TUserEnvironment::FromProcess());
  TProgressGuard progress(fPlatform);
  OpenLog();
  AdoptHighScores();
  fRandom.SeedFromClock();

  const char* creating = "Creating Engine Objects...";
  fLog.Log(creating);
  ShowProgressStep(creating, 10, 3);
  fRandom.SeedFromClock();
  fPlatform.HideCursor();

  IDisplay& display = fPlatform.Display();
  IImageList& images = fPlatform.ImageList();
  ISoundList& sounds = fPlatform.SoundList();
  fMainEngine = std::make_unique<Tvt6Engine>(fContext);
  fMainEngine->Setup(display, images, HighScoreFile(), sounds);
  Tvt6HighScoreEngine& table = *fMainEngine->HighScoreEngine();
  table.SetDisplay(&display);

  const char* loadingSprites = "Loading Sprites...";
  fLog.Log(loadingSprites);
  ShowProgressStep(loadingSprites, 10, 3);
  images.LoadFromFile(fFolders.DataDir + "sprites.vtg");

  const char* loadingAnimations = "Loading Animations...";
  fLog.Log(loadingAnimations);
  fPlatform.ShowProgress(loadingAnimations, 10, 100);
  ProcessMessages(3);
  const std::string animationFile = fFolders.DataDir + "data/quellix.txt";
  fMainEngine->LoadAnimations(animationFile);
  fPlatform.ShowProgress(loadingAnimations, 70, 100);

  fTextEngine = std::make_unique<Tvt6Engine>(fContext);
  fTextEngine->Setup(display, images, "", sounds);
  fTextEngine->LoadAnimations(animationFile);

  const char* loadingPatterns = "Loading Pattern Data...";
  fLog.Log(loadingPatterns);
  ShowProgressStep(loadingPatterns, 80, 3);
  fMainEngine->PatternManager().LoadFromFile(fFolders.DataDir + "data/patterns.txt");
  const char* loadingConfiguration = "Loading Configuration Files...";
  fLog.Log(loadingConfiguration);
  ShowProgressStep(loadingConfiguration, 85, 3);
  fMainEngine->ConfigurationMgr()->LoadFromFile(fFolders.DataDir + "data/config.txt");

  const char* loadingSounds = "Loading Sound Effects...";
  fLog.Log(loadingSounds);
  ShowProgressStep(loadingSounds, 88, 4);
  sounds.LoadFromFile(fFolders.DataDir + "sounds.vtw");

  fLog.Log("Setting Up Varibles...");
  ShowProgressStep("Setting Vars...", 90, 4);
  Tvt6FontItem& main = fMainEngine->FontEngine()->AddFont("Main");
  main.Brush.Style = TBrushStyle::Clear;
  main.Font.Color = MainTextColor;
  main.Font.Size = 18;
  main.Font.Name = "Thehits Regular";
  table.SetFont(&main);
  // The table's rows alternate in colour.
  table.OnBeforeRow = [&main](Tvt6HighScoreEngine&, int32_t row) {
    main.Font.Color = (row % 2 != 0) ? OddRowColor : EvenRowColor;
  };
  table.OnAfterRow = [&main](Tvt6HighScoreEngine&, int32_t) { main.Font.Color = MainTextColor; };
  if (fUnits.Hole) fUnits.Hole->InitStars();

  const char* prepping = "Prepping Interface...";
  fLog.Log(prepping);
  ShowProgressStep(prepping, 95, 3 + 4);
  Globals.ShrapnelOn = true;
  Globals.SoundOn = true;
  Globals.ChildMode = false;

  fPlatform.ShowProgress("Done!", 95, 100);
  Globals.GameState = gsTitle;
  fLog.Log("Initializing Title Screen and Activating Timer...");
  SetupTitle();
  fLog.Log("Going into Game Running Mode...");
}

void TfrmMain::FormClose() {
  fLog.Log("Game Shutting Down...");
  if (!fMainEngine) return;
  try {
    fMainEngine->HighScoreEngine()->SaveToFile(HighScoreFile());
  } catch (const std::exception& e) {
    fLog.Log(std::string("Saving the high scores failed: ") + e.what());
  }
}

}  // namespace quellix
