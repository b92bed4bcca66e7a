// The main window: owner of the error log, the random generator, both sprite engines
// and the game's shared values. It loads everything on its first activation, runs one
// tick of the current game state every 40 ms and saves the high scores on close.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/vtRandom.h"
#include "game/vtGameState.h"
#include "graphics/vtContext.h"
#include "graphics/vtPlatform.h"
#include "services/vtGameFolders.h"
#include "services/vtHighScore.h"
#include "services/vtHighScoreInput.h"
#include "shell/vtErrorLogger.h"
#include "shell/vtMainWindowContext.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class TGame;
class Tvt6Engine;
class Tvt6Sprite;

class TfrmMain : public IMainWindowEvents {
 public:
  static constexpr TColor BackgroundColor = RGB(230, 250, 94);
  static constexpr int32_t TimerInterval = 40;

  explicit TfrmMain(IPlatform& platform);
  ~TfrmMain() override;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  // Window events.
  void FormActivate() override;
  void FormKeyUp(int32_t key) override;
  void FormMouseDown(TMouseButton button) override;
  void FormMouseUp(TMouseButton button) override;
  void FormClose() override;
  void TimerEvent(int32_t lagCount) override;
  void ApplicationException(const std::exception& error) override;

  // Operations the game units call (all inside a tick).
  void LevelComplete();
  void ShowNextLevel();
  void StartNextLevel();
  void GameOver();
  // Shows the name window; the entry is made at `rank` once it closes.
  void EnterHighScore(int32_t rank);
  void ShowHighScores();
  void BackToTitle();

  int32_t EnemiesLeft() const { return fEnemiesLeft; }
  void SetEnemiesLeft(int32_t value) { fEnemiesLeft = value; }

  // Start-up seeds the random generator with this instead of the clock (replays).
  void SetFixedSeed(uint64_t seed) { fFixedSeed = seed; }
  // The seed start-up used; 0 before start-up.
  uint64_t Seed() const { return fSeed; }
  // Start-up takes this high-score table instead of reading "highscores.txt" (replays).
  // A table that did not come from that file is never written to it.
  void PresetHighScores(std::vector<Tvt6HighScoreRecord> records) {
    fPresetHighScores = std::move(records);
  }
  // Opens "log.txt" in the user folder unless it is open, and says there which folders
  // are in use. Start-up does it first; a run that stops before start-up (a refused
  // replay) opens it to say why.
  void OpenLog();

  void SetUnits(const TGameUnits& units) { fUnits = units; }
  // Takes the game's units over and drives them; they live as long as the window.
  void AdoptGame(std::unique_ptr<TGame> game);

  TGameGlobals Globals;
  bool LevelCompleteDone = false;
  bool NextLevelDone = false;
  bool GameOverDone = false;

  bool InTick() const { return fInTick; }
  bool ActivationDone() const { return fActivationDone; }
  const std::string& ExeDir() const { return fExeDir; }
  // The folders start-up chose (vtGameFolders.h): the game's data is read from the
  // one, log, high scores and settings are written to the other.
  const TGameFolders& Folders() const { return fFolders; }
  // A data folder to use instead of the one found beside the executable (--data).
  void ChooseDataDir(std::string dir) { fChosenDataDir = std::move(dir); }
  // A motion style over the settings file's (--motion).
  void ChooseMotion(std::optional<TMotionStyle> style) { fChosenMotion = style; }
  // The motion style start-up gave the platform.
  TMotionStyle Motion() const { return fMotion; }
  // The folder start-up reads the data from; known before start-up.
  std::string DataDir() const { return FindDataDir(fPlatform.ExeDir(), fChosenDataDir); }
  IPlatform& Platform() { return fPlatform; }
  TfrmErrorLog& ErrorLog() { return fLog; }
  TRandom& Random() { return fRandom; }
  TVintorContext& Context() { return fContext; }
  // What the game units are built with.
  IGameContext& GameContext() { return fGameContext; }
  Tvt6Engine* MainEngine() { return fMainEngine.get(); }
  Tvt6Engine* TextEngine() { return fTextEngine.get(); }

 private:
  // Start-up (vtStartup.cpp).
  void RunActivation();
  // Shows progress and lets messages through; false once loading is to stop.
  bool ShowProgressStep(std::string_view text, int32_t position, int messagePumps);
  void ProcessMessages(int times);
  void SeedRandom();
  void ChooseFolders();
  // Whether the player has asked to close the program; logged when so.
  bool LoadingStopped();
  // The one save of the high-score table, at close and when an entry is made; none when
  // the table was preset.
  void SaveHighScores();
  // The first time the user folder differs from the executable's, a table kept beside
  // the executable or the data is taken along.
  void AdoptHighScores();
  // Reads (or first writes) the settings file and gives the platform its motion style,
  // before anything draws.
  void ApplyMotionStyle();
  std::string HighScoreFile() const { return fFolders.UserDir + "highscores.txt"; }

  // The tick and its state handlers (vtGameLoop.cpp).
  void RunStateHandler();
  void LogTickError(const std::exception& error);
  // The name window has closed: its entry goes into the table, which is shown.
  void NameEntered(int32_t rank);
  void PlayingTick();
  // Level complete and next level: the text shows until its sprite goes.
  void OverlayTextTick(const bool& textDone, void (TfrmMain::*next)());
  void GameOverTick();
  void EnterHighScoreTick();
  void ShowHighScoresTick();
  void PlayfieldFrame(const char* errorText, bool drawHighScores = false);
  void FillBack();
  void SpawnStars();
  void MoveAndDrawStars();
  void DrawHud();
  void Flip();
  void EscapeStep();
  void ClearEngines();
  void LowerShields();
  void CreateHole();
  void SetupTitle();
  // An overlay text on the text engine whose removal sets the given flag.
  void ShowOverlayText(int32_t x, int32_t y, int32_t lifetime, const char* scene, bool& doneFlag);

  IPlatform& fPlatform;
  TfrmErrorLog fLog;
  TRandom fRandom;
  TVintorContext fContext;
  TMainWindowContext fGameContext{*this};
  TGameUnits fUnits;
  // Destroyed after the engines have let go of every sprite (see the destructor).
  std::unique_ptr<TGame> fGame;
  std::unique_ptr<Tvt6Engine> fMainEngine;
  std::unique_ptr<Tvt6Engine> fTextEngine;
  // Open while the player types a name for the high-score table.
  std::unique_ptr<TfrmEnterHighScore> fNameWindow;
  std::string fExeDir;
  std::string fChosenDataDir;
  std::optional<TMotionStyle> fChosenMotion;
  TMotionStyle fMotion = TMotionStyle::Classic;
  TGameFolders fFolders;
  std::optional<uint64_t> fFixedSeed;
  uint64_t fSeed = 0;
  std::optional<std::vector<Tvt6HighScoreRecord>> fPresetHighScores;
  int32_t fEnemiesLeft = 0;
  bool fInTick = false;
  bool fActivationDone = false;
  // Start-up ran to its end, successfully or not.
  bool fActivationFinished = false;
};

}  // namespace quellix
