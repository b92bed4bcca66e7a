// Start-up and shutdown of the main window: the activation sequence that loads all
// data behind the progress window, and the close sequence that keeps the high scores.
#include <string>

#include "base/vtStartupTrace.h"
#include "config/vtConfigClasses.h"
#include "config/vtPattern.h"
#include "engine/vtEngine.h"
#include "graphics/vtFontHandler.h"
#include "services/vtGameSettings.h"
#include "services/vtHighScore.h"
#include "shell/vtGame.h"
#include "shell/vtGameKeeper.h"
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

bool TfrmMain::ShowProgressStep(std::string_view text, int32_t position, int messagePumps) {
  fPlatform.ShowProgress(text, position, 100);
  ProcessMessages(messagePumps);
  TraceStartup("progress shown: " + std::string(text));
  return !LoadingStopped();
}

void TfrmMain::ChooseFolders() {
  fExeDir = fPlatform.ExeDir();
  fFolders = ChooseGameFolders(fExeDir, fChosenDataDir, TUserEnvironment::FromProcess());
}

void TfrmMain::OpenLog() {
  if (fLog.FileOpen()) return;
  ChooseFolders();
  if (fEmbedded) return;
  try {
    fLog.Open(fFolders.UserDir + "log.txt");
  } catch (const std::exception&) {
    // Without a file the log still works in memory.
  }
  fLog.Log("Data folder: " + fFolders.DataDir);
  fLog.Log("User folder: " + fFolders.UserDir);
  if (!fLog.FileOpen()) NoteUnwritable("log.txt cannot be written there");
}

void TfrmMain::NoteUnwritable(const std::string& what) {
  if (fUserFolderUnwritable) return;
  fUserFolderUnwritable = true;
  fLog.Log("The user folder cannot be written (" + what + "): scores will not be kept");
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

void TfrmMain::LoadSettings() {
  fBombKey = fSessionBombKey = fPresetBombKey.value_or(VK_SPACE);
  if (fEmbedded) return;
  // A replay reads the player's display settings but writes nothing.
  fSettings = LoadGameSettings(
      fFolders.UserDir + SettingsFileName, [this](const std::string& line) { fLog.Log(line); },
      !Replaying());
  fMotion = fChosenMotion.value_or(fSettings.Motion);
  fLog.Log(std::string("Motion: ") + MotionStyleName(fMotion) +
           (fChosenMotion ? " (command line)" : " (" + std::string(SettingsFileName) + ")"));
  if (fSettings.Refresh > 0) fPlatform.SetRefreshRate(fSettings.Refresh);
  fPlatform.SetMotionStyle(fMotion);
  // A replay plays with the bomb key it was recorded with.
  if (fPresetBombKey) fSettings.BombKey = *fPresetBombKey;
  fBombKey = fSessionBombKey = fSettings.BombKey;
  TDisplayMode display = fSettings.Display;
  if (fChosenWindow) display.FullScreen = false;
  fPlatform.SetDisplayMode(display);
  ApplySettings();
}

void TfrmMain::ApplySettings() {
  fPlatform.SoundList().SetVolume(fSettings.Volume);
  fPlatform.SetMouseSpeed(fSettings.MouseSpeed);
  fPlatform.SetPadBindings(fSettings.Pad);
}

void TfrmMain::ChangeSettings(const TGameSettings& settings) {
  // The screen stays as it is and the window where the player has left it; scaling and
  // filtering change.
  TDisplayMode display = fPlatform.DisplayMode();
  if (settings.Motion != fSettings.Motion) {
    fPlatform.SetMotionStyle(settings.Motion);
    fMotion = fPlatform.MotionStyle();
  }
  fSettings = settings;
  fSettings.Display.Window = display.Window;
  display.Scaling = settings.Display.Scaling;
  display.Filter = settings.Display.Filter;
  fPlatform.SetDisplayMode(display);
  fBombKey = settings.BombKey;
  ApplySettings();
  SaveSettings();
}

void TfrmMain::SetFullScreen(bool on) {
  fChosenWindow = false;
  fSettings.Display.FullScreen = on;
  TDisplayMode display = fPlatform.DisplayMode();
  display.FullScreen = on;
  fPlatform.SetDisplayMode(display);
  fSettings.Display.Window = fPlatform.DisplayMode().Window;
  SaveSettings();
}

void TfrmMain::SaveSettings() {
  if (Replaying() || fEmbedded) return;
  try {
    SaveGameSettings(fFolders.UserDir + SettingsFileName, fSettings);
  } catch (const std::exception& e) {
    fLog.Log(std::string("Saving the settings failed: ") + e.what());
    NoteUnwritable(SettingsFileName);
  }
}

void TfrmMain::SeedRandom() {
  if (fFixedSeed) {
    fSeed = *fFixedSeed;
    fRandom.Seed(fSeed);
  } else {
    fSeed = fRandom.SeedFromClock();
  }
}

void TfrmMain::RunActivation() {
  TraceStartup("activation");
  ChooseFolders();
  TProgressGuard progress(fPlatform);
  OpenLog();
  // A preset table keeps the player's files out of play.
  if (!fPresetHighScores && !fEmbedded) AdoptHighScores();
  LoadSettings();
  SeedRandom();
  TraceStartup("log opened, settings read");
  if (!Replaying() && !fEmbedded && fGame)
    fKeeper = std::make_unique<TGameKeeper>(TKeptGames(
        fFolders.UserDir + "replays/", [dir = fFolders.DataDir] { return DigestGameData(dir); }));

  const char* creating = "Creating Engine Objects...";
  fLog.Log(creating);
  if (!ShowProgressStep(creating, 10, 3)) return;
  SeedRandom();
  fPlatform.HideCursor();

  IDisplay& display = fPlatform.Display();
  IImageList& images = fPlatform.ImageList();
  ISoundList& sounds = fPlatform.SoundList();
  fMainEngine = std::make_unique<Tvt6Engine>(fContext);
  fMainEngine->Setup(display, images, fPresetHighScores ? "" : HighScoreFile(), sounds);
  Tvt6HighScoreEngine& table = *fMainEngine->HighScoreEngine();
  if (fPresetHighScores)
    for (const Tvt6HighScoreRecord& r : *fPresetHighScores)
      table.AddRecord(r.Name, r.Title, r.Score, r.Level);
  table.SetDisplay(&display);
  TraceStartup("main engine set up, high scores read");

  const char* loadingSprites = "Loading Sprites...";
  fLog.Log(loadingSprites);
  if (!ShowProgressStep(loadingSprites, 10, 3)) return;
  images.LoadFromFile(fFolders.DataDir + "sprites.vtg");
  if (images.Count() == 0) fLog.Log("\"" + fFolders.DataDir + "sprites.vtg\" holds no images");

  const char* loadingAnimations = "Loading Animations...";
  fLog.Log(loadingAnimations);
  fPlatform.ShowProgress(loadingAnimations, 10, 100);
  ProcessMessages(3);
  if (LoadingStopped()) return;
  const std::string animationFile = fFolders.DataDir + "data/quellix.txt";
  fMainEngine->LoadAnimations(animationFile);
  TraceStartup("animations loaded");
  // A file full of bad lines shows boxes, beneath which the player may ask to close.
  if (LoadingStopped()) return;
  fPlatform.ShowProgress(loadingAnimations, 70, 100);

  fTextEngine = std::make_unique<Tvt6Engine>(fContext);
  fTextEngine->Setup(display, images, "", sounds);
  fTextEngine->LoadAnimations(animationFile);
  TraceStartup("text engine set up, animations loaded");
  if (LoadingStopped()) return;

  const char* loadingPatterns = "Loading Pattern Data...";
  fLog.Log(loadingPatterns);
  if (!ShowProgressStep(loadingPatterns, 80, 3)) return;
  const TLoadLog toLog = [this](const std::string& message) { fLog.Log(message); };
  fMainEngine->PatternManager().LoadFromFile(fFolders.DataDir + "data/patterns.txt", toLog);
  TraceStartup("patterns loaded");
  const char* loadingConfiguration = "Loading Configuration Files...";
  fLog.Log(loadingConfiguration);
  if (!ShowProgressStep(loadingConfiguration, 85, 3)) return;
  fMainEngine->ConfigurationMgr()->LoadFromFile(fFolders.DataDir + "data/config.txt", toLog);
  TraceStartup("configuration loaded");

  const char* loadingSounds = "Loading Sound Effects...";
  fLog.Log(loadingSounds);
  if (!ShowProgressStep(loadingSounds, 88, 4)) return;
  sounds.LoadFromFile(fFolders.DataDir + "sounds.vtw");
  if (sounds.Count() == 0) fLog.Log("\"" + fFolders.DataDir + "sounds.vtw\" holds no sounds");
  TraceStartup("sounds loaded");

  fLog.Log("Setting Up Varibles...");
  if (!ShowProgressStep("Setting Vars...", 90, 4)) return;
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
  TraceStartup("font and stars set up");

  const char* prepping = "Prepping Interface...";
  fLog.Log(prepping);
  if (!ShowProgressStep(prepping, 95, 3 + 4)) return;
  Globals.ShrapnelOn = true;
  Globals.SoundOn = true;
  Globals.ChildMode = false;

  fPlatform.ShowProgress("Done!", 95, 100);
  Globals.GameState = gsTitle;
  fLog.Log("Initializing Title Screen and Activating Timer...");
  SetupTitle();
  fLog.Log("Going into Game Running Mode...");
  TraceStartup("title set up: Going into Game Running Mode...");
  if (fPresetGame) StartPresetGame();
}

void TfrmMain::StartPresetGame() {
  if (!fGame || !fUnits.Hole) return;
  RestoreGameStart(*this, *fGame, *fPresetGame);
  fLog.Log(std::string("The replay's game starts: ") +
           (fPresetGame->ChildMode ? "child" : DifficultyName(fPresetGame->Difficulty)));
  fUnits.Hole->StartGame(fPresetGame->Difficulty);
}

void TfrmMain::FormClose() {
  fLog.Log("Game Shutting Down...");
  EndKeptGame(false);
  if (fActivationDone && !Replaying() && !fEmbedded) {
    const TDisplayMode display = fPlatform.DisplayMode();
    if (!display.FullScreen && display.Window != fSettings.Display.Window) {
      fSettings.Display.Window = display.Window;
      SaveSettings();
    }
  }
  SaveHighScores();
}

void TfrmMain::SaveHighScores() {
  if (!fMainEngine || fPresetHighScores) return;
  try {
    fMainEngine->HighScoreEngine()->SaveToFile(HighScoreFile());
  } catch (const std::exception& e) {
    fLog.Log(std::string("Saving the high scores failed: ") + e.what());
  }
}

bool TfrmMain::LoadingStopped() {
  if (!fPlatform.Closing()) return false;
  fLog.Log("Closing asked for while loading: start-up stops here");
  return true;
}

}  // namespace quellix
