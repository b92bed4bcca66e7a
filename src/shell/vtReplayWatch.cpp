#include "shell/vtReplayWatch.h"

#include <algorithm>

#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtMenuLook.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtWatchPlatform.h"

namespace quellix {

namespace {

constexpr int32_t LineTop = 46;
constexpr int32_t HintTop = 66;
constexpr const char* PausedHint =
    "Space: go on   Right: one tick   Up, Down: speed   N: next level   Esc: back";

void Shadowed(ITextCanvas& canvas, int32_t y, const std::string& text, int32_t size,
              TColor colour) {
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Font = MenuLook::Font(size, 0);
  const int32_t x = ScreenWidth / 2 - canvas.TextWidth(text) / 2;
  canvas.TextOut(x + 1, y + 1, text);
  canvas.Font.Color = colour;
  canvas.TextOut(x, y, text);
}

}  // namespace

TReplayWatch::TReplayWatch(TfrmMain& main) : fMain(main) {}

TReplayWatch::~TReplayWatch() {
  End();
}

std::string TReplayWatch::Start(const std::string& path, std::function<void()> back) {
  End();
  fName = path;
  fPlatform = std::make_unique<TWatchPlatform>(
      fMain.Platform(), [this] { return fMain.Globals.SoundOn; },
      [this](IDisplay& display) { DrawLine(display); },
      [this](const std::string& text) { fMain.ErrorLog().Log("Watching: " + text); });
  fPlayer = std::make_unique<TReplayPlayer>(*fPlatform, path);
  fWatched = std::make_unique<TfrmMain>(*fPlayer);
  fWatched->Embed();
  fWatched->ChooseDataDir(fMain.Folders().DataDir);
  fWatched->AdoptGame(std::make_unique<TGame>(*fWatched));
  fPlayer->Attach(*fWatched);
  if (!fPlayer->Problem().empty()) {
    const std::string problem = fPlayer->Problem();
    fMain.ErrorLog().Log("Replay refused: " + problem);
    End();
    return problem;
  }
  fBack = std::move(back);
  fSpeed = 1;
  fPaused = fDrawOne = fRightPressed = fForwarding = false;
  fSkipFrom = fEndTicks = 0;
  fMain.ErrorLog().Log("Watching " + path);
  fMain.Globals.GameState = gsWatchReplay;
  return "";
}

void TReplayWatch::End() {
  fWatched.reset();
  fPlayer.reset();
  fPlatform.reset();
}

int64_t TReplayWatch::Tick() const {
  return fPlayer ? fPlayer->TicksPlayed() : 0;
}

int32_t TReplayWatch::Level() const {
  return fWatched ? fWatched->Globals.Level : 0;
}

bool TReplayWatch::RunTick(bool draw) {
  if (fPlayer->Done() || fPlatform->ModalAsked()) return false;
  fPlatform->SetDrawing(draw);
  fPlayer->TimerEvent(0);
  // The watched game's own lines join this game's log once its start-up is over.
  if (!fForwarding && fWatched->Globals.GameState != gsLoading) {
    fForwarding = true;
    fWatched->ErrorLog().SetForward(
        [this](const std::string& line) { fMain.ErrorLog().Log(line); });
  }
  return !fPlayer->Done() && !fPlatform->ModalAsked();
}

void TReplayWatch::ScreenTick() {
  if (!fPlayer) return;
  // A click of the first button (a controller's fire) pauses and goes on.
  if (fMain.Globals.LeftButtonReleased) {
    fMain.Globals.LeftButtonReleased = false;
    if (fEndTicks == 0) TogglePause();
  }
  if (fEndTicks > 0) {
    if (--fEndTicks == 0) Stop();
    return;
  }
  bool going = true;
  if (fSkipFrom > 0) {
    for (int32_t i = 0; i < SkipBudget && going && Level() <= fSkipFrom; ++i)
      going = RunTick(false);
    if (Level() > fSkipFrom) fSkipFrom = 0;
  } else if (fPaused) {
    if (fDrawOne) going = RunTick(true);
    fDrawOne = false;
  } else {
    for (int32_t i = 1; i <= fSpeed && going; ++i) going = RunTick(i == fSpeed);
  }
  if (going) return;
  if (fPlatform->ModalAsked())
    fMain.ErrorLog().Log("Watching stops at the name entry, which is not shown");
  fEndTicks = EndTicks;
}

void TReplayWatch::DrawLine(IDisplay& display) {
  ITextCanvas& canvas = display.Canvas();
  std::string line = "REPLAY   " + std::to_string(fSpeed) + "x   TICK " + std::to_string(Tick()) +
                     "   LEVEL " + std::to_string(Level());
  if (fPaused) line += "   PAUSED";
  if (fSkipFrom > 0) line += "   SKIPPING";
  Shadowed(canvas, LineTop, line, 12, MenuLook::LitText);
  if (fPaused) Shadowed(canvas, HintTop, PausedHint, 10, MenuLook::Text);
  canvas.Release();
}

void TReplayWatch::SetSpeed(int32_t speed) {
  fSpeed = std::clamp(speed, 1, MaxSpeed);
}

void TReplayWatch::TogglePause() {
  fPaused = !fPaused;
  // The picture says so at once: one more tick is shown.
  fDrawOne = fPaused;
}

void TReplayWatch::Step() {
  if (fPaused) fDrawOne = true;
}

void TReplayWatch::SkipLevel() {
  if (fPlayer && !fPlayer->Done()) fSkipFrom = std::max(1, Level());
}

void TReplayWatch::Stop() {
  if (!fPlayer) return;
  if (!fPlayer->Done())
    fMain.ErrorLog().Log("Watching stopped at tick " + std::to_string(Tick()) + " of " +
                         std::to_string(fPlayer->TickCount()));
  End();
  const std::function<void()> back = std::move(fBack);
  fBack = nullptr;
  if (back) back();
}

void TReplayWatch::KeyUp(int32_t key) {
  switch (key) {
    case VK_ESCAPE:
      Stop();
      break;
    case VK_SPACE:
    case VK_RETURN:
    case 'P':
      TogglePause();
      break;
    case VK_RIGHT:
    case PadKey(TPadButton::DpadRight):
      Step();
      break;
    case VK_UP:
    case PadKey(TPadButton::DpadUp):
      SetSpeed(fSpeed * 2);
      break;
    case VK_DOWN:
    case PadKey(TPadButton::DpadDown):
      SetSpeed(fSpeed / 2);
      break;
    case '1':
    case '2':
    case '4':
    case '8':
      SetSpeed(key - '0');
      break;
    case 'N':
    case VK_NEXT:
    case VK_TAB:
    case PadKey(TPadButton::RightShoulder):
      SkipLevel();
      break;
    default:
      break;
  }
}

void TReplayWatch::MouseButton(TMouseButton button, bool down) {
  if (button != TMouseButton::Right) return;
  if (down) {
    fRightPressed = true;
  } else if (fRightPressed) {
    fRightPressed = false;
    Stop();
  }
}

}  // namespace quellix
