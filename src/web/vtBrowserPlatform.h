// The game's platform in a browser page: the SDL platform on the page's canvas (an
// 800 x 600 window that the page scales), driven by the browser's animation frames
// instead of a loop of its own. The page decides when the game runs: while it is
// visible, the player has clicked to play and the pointer is locked to the game (a
// replay needs no lock); losing the lock or hiding the tab stops the frame timer as
// losing the focus does on the desktop. The progress window is the page's loading bar
// and message boxes are dialogs in the page that do not wait.
//
// The page plays an installed game: the data lies in /quellix/share/quellix/ beside
// the "executable's" folder /quellix/bin/, so the user folder is the user's data folder,
// ~/.local/share/quellix/, which the page keeps in the browser's storage.
#pragma once

#include <string>

#include "media/vtSdlPlatform.h"

namespace quellix::web {

class TBrowserPlatform : public media::TSdlPlatform {
 public:
  static constexpr const char* ExeFolder = "/quellix/bin/";
  static constexpr const char* DataFolder = "/quellix/share/quellix/";

  // needsPointerLock: the game is played (not a replay watched).
  explicit TBrowserPlatform(bool needsPointerLock);

  std::string ExeDir() const override { return ExeFolder; }
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override;
  void FreeProgress() override {}
  void ShowMessage(std::string_view text) override;

  // One animation frame: whether the game runs now, then the SDL platform's frame.
  void AnimationFrame();

 protected:
  void WindowFocus(bool) override {}
  // The page switches full screen on the key itself: a request must come from the key's
  // own event, and the game hears of it only at the next frame.
  void SwitchScreenMode() override {}
  // The page sizes and places the canvas.
  void PlaceWindow() override {}

 private:
  bool fNeedsPointerLock;
};

}  // namespace quellix::web
