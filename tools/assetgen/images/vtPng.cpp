#include "images/vtPng.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace quellix::assetgen {

namespace {

struct TSurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using TSurface = std::unique_ptr<SDL_Surface, TSurfaceFree>;

// An SDL stream that appends whatever is written to a byte vector.
size_t AppendWrite(SDL_RWops* rw, const void* data, size_t size, size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size * count);
  return count;
}
Sint64 AppendSize(SDL_RWops* rw) {
  return static_cast<Sint64>(static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1)->size());
}
Sint64 AppendSeek(SDL_RWops* rw, Sint64 offset, int whence) {
  // Only "where am I" is ever asked of an appending stream.
  if (offset == 0 && (whence == RW_SEEK_CUR || whence == RW_SEEK_END)) return AppendSize(rw);
  return -1;
}
size_t NoRead(SDL_RWops*, void*, size_t, size_t) {
  return 0;
}
int CloseAppend(SDL_RWops* rw) {
  SDL_FreeRW(rw);
  return 0;
}

}  // namespace

std::vector<uint8_t> EncodePng(const TCanvas& canvas) {
  std::vector<uint8_t> pixels = canvas.ToRgba8();
  TSurface surface(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), canvas.Width(),
                                                      canvas.Height(), 32, canvas.Width() * 4,
                                                      SDL_PIXELFORMAT_RGBA32));
  if (!surface) throw std::runtime_error(std::string("cannot make a surface: ") + SDL_GetError());
  std::vector<uint8_t> png;
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) throw std::runtime_error(std::string("cannot make a stream: ") + SDL_GetError());
  rw->size = AppendSize;
  rw->seek = AppendSeek;
  rw->read = NoRead;
  rw->write = AppendWrite;
  rw->close = CloseAppend;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = &png;
  if (IMG_SavePNG_RW(surface.get(), rw, 1) != 0)
    throw std::runtime_error(std::string("cannot encode PNG: ") + IMG_GetError());
  return png;
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
