#include "services/vtHighScoreInput.h"

#include <algorithm>

namespace quellix {

namespace {

// The caret shows for this many frames, then hides for as many (about half a second
// each at 25 frames a second).
constexpr uint32_t CaretFrames = 12;
// Where the name's text sits inside its field.
constexpr int32_t FieldMargin = 2;

bool IsContinuation(unsigned char c) {
  return (c & 0xC0u) == 0x80u;
}

// Length of the well-formed UTF-8 sequence at text[p] and its code point, or 0 when
// the bytes there are not one (stray continuation, overlong form, surrogate, too big).
size_t DecodeUtf8(std::string_view text, size_t p, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[p]);
  size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80u) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0u) == 0xC0u) {
    length = 2, code = lead & 0x1Fu, min = 0x80;
  } else if ((lead & 0xF0u) == 0xE0u) {
    length = 3, code = lead & 0x0Fu, min = 0x800;
  } else if ((lead & 0xF8u) == 0xF0u) {
    length = 4, code = lead & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (p + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[p + i]);
    if (!IsContinuation(c)) return 0;
    code = (code << 6u) | (c & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsPrintable(char32_t code) {
  return code >= 0x20 && !(code >= 0x7F && code <= 0x9F);
}

}  // namespace

TFont TfrmEnterHighScore::WindowFont() {
  TFont font;
  font.Name = "Thehits";
  font.Height = 19;
  font.Color = TextColor;
  return font;
}

void TfrmEnterHighScore::TextInput(std::string_view text) {
  size_t p = 0;
  while (p < text.size()) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(text, p, code);
    if (length == 0) {
      ++p;
      continue;
    }
    if (IsPrintable(code)) fName.append(text.substr(p, length));
    p += length;
  }
}

void TfrmEnterHighScore::KeyDown(int32_t key) {
  if (key != VK_BACK || fName.empty()) return;
  // The name holds well-formed UTF-8 only, so the last character starts at the last
  // byte that is not a continuation byte.
  size_t start = fName.size() - 1;
  while (start > 0 && IsContinuation(static_cast<unsigned char>(fName[start]))) --start;
  fName.erase(start);
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
