// The display on an SDL renderer of 800 x 600 logical pixels. True colour: the palette
// operations have nothing to do. While a modal window is shown, Flip paints it over
// the frame just before presenting, so it stays on top of the game drawn beneath.
#pragma once

#include <SDL.h>

#include "graphics/vtPlatform.h"
#include "media/vtSdlCanvas.h"

namespace quellix::media {

class TSdlDisplay : public IDisplay {
 public:
  TSdlDisplay(SDL_Renderer* renderer, TFontCatalog& fonts);

  void Fill(TColor color) override;
  void FillRect(const TRect& rect, TColor color) override;
  ITextCanvas& Canvas() override { return fCanvas; }
  void Flip() override;

  // The window painted over every flipped frame; null for none.
  void SetOverlay(IModalWindow* window) { fOverlay = window; }
  IModalWindow* Overlay() const { return fOverlay; }

  SDL_Renderer* Renderer() const { return fRenderer; }
  TSdlCanvas& TextCanvas() { return fCanvas; }

 private:
  SDL_Renderer* fRenderer;
  TSdlCanvas fCanvas;
  IModalWindow* fOverlay = nullptr;
  bool fFlipped = false;
};

}  // namespace quellix::media
