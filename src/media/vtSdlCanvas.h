// The display's text canvas on SDL2_ttf. The font's typeface is found through the
// font catalog; its pixel size is Height where above 0, else Size points at 96 dots per
// inch. Rendered texts are cached, so steady texts cost one texture copy a frame.
#pragma once

#include <SDL.h>

#include <map>
#include <tuple>

#include "graphics/vtMedia.h"
#include "media/vtFontCatalog.h"
#include "media/vtTextCache.h"

namespace quellix::media {

// The pixel size of a font: Height where above 0, else Size points at 96 dpi.
int32_t FontPixelSize(const TFont& font);

class TSdlCanvas : public ITextCanvas {
 public:
  static constexpr size_t CachedTexts = 512;

  TSdlCanvas(SDL_Renderer* renderer, TFontCatalog& fonts);

  void TextOut(int32_t x, int32_t y, std::string_view text) override;
  // A solid brush fills the clip rectangle, then the glyphs are drawn clipped to it.
  void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override;
  int32_t TextWidth(std::string_view text) override;
  int32_t TextHeight(std::string_view text) override;
  void Release() override;

  // How many texts were rasterised so far (the rest came from the cache).
  size_t Rasterised() const { return fCache.Rasterised(); }
  // How texts are filtered when drawn scaled; the texts made so far are made again.
  void SetScaleMode(SDL_ScaleMode mode);

 private:
  // The open face for the current Font; null when no typeface file exists.
  TTF_Font* CurrentFont(const std::string*& face);
  void DrawText(int32_t x, int32_t y, std::string_view text, bool fillBox);
  void FillBox(const SDL_Rect& box, TColor color);
  SDL_Point Measure(std::string_view text);

  SDL_Renderer* fRenderer;
  TFontCatalog& fFonts;
  TTextCache fCache{CachedTexts};
  SDL_ScaleMode fScaleMode = SDL_ScaleModeNearest;
  std::map<std::tuple<std::string, int32_t, uint8_t>, TFontPtr> fOpenFonts;
};

}  // namespace quellix::media
