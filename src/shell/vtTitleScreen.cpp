#include "shell/vtTitleScreen.h"

#include <algorithm>
#include <array>
#include <functional>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtFrameNotes.h"
#include "graphics/vtProjector.h"
#include "services/vtSound.h"
#include "services/vtZoneEngine.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

constexpr int32_t Unlimited = Tvt6Sprite::NotSet;
constexpr int32_t LeftButton = 0;
constexpr int32_t NoShift = 0;

struct TPoint {
  int32_t X, Y;
};

// Where the three decorations stand, in the order of TitleDecorations.
constexpr std::array<TPoint, 3> DecorationPlaces = {{{110, 195}, {365, 190}, {610, 190}}};
constexpr TPoint CursorStart = {110, 195};
constexpr TPoint SoundIndicatorPlace = {470, 330};
constexpr TPoint ShrapnelIndicatorPlace = {470, 360};
constexpr TPoint ChildModeIndicatorPlace = {470, 390};

// The zones' rectangles, in the order of TitleZones: easy, normal, hard, quit, sound,
// shrapnel, child mode, then options and replays beside quit.
constexpr std::array<TRect, TitleZones.size()> ZoneRects = {
    Bounds(80, 280, 100, 30),  Bounds(335, 280, 100, 30), Bounds(585, 280, 100, 30),
    Bounds(335, 460, 100, 30), Bounds(300, 330, 150, 30), Bounds(300, 360, 150, 30),
    Bounds(300, 390, 150, 30), Bounds(205, 460, 100, 30), Bounds(465, 460, 100, 30)};

// The word said once when the user folder cannot be written, at the foot of the title.
constexpr const char* UnwritableNotice =
    "Scores and games cannot be kept: the user folder cannot be written (see log.txt)";
constexpr int32_t NoticeTop = 578;

std::string_view SwitchScene(bool on) {
  return on ? scenes::On : scenes::Off;
}

}  // namespace

TfrmTitleScreen::TfrmTitleScreen(TfrmMain& main) : fMain(main) {}

TfrmTitleScreen::~TfrmTitleScreen() = default;

void TfrmTitleScreen::SetupTitle() {
  TGameGlobals& globals = fMain.Globals;
  globals.ScreenTimer = AttractTicks;
  Tvt6Engine& engine = *fMain.MainEngine();
  engine.ClearSprites();
  fMain.TextEngine()->ClearSprites();
  fMain.LevelCompleteDone = false;
  fMain.NextLevelDone = false;
  globals.GameState = gsTitle;
  engine.AudioEngine()->StopAll();
  LookUpBackground();

  for (size_t i = 0; i < TitleDecorations.size(); ++i) {
    const TTitleDecoration& decoration = TitleDecorations[i];
    Decoration(DecorationPlaces[i].X, DecorationPlaces[i].Y, EnemyNames(decoration.Kind).Reel,
               decoration.Scene);
  }
  fCursor = Decoration(CursorStart.X, CursorStart.Y, reels::TitleScreen, scenes::Mouse);
  fSoundIndicator = Decoration(SoundIndicatorPlace.X, SoundIndicatorPlace.Y, reels::TitleScreen,
                               SwitchScene(globals.SoundOn));
  fShrapnelIndicator = Decoration(ShrapnelIndicatorPlace.X, ShrapnelIndicatorPlace.Y,
                                  reels::TitleScreen, SwitchScene(globals.ShrapnelOn));
  fChildModeIndicator = Decoration(ChildModeIndicatorPlace.X, ChildModeIndicatorPlace.Y,
                                   reels::TitleScreen, SwitchScene(globals.ChildMode));

  fZones = std::make_unique<Tvt6ZoneEngine>(fMain.ErrorLog());
  fZones->Bind(*engine.Display(), *engine.ImageList(), *engine.AnimationEngine());
  BuildZones();
  // Said on the first title after the folder was found unwritable, until it is left.
  fShowNotice = fMain.UserFolderUnwritable() && !fNoticeSaid;
  fNoticeSaid = fNoticeSaid || fShowNotice;
}

void TfrmTitleScreen::DrawNotice(IDisplay& display) {
  ITextCanvas& canvas = display.Canvas();
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Font = TFont{};
  canvas.Font.Size = 11;
  canvas.Font.Color = RGB(255, 200, 60);
  canvas.TextOut(ScreenWidth / 2 - canvas.TextWidth(UnwritableNotice) / 2, NoticeTop,
                 UnwritableNotice);
  canvas.Release();
}

// The picture of the first frame of the title scene; a miss is logged by the lookup and
// leaves the screen without a background.
void TfrmTitleScreen::LookUpBackground() {
  fBackgroundImage = -1;
  Tvt6Engine& engine = *fMain.MainEngine();
  const Tvt6Scene* scene = engine.AnimationEngine()->GetScene(reels::TitleScreen, scenes::Title);
  const Tvt6Frame* frame = scene ? scene->Frame(0) : nullptr;
  if (frame) fBackgroundImage = engine.ImageList()->IndexOf(frame->ImageName);
}

Tvt6Sprite& TfrmTitleScreen::Decoration(int32_t x, int32_t y, std::string_view reel,
                                        std::string_view scene) {
  Tvt6Sprite& sprite = fMain.MainEngine()->NewSprite();
  sprite.Place(x, y, Unlimited, false);
  sprite.Projector->QuickInit(reel, scene, Unlimited);
  return sprite;
}

void TfrmTitleScreen::BuildZones() {
  TGameGlobals& globals = fMain.Globals;
  const std::array<std::function<void()>, TitleZones.size()> clicks = {
      [this] { StartGame(TDifficulty::Easy); },
      [this] { StartGame(TDifficulty::Normal); },
      [this] { StartGame(TDifficulty::Hard); },
      [&globals] { globals.QuitRequest = true; },
      [this] { ToggleSound(); },
      [this, &globals] { Toggle(globals.ShrapnelOn, fShrapnelIndicator); },
      [this, &globals] { Toggle(globals.ChildMode, fChildModeIndicator); },
      [this] { fMain.ShowMenu(gsOptions); },
      [this] { fMain.ShowMenu(gsReplays); }};
  for (size_t i = 0; i < TitleZones.size(); ++i) {
    auto zone = std::make_unique<Tvt6Zone>();
    const std::string bright = TitleZoneBrightScene(TitleZones[i]);
    zone->SetUp(ZoneRects[i], reels::TitleScreen, TitleZoneIdleScene(TitleZones[i]), bright,
                bright);
    zone->OnRelease = [click = clicks[i]](Tvt6Zone&, int32_t, int32_t, int32_t, int32_t) {
      click();
    };
    fZones->AddZone(std::move(zone));
  }
}

void TfrmTitleScreen::Toggle(bool& option, const TSpriteRef& indicator) {
  option = !option;
  if (Tvt6Sprite* sprite = indicator.Get())
    sprite->Projector->QuickInit(reels::TitleScreen, SwitchScene(option), Unlimited);
}

void TfrmTitleScreen::ToggleSound() {
  Toggle(fMain.Globals.SoundOn, fSoundIndicator);
  fMain.MainEngine()->AudioEngine()->SetEnabled(fMain.Globals.SoundOn);
}

void TfrmTitleScreen::StartGame(TDifficulty difficulty) {
  fMain.StartGame(difficulty);
}

void TfrmTitleScreen::UpdateCursor() {
  const IInput& input = fMain.Platform().Input();
  fCursorX = std::clamp(fCursorX + input.MouseX(), 0, ScreenWidth - 1);
  fCursorY = std::clamp(fCursorY + input.MouseY(), 0, ScreenHeight - 1);
}

void TfrmTitleScreen::TitleTick() {
  IDisplay& display = fMain.Platform().Display();
  display.Fill(0);
  if (fBackgroundImage >= 0) fMain.Platform().ImageList().Draw(fBackgroundImage, 0, 0);
  if (fZones) fZones->DrawZones();
  Tvt6Engine& engine = *fMain.MainEngine();
  engine.DrawSprites();
  engine.AdvanceAll();

  UpdateCursor();
  if (Tvt6Sprite* cursor = fCursor.Get()) {
    // Drawn above at where the previous tick left it; a display that draws between
    // ticks shows it where the latest mouse motion puts the cursor.
    if (IFrameNotes* notes = display.FrameNotes()) {
      notes->SetPointer(fMain.Platform().Input(), fCursorX, fCursorY, ScreenWidth - 1,
                        ScreenHeight - 1);
      notes->FollowPointer(&engine, cursor->Serial, true, true, cursor->X, cursor->Y);
    }
    engine.SetLayer(*cursor, 1);
    cursor->X = fCursorX;
    cursor->Y = fCursorY;
  }
  TGameGlobals& globals = fMain.Globals;
  if (fZones) {
    fZones->MouseMove(this, LeftButton, fCursorY, fCursorX);
    if (globals.LeftButtonDown) fZones->MouseDown(this, LeftButton, fCursorY, fCursorX, NoShift);
    if (globals.LeftButtonReleased) {
      fZones->MouseUp(this, LeftButton, fCursorY, fCursorX, NoShift);
      globals.LeftButtonReleased = false;
    }
  }
  // A click that has just started a game or asked to quit is not overruled by the
  // high-score table.
  if (fShowNotice) DrawNotice(display);
  if (globals.GameState == gsTitle && !globals.QuitRequest && --globals.ScreenTimer < 0)
    fMain.ShowHighScores();
  display.Flip();
}

}  // namespace quellix
