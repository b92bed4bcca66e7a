#include "shell/vtMenuScreen.h"

#include "engine/vtEngine.h"
#include "game/vtAssetNames.h"
#include "graphics/vtAnimationEngine.h"
#include "shell/vtMainWindow.h"
#include "shell/vtMenuLook.h"
#include "shell/vtTitleScreen.h"

namespace quellix {

namespace {

constexpr int32_t HeadingTop = 28;
constexpr int32_t SayTop = 530;
constexpr int32_t HintTop = 566;
constexpr int32_t SayTicks = 75;

void Centred(ITextCanvas& canvas, int32_t y, const std::string& text, const TFont& font) {
  canvas.Font = font;
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.TextOut(ScreenWidth / 2 - canvas.TextWidth(text) / 2, y, text);
}

}  // namespace

TMenuScreen::TMenuScreen(TfrmMain& main, TfrmTitleScreen& title, std::string heading,
                         TMenuList list)
    : fMain(main), fTitle(title), fList(std::move(list)), fHeading(std::move(heading)) {}

int32_t TMenuScreen::ImageOf(std::string_view scene) const {
  Tvt6Engine& engine = *fMain.MainEngine();
  const Tvt6Scene* found = engine.AnimationEngine()->GetScene(reels::TitleScreen, scene);
  const Tvt6Frame* frame = found ? found->Frame(0) : nullptr;
  return frame ? engine.ImageList()->IndexOf(frame->ImageName) : -1;
}

void TMenuScreen::Open() {
  fState = fMain.Globals.GameState;
  fBackground = ImageOf(scenes::Menu);
  fCursorImage = ImageOf(scenes::Mouse);
  fPointerLeads = fLeftHeld = fLeftPressedHere = fRightPressedHere = false;
  fSaid.clear();
  fSayTicks = 0;
  fList.SetRows(MakeRows());
  fList.Choose(0);
}

void TMenuScreen::Say(std::string text, bool warning) {
  fSaid = std::move(text);
  fSaidWarning = warning;
  fSayTicks = SayTicks;
}

void TMenuScreen::Back() {
  fMain.BackToTitle();
}

void TMenuScreen::FollowPointer() {
  const IInput& input = fMain.Platform().Input();
  fTitle.UpdateCursor();
  if (input.MouseX() == 0 && input.MouseY() == 0) return;
  fPointerLeads = true;
  const int32_t row = fList.RowAt(fTitle.CursorX(), fTitle.CursorY());
  if (row >= 0) fList.Choose(row);
}

void TMenuScreen::Click() {
  if (!fPointerLeads) {
    if (fList.Chosen() >= 0) Take(fList.Chosen(), -1);
    return;
  }
  const int32_t row = fList.RowAt(fTitle.CursorX(), fTitle.CursorY());
  if (row >= 0) Take(row, fList.ColumnAt(fTitle.CursorX()));
}

void TMenuScreen::ScreenTick() {
  TGameGlobals& globals = fMain.Globals;
  Ticked();
  fList.SetRows(MakeRows());
  FollowPointer();
  // A click is a press and its release on this screen, neither while busy.
  if (globals.LeftButtonDown && !fLeftHeld) {
    fLeftHeld = true;
    fLeftPressedHere = !Busy();
  }
  if (globals.LeftButtonReleased) {
    globals.LeftButtonReleased = false;
    fLeftHeld = false;
    const bool click = fLeftPressedHere && !Busy();
    fLeftPressedHere = false;
    if (click) Click();
  }
  // Taking a row may have left the screen; the next screen draws its own frame.
  if (fMain.Globals.GameState != fState) return;

  IDisplay& display = fMain.Platform().Display();
  display.Fill(0);
  IImageList& images = fMain.Platform().ImageList();
  if (fBackground >= 0) images.Draw(fBackground, 0, 0);
  fList.SetRows(MakeRows());
  DrawMore(display);
  fList.Draw(display);
  DrawTexts(display);
  if (fCursorImage >= 0) images.Draw(fCursorImage, fTitle.CursorX(), fTitle.CursorY());
  if (fSayTicks > 0) --fSayTicks;
  display.Flip();
}

void TMenuScreen::DrawTexts(IDisplay& display) {
  ITextCanvas& canvas = display.Canvas();
  Centred(canvas, HeadingTop, fHeading, MenuLook::Font(26, MenuLook::Heading));
  if (fSayTicks > 0)
    Centred(canvas, SayTop, fSaid,
            MenuLook::Font(12, fSaidWarning ? MenuLook::Warning : MenuLook::LitText));
  Centred(canvas, HintTop, Hint(), MenuLook::Font(10, MenuLook::Dim));
  canvas.Release();
}

void TMenuScreen::KeyUp(int32_t key) {
  if (TakeKey(key)) return;
  if (fList.Navigate(key)) {
    fPointerLeads = false;
    return;
  }
  if (key == VK_ESCAPE) {
    Back();
  } else if (key == VK_RETURN && fList.Chosen() >= 0) {
    Take(fList.Chosen(), -1);
  }
}

void TMenuScreen::MouseButton(TMouseButton button, bool down) {
  if (button != TMouseButton::Right) return;
  if (down) {
    fRightPressedHere = !Busy();
  } else if (fRightPressedHere && !Busy()) {
    fRightPressedHere = false;
    Back();
  }
}

}  // namespace quellix
