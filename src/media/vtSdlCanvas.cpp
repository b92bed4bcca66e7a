#include "media/vtSdlCanvas.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

#include "media/vtSdlConvert.h"
#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

// Keeps a wild size from asking FreeType for gigantic glyphs.
constexpr int32_t MaxPixelSize = 400;
// Faces open at once; sizes beyond this are rare, so the set is simply renewed.
constexpr size_t MaxOpenFonts = 32;

int TtfStyle(uint8_t style) {
  int s = TTF_STYLE_NORMAL;
  if (style & fsBold) s |= TTF_STYLE_BOLD;
  if (style & fsItalic) s |= TTF_STYLE_ITALIC;
  if (style & fsUnderline) s |= TTF_STYLE_UNDERLINE;
  return s;
}

}  // namespace

int32_t FontPixelSize(const TFont& font) {
  const int64_t px = font.Height > 0 ? font.Height : std::llround(font.Size * 96.0 / 72.0);
  return static_cast<int32_t>(std::clamp<int64_t>(px, 1, MaxPixelSize));
}

TSdlCanvas::TSdlCanvas(SDL_Renderer* renderer, TFontCatalog& fonts)
    : fRenderer(renderer), fFonts(fonts) {}

TTF_Font* TSdlCanvas::CurrentFont(const std::string*& face) {
  face = &fFonts.FileFor(Font.Name);
  if (face->empty()) return nullptr;
  const auto key = std::make_tuple(*face, FontPixelSize(Font), Font.Style);
  if (auto it = fOpenFonts.find(key); it != fOpenFonts.end()) return it->second.get();
  if (fOpenFonts.size() >= MaxOpenFonts) {
    fCache.Clear();
    fOpenFonts.clear();
  }
  TFontPtr font(TTF_OpenFont(face->c_str(), std::get<1>(key)));
  if (!font) throw TSdlError("cannot open typeface " + *face);
  TTF_SetFontStyle(font.get(), TtfStyle(Font.Style));
  return fOpenFonts.emplace(key, std::move(font)).first->second.get();
}

SDL_Point TSdlCanvas::Measure(std::string_view text) {
  const std::string* face = nullptr;
  TTF_Font* font = CurrentFont(face);
  if (!font) return {0, 0};
  int w = 0, h = 0;
  if (text.empty()) return {0, TTF_FontHeight(font)};
  if (TTF_SizeUTF8(font, std::string(text).c_str(), &w, &h) != 0)
    throw TSdlError("cannot measure text");
  return {w, h};
}

void TSdlCanvas::SetScaleMode(SDL_ScaleMode mode) {
  fScaleMode = mode;
  fCache.Clear();
}

int32_t TSdlCanvas::TextWidth(std::string_view text) {
  return Measure(text).x;
}

int32_t TSdlCanvas::TextHeight(std::string_view text) {
  return Measure(text).y;
}

void TSdlCanvas::FillBox(const SDL_Rect& box, TColor color) {
  const SDL_Color c = ToSdlColor(color);
  SDL_SetRenderDrawBlendMode(fRenderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(fRenderer, c.r, c.g, c.b, 255);
  SDL_RenderFillRect(fRenderer, &box);
}

void TSdlCanvas::DrawText(int32_t x, int32_t y, std::string_view text, bool fillBox) {
  const std::string* face = nullptr;
  TTF_Font* font = CurrentFont(face);
  if (!font || text.empty() || x >= ScreenWidth || y >= ScreenHeight) return;
  const std::string key =
      TTextCache::Key(text, *face, FontPixelSize(Font), Font.Style, Font.Color & 0xFFFFFFu);
  const TRenderedText& rendered = fCache.Get(key, [&] {
    TSurfacePtr surface(
        TTF_RenderUTF8_Blended(font, std::string(text).c_str(), ToSdlColor(Font.Color)));
    if (!surface) throw TSdlError("cannot render text");
    TRenderedText r;
    r.Texture.reset(SDL_CreateTextureFromSurface(fRenderer, surface.get()));
    if (!r.Texture) throw TSdlError("cannot make a text texture");
    SDL_SetTextureBlendMode(r.Texture.get(), SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(r.Texture.get(), fScaleMode);
    r.Width = surface->w;
    r.Height = surface->h;
    return r;
  });
  // Off-screen texts stop here, before SDL's int arithmetic could overflow on them.
  if (int64_t{x} + rendered.Width <= 0 || int64_t{y} + rendered.Height <= 0) return;
  const SDL_Rect box{x, y, rendered.Width, rendered.Height};
  if (fillBox) FillBox(box, Brush.Color);
  SDL_RenderCopy(fRenderer, rendered.Texture.get(), nullptr, &box);
}

void TSdlCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  DrawText(x, y, text, Brush.Style == TBrushStyle::Solid);
}

void TSdlCanvas::TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) {
  const SDL_Rect box = ClipToScreen(clip);
  if (SDL_RectEmpty(&box)) return;
  if (Brush.Style == TBrushStyle::Solid) FillBox(box, Brush.Color);
  SDL_RenderSetClipRect(fRenderer, &box);
  struct TUnclip {
    SDL_Renderer* Renderer;
    ~TUnclip() { SDL_RenderSetClipRect(Renderer, nullptr); }
  } unclip{fRenderer};
  DrawText(x, y, text, false);
}

void TSdlCanvas::Release() {
  SDL_RenderSetClipRect(fRenderer, nullptr);
}

}  // namespace quellix::media
