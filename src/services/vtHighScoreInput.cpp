#include "services/vtHighScoreInput.h"

#include <algorithm>

#include "services/vtHighScoreName.h"

namespace quellix {

namespace {

// The caret shows for this many frames, then hides for as many (about half a second
// each at 25 frames a second).
constexpr uint32_t CaretFrames = 12;
// Where the name's text sits inside its field.
constexpr int32_t FieldMargin = 2;

}  // namespace

TFont TfrmEnterHighScore::WindowFont() {
  TFont font;
  font.Name = "Thehits";
  font.Height = 19;
  font.Color = TextColor;
  return font;
}

void TfrmEnterHighScore::TextInput(std::string_view text) {
  AppendToHighScoreName(fName, text);
}

void TfrmEnterHighScore::KeyDown(int32_t key) {
  if (key == VK_BACK) EraseLastCharacter(fName);
}

void TfrmEnterHighScore::KeyUp(int32_t key) {
  if (key == VK_RETURN) fModalResult = mrOk;
}

void TfrmEnterHighScore::Paint(IDisplay& display) {
  ITextCanvas& canvas = display.Canvas();
  try {
    PaintTexts(canvas, display);
  } catch (...) {
    canvas.Release();
    throw;
  }
  canvas.Release();
  ++fPaints;
}

void TfrmEnterHighScore::PaintTexts(ITextCanvas& canvas, IDisplay& display) {
  // Black is see-through: nothing is filled, only the glyphs are drawn.
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Brush.Color = 0;
  canvas.Pen.Color = TextColor;
  canvas.Font = WindowFont();
  canvas.TextOut(Left + 6, Top + 4, Greeting);
  canvas.TextOut(Left + 54, Top + 34, NameLabel);

  // Like a one-line edit box, the end of a name too long for the field stays in view.
  const TRect field =
      Bounds(Left + NameField.Left, Top + NameField.Top, NameField.Width(), NameField.Height());
  const int32_t textWidth = canvas.TextWidth(fName);
  const int32_t textX =
      std::min(field.Left + FieldMargin, field.Right - FieldMargin - 1 - textWidth);
  const int32_t textY = field.Top + FieldMargin;
  const int32_t textHeight = std::min(canvas.TextHeight(NameLabel), field.Bottom - textY);
  if (!fName.empty()) canvas.TextRect(field, textX, textY, fName);

  if ((fPaints / CaretFrames) % 2 == 0)
    display.FillRect(Bounds(textX + textWidth, textY, 1, textHeight), TextColor);
}

}  // namespace quellix
