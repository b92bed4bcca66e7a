// The 40 ms tick: poll the mouse, then run the handler of the current game state.
// Each handler draws a whole frame (starfield, both engines, heads-up display) and
// moves the game between title, play, level end, game over and the high-score screens.
#include <optional>
#include <string>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "game/vtSpriteKinds.h"
#include "graphics/vtProjector.h"
#include "graphics/vtStars.h"
#include "services/vtHighScore.h"
#include "services/vtHighScoreInput.h"
#include "services/vtSound.h"
#include "shell/vtGame.h"
#include "shell/vtGameKeeper.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

// Messages of the playfield frame's error handler, one per state.
constexpr const char* PlayingError = "QUELLIX:MainLoop reports the following Error: ";
constexpr const char* LevelTextError =
    "QUELLIX:ShowLevelCompleteLoop: reports the following Error: ";
constexpr const char* GameOverError = "QUELLIX:ShowGameOver: reports the following Error: ";
constexpr const char* EnterHighScoreError =
    "QUELLIX:Handle_InputHighScore: reports the following Error: ";
constexpr const char* HighScoresError =
    "QUELLIX:Handle_ShowingHighScores: reports the following Error: ";

constexpr int32_t Unlimited = 32000;

// Clears a flag when the scope ends, however it ends.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : fFlag(flag) { fFlag = true; }
  ~TFlagGuard() { fFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& fFlag;
};

// The states of a game under way, from its start on the title to its last tick.
bool InGame(TGameState state) {
  return state == gsPlaying || state == gsLevelComplete || state == gsNextLevel ||
         state == gsGameOver;
}

TReplayInput Event(TReplayInputKind kind, int32_t key = 0,
                   TMouseButton button = TMouseButton::Left) {
  TReplayInput input;
  input.Kind = kind;
  input.Key = key;
  input.Button = button;
  return input;
}

}  // namespace

IScreen* TfrmMain::ActiveScreen() const {
  switch (Globals.GameState) {
    case gsOptions:
      return fUnits.Options;
    case gsReplays:
      return fUnits.Replays;
    case gsWatchReplay:
      return fUnits.Watch;
    default:
      return nullptr;
  }
}

void TfrmMain::FormKeyUp(int32_t key) {
  if (fKeeper && fKeeper->Recording()) fKeeper->Log().Add(Event(TReplayInputKind::KeyUp, key));
  if (IScreen* screen = ActiveScreen()) {
    screen->KeyUp(key);
    return;
  }
  // A controller's buttons say which they are only to the menus.
  if (IsPadKey(key)) return;
  if (key == VK_ESCAPE) {
    Globals.EscapeRequest = true;
    Globals.Paused = false;
  } else if (key == fBombKey) {
    Globals.BombRequest = true;
    Globals.Paused = false;
  } else {
    Globals.Paused = !Globals.Paused;
  }
}

void TfrmMain::FormMouseDown(TMouseButton button) {
  if (fKeeper && fKeeper->Recording())
    fKeeper->Log().Add(Event(TReplayInputKind::MouseDown, 0, button));
  if (button == TMouseButton::Right) Globals.RightButtonDown = true;
  if (IScreen* screen = ActiveScreen()) screen->MouseButton(button, true);
}

void TfrmMain::FormMouseUp(TMouseButton button) {
  if (fKeeper && fKeeper->Recording())
    fKeeper->Log().Add(Event(TReplayInputKind::MouseUp, 0, button));
  if (button == TMouseButton::Right) Globals.RightButtonDown = false;
  if (IScreen* screen = ActiveScreen()) screen->MouseButton(button, false);
}

void TfrmMain::TimerEvent(int32_t /*lagCount*/) {
  TInputLog* kept = fKeeper && fKeeper->Recording() ? &fKeeper->Log() : nullptr;
  if (kept) kept->BeginTick();
  if (Globals.Paused || fInTick) return;
  TFlagGuard guard(fInTick);
  try {
    IInput& input = fPlatform.Input();
    input.Update();
    const bool down = input.MouseButton0();
    if (kept) kept->Polled(input.MouseX(), input.MouseY(), down);
    Globals.LeftButtonReleased = Globals.LeftButtonDown && !down;
    Globals.LeftButtonDown = down;
    RunStateHandler();
  } catch (const std::exception& e) {
    fLog.Log(std::string("TfrmMain:TimerEvent:Main Loop Exception\r") + e.what());
  }
  // Esc has gone back to the title: the game ended with this tick.
  if (fKeeper && fKeeper->Recording() && !InGame(Globals.GameState)) EndKeptGame(false);
}

void TfrmMain::RunStateHandler() {
  switch (Globals.GameState) {
    case gsLoading:
      // A start-up that failed leaves the game here; Esc then ends the program
      // rather than leaving the player in front of a dead full-screen window.
      if (fActivationFinished && Globals.EscapeRequest) {
        Globals.EscapeRequest = false;
        fPlatform.CloseMainWindow();
      }
      break;
    case gsTitle:
      if (Globals.QuitRequest) {
        fPlatform.CloseMainWindow();
      } else if (fUnits.Title) {
        fUnits.Title->TitleTick();
      }
      break;
    case gsPlaying:
      PlayingTick();
      break;
    case gsLevelComplete:
      OverlayTextTick(LevelCompleteDone, &TfrmMain::ShowNextLevel);
      break;
    case gsNextLevel:
      OverlayTextTick(NextLevelDone, &TfrmMain::StartNextLevel);
      break;
    case gsGameOver:
      GameOverTick();
      break;
    case gsEnterHighScore:
      EnterHighScoreTick();
      break;
    case gsShowHighScores:
      ShowHighScoresTick();
      break;
    case gsOptions:
    case gsReplays:
    case gsWatchReplay:
      if (IScreen* screen = ActiveScreen()) screen->ScreenTick();
      break;
  }
}

// ---- Steps of the playfield frame ----------------------------------------

void TfrmMain::FillBack() {
  fPlatform.Display().Fill(0);
}

void TfrmMain::SpawnStars() {
  if (fUnits.Hole) fUnits.Hole->SpawnStars();
}

void TfrmMain::MoveAndDrawStars() {
  if (!fUnits.Hole) return;
  if (Tvt6StarEngine* stars = fUnits.Hole->Stars()) {
    stars->MoveStars();
    stars->DrawStars();
  }
}

void TfrmMain::PlayfieldFrame(const char* errorText, bool drawHighScores) {
  try {
    MoveAndDrawStars();
    for (Tvt6Engine* engine : {fMainEngine.get(), fTextEngine.get()}) {
      engine->DrawSprites();
      engine->UpdateSprites();
      engine->PurgeSprites();
    }
    if (drawHighScores) fMainEngine->HighScoreEngine()->DrawTable();
  } catch (const std::exception& e) {
    fLog.Log(errorText + std::string(e.what()));
  }
}

void TfrmMain::DrawHud() {
  if (fUnits.Player) fUnits.Player->DrawHud();
}

void TfrmMain::Flip() {
  fPlatform.Display().Flip();
}

void TfrmMain::EscapeStep() {
  if (!Globals.EscapeRequest) return;
  SetupTitle();
  Globals.EscapeRequest = false;
  Globals.GameState = gsTitle;
}

// ---- State handlers --------------------------------------------------------

void TfrmMain::PlayingTick() {
  FillBack();
  if (fUnits.Player) {
    fUnits.Player->UpdateControlPoint();
    if (Globals.LeftButtonDown) Globals.FireRequest = true;
    if (Globals.RightButtonDown) {
      fUnits.Player->RaiseShields();
    } else {
      fUnits.Player->LowerShields();
    }
    fUnits.Player->PlayerTick();
  }
  SpawnStars();
  fMainEngine->CollideSprites(kinds::PlayerShot);
  fMainEngine->CollideSpritesMutual(kinds::HorizontalWave);
  fMainEngine->CollideSpritesMutual(kinds::VerticalWave);
  fMainEngine->CollideSpritesMutual(kinds::Shield);
  fMainEngine->CollideSprites(kinds::PlayerShip);
  PlayfieldFrame(PlayingError);
  DrawHud();
  Flip();
  EscapeStep();
  // Both tests run even when Esc has just gone to the title; the last one that
  // fires decides the state. Whether the game goes on is judged by the ships that
  // finished the level: the level end clears them away, and a player without spares
  // who clears a level plays on with them.
  const bool continues = fUnits.Player && fUnits.Player->GameContinues();
  if (fEnemiesLeft <= 0) LevelComplete();
  if (!continues) GameOver();
}

void TfrmMain::OverlayTextTick(const bool& textDone, void (TfrmMain::*next)()) {
  FillBack();
  SpawnStars();
  PlayfieldFrame(LevelTextError);
  DrawHud();
  Flip();
  EscapeStep();
  if (textDone) (this->*next)();
}

void TfrmMain::GameOverTick() {
  FillBack();
  SpawnStars();
  PlayfieldFrame(GameOverError);
  DrawHud();
  Flip();
  EscapeStep();
  if (!GameOverDone) return;
  GameOverDone = false;
  // The replay of one game ends here, and never asks the table.
  const int32_t rank = fPresetGame ? -1 : fMainEngine->HighScoreEngine()->FindRank(Globals.Score);
  EndKeptGame(rank >= 0);
  if (rank < 0) {
    BackToTitle();
  } else {
    EnterHighScore(rank);
  }
}

void TfrmMain::EnterHighScoreTick() {
  FillBack();
  SpawnStars();
  try {
    MoveAndDrawStars();
  } catch (const std::exception& e) {
    fLog.Log(EnterHighScoreError + std::string(e.what()));
  }
  DrawHud();
  Flip();
  EscapeStep();
}

void TfrmMain::ShowHighScoresTick() {
  FillBack();
  SpawnStars();
  PlayfieldFrame(HighScoresError, true);
  if (fUnits.TableGames) fUnits.TableGames->TableTick();
  Flip();
  // A game chosen on the table is being watched.
  if (Globals.GameState != gsShowHighScores) return;
  if (Globals.EscapeRequest) {
    SetupTitle();
    Globals.EscapeRequest = false;
    Globals.GameState = gsTitle;
  } else if (--Globals.ScreenTimer < 0) {
    BackToTitle();
  }
}

// ---- Operations ----------------------------------------------------------

void TfrmMain::ClearEngines() {
  fMainEngine->ClearSprites();
  fTextEngine->ClearSprites();
}

void TfrmMain::LowerShields() {
  if (fUnits.Player) fUnits.Player->LowerShields();
}

void TfrmMain::CreateHole() {
  if (fUnits.Hole) fUnits.Hole->CreateHole();
}

void TfrmMain::SetupTitle() {
  if (fUnits.Title) fUnits.Title->SetupTitle();
}

void TfrmMain::ShowOverlayText(int32_t x, int32_t y, int32_t lifetime, const char* scene,
                               bool& doneFlag) {
  Tvt6Sprite& text = fTextEngine->NewSprite();
  text.Place(x, y, lifetime, false);
  text.Projector->QuickInit("Text", scene, Unlimited);
  text.OnKillSelf.Subscribe(this, [&doneFlag](Tvt6Sprite*, const void*) { doneFlag = true; });
}

void TfrmMain::LevelComplete() {
  if (fUnits.Player) fUnits.Player->LevelEndSnapshot();
  LowerShields();
  fMainEngine->ClearSprites();
  fMainEngine->AudioEngine()->PlaySound(sounds::LevelComplete);
  ShowOverlayText(200, 180, 50, "LevelComplete", LevelCompleteDone);
  Globals.GameState = gsLevelComplete;
  CreateHole();
}

void TfrmMain::ShowNextLevel() {
  LevelCompleteDone = false;
  NextLevelDone = false;
  ClearEngines();
  ShowOverlayText(280, 200, 50, "NextLevel", NextLevelDone);
  CreateHole();
  Globals.GameState = gsNextLevel;
}

void TfrmMain::StartNextLevel() {
  LevelCompleteDone = false;
  NextLevelDone = false;
  ClearEngines();
  if (fUnits.Player) fUnits.Player->StartLevelShips();
  CreateHole();
  if (fUnits.Hole) fUnits.Hole->AdvanceLevel();
  Globals.GameState = gsPlaying;
}

void TfrmMain::GameOver() {
  LowerShields();
  fMainEngine->ClearSprites();
  ShowOverlayText(270, 200, 200, "gameover", GameOverDone);
  Globals.GameState = gsGameOver;
  CreateHole();
}

void TfrmMain::EnterHighScore(int32_t rank) {
  Globals.GameState = gsEnterHighScore;
  // Ticks keep running beneath the modal name window.
  fInTick = false;
  TfrmEnterHighScore dialog;
  fMainEngine->AudioEngine()->PlaySound(sounds::Cheering);
  fPlatform.ShowModal(dialog);
  Tvt6HighScoreEngine& table = *fMainEngine->HighScoreEngine();
  table.InsertRecord(dialog.NameText(), "Devuvov", rank, Globals.Score, Globals.Level);
  table.Delete(table.Count() - 1);
  // Kept at once: a crash or a kill later must not lose the entry.
  SaveHighScores();
  // A row pushed off the table takes its game along.
  PruneKeptGames();
  ShowHighScores();
}

void TfrmMain::ShowHighScores() {
  LevelCompleteDone = false;
  NextLevelDone = false;
  ClearEngines();
  CreateHole();
  Globals.GameState = gsShowHighScores;
  Globals.ScreenTimer = 200;
  if (fUnits.TableGames) fUnits.TableGames->TableShown();
}

void TfrmMain::StartGame(TDifficulty difficulty) {
  if (!fUnits.Hole) return;
  std::optional<TGameStart> start;
  if (fKeeper && fGame) start = CaptureGameStart(*this, *fGame, difficulty);
  fUnits.Hole->StartGame(difficulty);
  if (!start || Globals.GameState != gsPlaying) return;
  TReplay header;
  header.Seed = fSeed;
  const Tvt6HighScoreEngine& table = *fMainEngine->HighScoreEngine();
  for (int32_t i = 0; i < table.Count(); ++i) header.HighScores.push_back(*table.Record(i));
  fKeeper->Begin(std::move(header), *start);
}

void TfrmMain::ShowMenu(TGameState state) {
  IMenuScreen* menu = state == gsOptions   ? fUnits.Options
                      : state == gsReplays ? fUnits.Replays
                                           : nullptr;
  if (!menu) return;
  Globals.GameState = state;
  menu->Enter();
}

void TfrmMain::EndKeptGame(bool enteredTable) {
  if (!fKeeper || !fKeeper->Recording()) return;
  try {
    const std::string file = fKeeper->End(Globals.Score, Globals.Level, enteredTable);
    fLog.Log("Game kept: " + file + " (score " + std::to_string(Globals.Score) + ", level " +
             std::to_string(Globals.Level) + ")");
  } catch (const std::exception& e) {
    fLog.Log(std::string("The game could not be kept: ") + e.what());
    NoteUnwritable("replays/");
    return;
  }
  PruneKeptGames();
}

void TfrmMain::PruneKeptGames() {
  if (!fKeeper) return;
  for (const std::string& file : fKeeper->Games().Prune(*fMainEngine->HighScoreEngine()))
    fLog.Log("Kept game removed: " + file);
}

void TfrmMain::BackToTitle() {
  GameOverDone = false;
  SetupTitle();
  Globals.EscapeRequest = false;
  Globals.GameState = gsTitle;
}

}  // namespace quellix
