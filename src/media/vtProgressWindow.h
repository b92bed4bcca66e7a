// The progress window shown while the game loads: a window of its own with the caption
// "Quellix", client area 300 x 326 centred on the desktop; a 300 x 300 picture on top
// (drawn here, no image file), a centred text line and a progress bar, 13 pixels each.
#pragma once

#include <SDL.h>

#include <string>
#include <string_view>

#include "media/vtFontCatalog.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

class TProgressWindow {
 public:
  static constexpr int Width = 300, PictureSize = 300, LineHeight = 13;
  static constexpr int Height = PictureSize + 2 * LineHeight;

  // Throws TSdlError when the window cannot be made.
  explicit TProgressWindow(TFontCatalog& fonts);

  void Show(std::string_view text, int32_t position, int32_t maximum);
  void Paint();
  uint32_t WindowId() const { return SDL_GetWindowID(fWindow.get()); }

 private:
  TWindowPtr fWindow;
  TRendererPtr fRenderer;
  TFontPtr fTitleFont, fLineFont;  // null when no typeface is installed at all
  std::string fText;
  int32_t fPosition = 0, fMaximum = 100;
};

// The splash picture: the game's name over a starburst, into area.
void DrawSplashPicture(SDL_Renderer* renderer, const SDL_Rect& area, TTF_Font* titleFont);

}  // namespace quellix::media
