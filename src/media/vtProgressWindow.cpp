#include "media/vtProgressWindow.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/vtStartupTrace.h"
#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

constexpr SDL_Color FormColor{240, 240, 240, 255};
constexpr SDL_Color TextColor{0, 0, 0, 255};
constexpr SDL_Color BarColor{0, 120, 215, 255};
constexpr SDL_Color BarFrame{188, 188, 188, 255};
constexpr double Pi = 3.14159265358979323846;

void SetColor(SDL_Renderer* r, SDL_Color c) {
  SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
}

// Text centred on (cx, cy); nothing without a font.
void DrawCentred(SDL_Renderer* r, TTF_Font* font, const std::string& text, SDL_Color color, int cx,
                 int cy) {
  if (!font || text.empty()) return;
  TSurfacePtr surface(TTF_RenderUTF8_Blended(font, text.c_str(), color));
  if (!surface) return;
  TTexturePtr texture(SDL_CreateTextureFromSurface(r, surface.get()));
  if (!texture) return;
  const SDL_Rect box{cx - surface->w / 2, cy - surface->h / 2, surface->w, surface->h};
  SDL_RenderCopy(r, texture.get(), nullptr, &box);
}

SDL_Vertex Vertex(float x, float y, SDL_Color c) {
  return {{x, y}, c, {0, 0}};
}

}  // namespace

void DrawSplashPicture(SDL_Renderer* r, const SDL_Rect& area, TTF_Font* titleFont) {
  SDL_RenderSetClipRect(r, &area);
  // A night sky from deep violet at the top to midnight blue at the bottom.
  for (int y = 0; y < area.h; ++y) {
    const double t = static_cast<double>(y) / area.h;
    SDL_SetRenderDrawColor(r, static_cast<Uint8>(40 - 30 * t), static_cast<Uint8>(8 + 10 * t),
                           static_cast<Uint8>(70 + 30 * t), 255);
    SDL_RenderDrawLine(r, area.x, area.y + y, area.x + area.w - 1, area.y + y);
  }
  // The starburst: rays of alternating gold and flame around the name.
  const float cx = area.x + area.w / 2.0f, cy = area.y + area.h * 0.45f;
  const int rays = 28;
  const float reach = static_cast<float>(area.w);
  std::vector<SDL_Vertex> triangles;
  for (int i = 0; i < rays; ++i) {
    const double a = 2 * Pi * i / rays, half = Pi / rays * 0.55;
    const SDL_Color inner = i % 2 ? SDL_Color{255, 250, 210, 255} : SDL_Color{255, 230, 140, 255};
    const SDL_Color outer = i % 2 ? SDL_Color{255, 80, 20, 0} : SDL_Color{250, 170, 30, 0};
    triangles.push_back(Vertex(cx, cy, inner));
    triangles.push_back(Vertex(cx + reach * static_cast<float>(std::cos(a - half)),
                               cy + reach * static_cast<float>(std::sin(a - half)), outer));
    triangles.push_back(Vertex(cx + reach * static_cast<float>(std::cos(a + half)),
                               cy + reach * static_cast<float>(std::sin(a + half)), outer));
  }
  SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
  SDL_RenderGeometry(r, nullptr, triangles.data(), static_cast<int>(triangles.size()), nullptr, 0);
  // Stars on a golden-angle spiral: scattered, yet the same every time.
  for (int i = 1; i < 90; ++i) {
    const double a = i * 2.39996322972865332, d = std::sqrt(i / 90.0) * area.w * 0.7;
    const int x = static_cast<int>(cx + d * std::cos(a)),
              y = static_cast<int>(cy + d * std::sin(a));
    SDL_SetRenderDrawColor(r, 255, 255, 255, static_cast<Uint8>(120 + (i * 37) % 136));
    const SDL_Rect star{x, y, 1 + i % 2, 1 + i % 2};
    SDL_RenderFillRect(r, &star);
  }
  SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
  const int titleY = static_cast<int>(cy);
  DrawCentred(r, titleFont, "QUELLIX", {60, 10, 60, 255}, static_cast<int>(cx) + 3, titleY + 3);
  DrawCentred(r, titleFont, "QUELLIX", {255, 255, 255, 255}, static_cast<int>(cx), titleY);
  SDL_RenderSetClipRect(r, nullptr);
}

TProgressWindow::TProgressWindow(TFontCatalog& fonts) {
  fWindow.reset(SDL_CreateWindow("Quellix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width,
                                 Height, SDL_WINDOW_SHOWN | SDL_WINDOW_ALWAYS_ON_TOP));
  if (!fWindow) throw TSdlError("cannot make the progress window");
  // The window is drawn in software; SDL would show that through an OpenGL texture,
  // whose setting up costs more than all of the window's drawing. Straight through the
  // window system instead (SDL settles this at the first window drawn in software; the
  // player's own SDL_FRAMEBUFFER_ACCELERATION still wins).
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  fRenderer.reset(SDL_CreateRenderer(fWindow.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!fRenderer) throw TSdlError("cannot draw the progress window");
  const std::string& face = fonts.FallbackPath();
  if (!face.empty()) {
    fTitleFont.reset(TTF_OpenFont(face.c_str(), 58));
    fLineFont.reset(TTF_OpenFont(face.c_str(), 10));
  }
  TraceStartup("progress window made");
}

void TProgressWindow::Show(std::string_view text, int32_t position, int32_t maximum) {
  fText = text;
  fPosition = position;
  fMaximum = maximum;
  SDL_ShowWindow(fWindow.get());
  Paint();
}

void TProgressWindow::Paint() {
  SDL_Renderer* r = fRenderer.get();
  SetColor(r, FormColor);
  SDL_RenderClear(r);
  DrawSplashPicture(r, {0, 0, PictureSize, PictureSize}, fTitleFont.get());
  DrawCentred(r, fLineFont.get(), fText, TextColor, Width / 2, PictureSize + LineHeight / 2);

  const SDL_Rect frame{0, PictureSize + LineHeight, Width, LineHeight};
  SetColor(r, BarFrame);
  SDL_RenderDrawRect(r, &frame);
  const double part =
      fMaximum > 0 ? std::clamp(static_cast<double>(fPosition) / fMaximum, 0.0, 1.0) : 0.0;
  const SDL_Rect bar{1, frame.y + 1, static_cast<int>((Width - 2) * part), LineHeight - 2};
  SetColor(r, BarColor);
  if (bar.w > 0) SDL_RenderFillRect(r, &bar);
  SDL_RenderPresent(r);
}

}  // namespace quellix::media
