#include "media/vtSdlDisplay.h"

#include "base/vtStartupTrace.h"
#include "media/vtSdlConvert.h"

namespace quellix::media {

TSdlDisplay::TSdlDisplay(SDL_Renderer* renderer, TFontCatalog& fonts)
    : fRenderer(renderer), fCanvas(renderer, fonts) {}

void TSdlDisplay::Fill(TColor color) {
  const SDL_Color c = ToSdlColor(color);
  SDL_SetRenderDrawColor(fRenderer, c.r, c.g, c.b, 255);
  SDL_RenderClear(fRenderer);
}

void TSdlDisplay::FillRect(const TRect& rect, TColor color) {
  const SDL_Rect box = ClipToScreen(rect);
  if (SDL_RectEmpty(&box)) return;
  const SDL_Color c = ToSdlColor(color);
  SDL_SetRenderDrawBlendMode(fRenderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(fRenderer, c.r, c.g, c.b, 255);
  SDL_RenderFillRect(fRenderer, &box);
}

void TSdlDisplay::Flip() {
  if (fOverlay) fOverlay->Paint(*this);
  fCanvas.Release();
  SDL_RenderPresent(fRenderer);
  if (!fFlipped) TraceStartup("first frame of the game shown");
  fFlipped = true;
}

}  // namespace quellix::media
