// The window in which the player types a name for the high-score table. It is drawn
// over the running game: its black background is see-through, so only its two texts,
// the typed name and the caret show. Releasing Enter closes it; nothing else does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "graphics/vtPlatform.h"

namespace quellix {

enum TModalResult : uint8_t { mrNone = 0, mrOk = 1 };

class TfrmEnterHighScore : public IModalWindow {
 public:
  static constexpr int32_t ClientWidth = 430;
  static constexpr int32_t ClientHeight = 68;
  // Centred on the main window.
  static constexpr int32_t Left = (ScreenWidth - ClientWidth) / 2;
  static constexpr int32_t Top = (ScreenHeight - ClientHeight) / 2;
  static constexpr std::string_view Greeting = "Congratulations!  You have a high score.";
  static constexpr std::string_view NameLabel = "Name:";
  static constexpr TColor TextColor = 15841603;
  // The name field edtName, in client coordinates.
  static constexpr TRect NameField = Bounds(128, 32, 225, 32);

  // Appends the typed characters (vtHighScoreName.h); control characters and malformed
  // UTF-8 are dropped.
  void TextInput(std::string_view text) override;
  // Backspace removes the last character.
  void KeyDown(int32_t key) override;
  // Enter closes the window with mrOk.
  void KeyUp(int32_t key) override;
  void Paint(IDisplay& display) override;
  bool Closed() const override { return fModalResult != mrNone; }

  // The name as typed: no length limit, not trimmed.
  const std::string& NameText() const { return fName; }
  TModalResult ModalResult() const { return fModalResult; }

  // The window's text style: typeface "Thehits", 19 pixels high, clear background.
  static TFont WindowFont();

 private:
  void PaintTexts(ITextCanvas& canvas, IDisplay& display);

  std::string fName;
  TModalResult fModalResult = mrNone;
  uint32_t fPaints = 0;  // drives the caret's blinking
};

}  // namespace quellix
