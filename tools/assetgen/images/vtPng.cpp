#include "images/vtPng.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "media/vtPngWriter.h"

namespace quellix::assetgen {

namespace {

struct TSurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using TSurface = std::unique_ptr<SDL_Surface, TSurfaceFree>;

}  // namespace

std::vector<uint8_t> EncodePng(const TCanvas& canvas) {
  return media::EncodePngRgba(canvas.ToRgba8(), canvas.Width(), canvas.Height());
}

TCanvas DecodePng(std::span<const uint8_t> png) {
  SDL_RWops* rw =
      png.empty() ? nullptr : SDL_RWFromConstMem(png.data(), static_cast<int>(png.size()));
  if (!rw) throw std::runtime_error("empty PNG");
  TSurface decoded(IMG_LoadTyped_RW(rw, 1, "PNG"));
  if (!decoded) throw std::runtime_error(std::string("bad PNG: ") + IMG_GetError());
  TSurface rgba(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) throw std::runtime_error(std::string("cannot convert PNG: ") + SDL_GetError());
  TCanvas canvas(rgba->w, rgba->h);
  for (int y = 0; y < rgba->h; ++y) {
    const auto* row =
        static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      const uint8_t* p = row + x * 4;
      const float a = p[3] / 255.0f;
      canvas.At(x, y) = {p[0] / 255.0f * a, p[1] / 255.0f * a, p[2] / 255.0f * a, a};
    }
  }
  return canvas;
}

}  // namespace quellix::assetgen
