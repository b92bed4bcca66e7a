// The main window: owner of the error log, the random generator, both sprite engines
// and the game's shared values. It loads everything on its first activation, runs one
// tick of the current game state every 40 ms and saves the high scores on close. It
// applies and keeps the player's settings, and keeps every game played (vtGameKeeper.h).
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
#include "services/vtGameSettings.h"
#include "services/vtHighScore.h"
#include "shell/vtErrorLogger.h"
#include "shell/vtGameStart.h"
#include "shell/vtMainWindowContext.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class TGame;
class TGameKeeper;
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
  void EnterHighScore(int32_t rank);
  void ShowHighScores();
  void BackToTitle();
  // A game from the title: the hole starts it, and the game is kept from here on.
  void StartGame(TDifficulty difficulty);
  // Shows a menu of the title: gsOptions or gsReplays.
  void ShowMenu(TGameState state);

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
  // Start-up goes straight into this game, started as it once was (the replay of one
  // game); its game over ends it without asking the high-score table.
  void PresetGame(const TGameStart& start) { fPresetGame = start; }
  // The bomb key the session started with, instead of the settings' (replays).
  void PresetBombKey(int32_t key) { fPresetBombKey = key; }
  // A session played back (a preset table): the player's files are neither read for
  // play nor written.
  bool Replaying() const { return fPresetHighScores.has_value(); }
  // A window inside another one's game (the watching of a replay): no file of its own
  // (its log stays in memory, ErrorLog().SetForward passes lines on), no settings, no
  // kept games.
  void Embed() { fEmbedded = true; }
  bool Embedded() const { return fEmbedded; }
  // Opens "log.txt" in the user folder unless it is open, and says there which folders
  // are in use. Start-up does it first; a run that stops before start-up (a refused
  // replay) opens it to say why.
  void OpenLog();

  void SetUnits(const TGameUnits& units) { fUnits = units; }
  // Takes the game's units over and drives them; they live as long as the window.
  void AdoptGame(std::unique_ptr<TGame> game);
  // None before AdoptGame.
  TGame* Game() const { return fGame.get(); }

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
  // A window for this run over the settings file's full screen (--window).
  void ChooseWindow(bool window) { fChosenWindow = window; }

  // The player's settings as they stand; a change is applied at once and saved (not
  // while replaying). A failure to save is logged.
  const TGameSettings& Settings() const { return fSettings; }
  // The display keeps its full screen or window and the window its place; the rest of
  // the settings given take effect.
  void ChangeSettings(const TGameSettings& settings);
  // Full screen or the window, from now on and at the next start.
  void SetFullScreen(bool on);
  // The key that sets off a bomb, now and when the session started.
  int32_t BombKey() const { return fBombKey; }
  int32_t SessionBombKey() const { return fSessionBombKey; }
  void SetBombKey(int32_t key) { fBombKey = key; }
  // The games kept in the user folder; none while replaying or embedded.
  TGameKeeper* Keeper() { return fKeeper.get(); }
  // The session is being recorded (--record): the games are kept, but the screens do
  // not show them, so that the session never depends on the user folder.
  void NoteSessionRecorded() { fSessionRecorded = true; }
  bool ShowsKeptGames() const { return fKeeper && !fSessionRecorded; }
  // Start-up found the user folder unwritable, or a file could not be saved there: the
  // title says so once.
  bool UserFolderUnwritable() const { return fUserFolderUnwritable; }
  void NoteUnwritable(const std::string& what);
  // The motion style given to the platform at start-up or since.
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
  // Reads (or first writes) the settings file and gives the platform its motion style
  // and the rest of the settings, before anything draws.
  void LoadSettings();
  // Gives the platform the settings: the display, the volume, the mouse and controller.
  void ApplySettings();
  void SaveSettings();
  // The preset game, started once start-up has built the title.
  void StartPresetGame();
  std::string HighScoreFile() const { return fFolders.UserDir + "highscores.txt"; }

  // The tick and its state handlers (vtGameLoop.cpp).
  void RunStateHandler();
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
  IScreen* ActiveScreen() const;
  // The game being kept ends with the tick under way: its replay is written, and the
  // kept games pruned.
  void EndKeptGame(bool enteredTable);
  void PruneKeptGames();
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
  std::string fExeDir;
  std::string fChosenDataDir;
  std::optional<TMotionStyle> fChosenMotion;
  bool fChosenWindow = false;
  TGameSettings fSettings;
  int32_t fBombKey = VK_SPACE;
  int32_t fSessionBombKey = VK_SPACE;
  std::optional<int32_t> fPresetBombKey;
  std::optional<TGameStart> fPresetGame;
  bool fEmbedded = false;
  std::unique_ptr<TGameKeeper> fKeeper;
  bool fUserFolderUnwritable = false;
  bool fSessionRecorded = false;
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
