// Our PNG writer, read back by SDL2_image to the very pixels written, over pictures of
// every kind: one pixel, one row or column, noise, flat and graded colour, sprites on a
// transparent ground, a few colours in stripes, rows that repeat far apart.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/vtRandom.h"
#include "media/vtPngWriter.h"
#include "media/vtSdlHandles.h"

namespace quellix::testing {
namespace {

struct TPicture {
  std::string Name;
  int Width, Height;
  std::vector<uint8_t> Rgba;
};

TPicture MakePicture(std::string name, int w, int h, TRandom& random, int kind) {
  TPicture p{std::move(name), w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4)};
  uint8_t palette[4][4];
  for (auto& colour : palette)
    for (uint8_t& c : colour) c = static_cast<uint8_t>(random(256));
  const int period = 1 + random(40);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* px = &p.Rgba[(static_cast<size_t>(y) * w + x) * 4];
      const int dx = x - w / 2, dy = y - h / 2, r = std::min(w, h) / 3;
      switch (kind) {
        case 0:  // noise
          for (int c = 0; c < 4; ++c) px[c] = static_cast<uint8_t>(random(256));
          break;
        case 1:  // flat
          std::memcpy(px, palette[0], 4);
          break;
        case 2:  // graded, opaque
          px[0] = static_cast<uint8_t>(x * 3 + y), px[1] = static_cast<uint8_t>(x * y / 7);
          px[2] = static_cast<uint8_t>(255 - y * 2), px[3] = 255;
          break;
        case 3: {  // a disc with a soft edge on a transparent ground
          const int d2 = dx * dx + dy * dy, edge = (r + 2) * (r + 2);
          const int alpha = d2 >= edge ? 0 : d2 <= r * r ? 255 : 255 * (edge - d2) / (edge - r * r);
          std::memcpy(px, palette[(x / 5 + y / 7) % 2], 3);
          px[3] = static_cast<uint8_t>(alpha);
          if (alpha == 0) px[0] = px[1] = px[2] = 0;
          break;
        }
        case 4:  // a few colours in stripes
          std::memcpy(px, palette[(x / 3 + y / 5) % 4], 4);
          break;
        default:  // noisy rows that come again every `period` rows
          const uint32_t v = static_cast<uint32_t>((y % period) * 7919 + x) * 2654435761u;
          for (int c = 0; c < 4; ++c) px[c] = static_cast<uint8_t>(v >> (8 * c));
      }
    }
  return p;
}

std::vector<TPicture> Pictures() {
  TRandom random(31);
  std::vector<TPicture> pictures;
  const int kinds = 6;
  for (int kind = 0; kind < kinds; ++kind) {
    const std::string k = std::to_string(kind);
    pictures.push_back(MakePicture("1x1 of kind " + k, 1, 1, random, kind));
    pictures.push_back(MakePicture("a row of kind " + k, 300, 1, random, kind));
    pictures.push_back(MakePicture("a column of kind " + k, 1, 300, random, kind));
    for (int i = 0; i < 6; ++i) {
      const int w = 1 + random(180), h = 1 + random(120);
      pictures.push_back(MakePicture(std::to_string(w) + "x" + std::to_string(h) + " of kind " + k,
                                     w, h, random, kind));
    }
  }
  // Larger than a stored block and than a block of tokens.
  pictures.push_back(MakePicture("noise, 256x256", 256, 256, random, 0));
  pictures.push_back(MakePicture("stripes, 400x300", 400, 300, random, 4));
  pictures.push_back(MakePicture("a disc, 300x300", 300, 300, random, 3));
  return pictures;
}

std::vector<uint8_t> DecodeRgba(const std::vector<uint8_t>& png, int& w, int& h) {
  media::TSurfacePtr decoded(
      IMG_LoadTyped_RW(SDL_RWFromConstMem(png.data(), static_cast<int>(png.size())), 1, "PNG"));
  if (!decoded) return {};
  media::TSurfacePtr rgba(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) return {};
  w = rgba->w, h = rgba->h;
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * w * 4],
                static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                static_cast<size_t>(w) * 4);
  return pixels;
}

TEST(PngWriter, SdlImageReadsBackEveryPixelWritten) {
  for (const TPicture& p : Pictures()) {
    SCOPED_TRACE(p.Name);
    const std::vector<uint8_t> png = media::EncodePngRgba(p.Rgba, p.Width, p.Height);
    int w = 0, h = 0;
    const std::vector<uint8_t> back = DecodeRgba(png, w, h);
    ASSERT_FALSE(back.empty()) << IMG_GetError();
    EXPECT_EQ(w, p.Width);
    EXPECT_EQ(h, p.Height);
    EXPECT_TRUE(back == p.Rgba);
    EXPECT_TRUE(media::EncodePngRgba(p.Rgba, p.Width, p.Height) == png);
  }
}

TEST(PngWriter, FlatPicturesAreSmallAndWrongSizesAreRefused) {
  TRandom random(5);
  const TPicture flat = MakePicture("flat", 400, 300, random, 1);
  // 480,000 bytes; deflate's longest copy, 258 bytes, bounds the ratio near 1000:1.
  EXPECT_LT(media::EncodePngRgba(flat.Rgba, 400, 300).size(), 1200u);
  EXPECT_THROW(media::EncodePngRgba(flat.Rgba, 400, 299), std::invalid_argument);
  EXPECT_THROW(media::EncodePngRgba({}, 0, 0), std::invalid_argument);
}

}  // namespace
}  // namespace quellix::testing
