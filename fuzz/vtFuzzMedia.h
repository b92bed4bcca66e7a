// The headless back end for the targets that go through the real image and sound
// lists: one per process, with SDL's dummy drivers, and pictures and sounds made here
// to build archives from.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "media/vtEncode.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlHandles.h"
#include "vtFuzzSupport.h"

namespace quellix::fuzz {

inline media::THeadlessPlatform& Headless() {
  static media::THeadlessPlatform* platform = [] {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    media::THeadlessOptions options;
    options.AudioDriver = "dummy";
    return new media::THeadlessPlatform(options);
  }();
  return *platform;
}

// A PNG of the size given, a gradient with an alpha channel.
inline std::vector<uint8_t> SomePng(int w, int h) {
  media::TSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32));
  auto* pixels = static_cast<uint32_t*>(surface->pixels);
  for (int i = 0; i < w * h; ++i)
    pixels[i] = 0x80000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
  return media::EncodePng(surface.get());
}

// A short WAV: a tenth of a second of a square wave.
inline std::vector<uint8_t> SomeWav() {
  std::vector<int16_t> samples(2205);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 50) % 2 ? 8000 : -8000;
  return media::EncodeWav(samples, 22050);
}

// Loads `list` (the image or the sound list) from a file made of the fuzzer's bytes: the
// bytes after the first as the whole file when the first is even, else the archive that
// build makes of them. Refusing the file with an error is an expected outcome; the list
// keeps what it had.
template <class TList, class TBuild>
void LoadArchive(TList& list, const uint8_t* data, size_t size, const char* name, TBuild build) {
  TByteReader in({data + 1, size - 1});
  const std::vector<uint8_t> file =
      data[0] % 2 ? build(in) : std::vector<uint8_t>(data + 1, data + size);
  const std::string path = ScratchFile(name);
  WriteFile(path, file);
  try {
    list.LoadFromFile(path);
  } catch (const std::exception&) {
  }
}

}  // namespace quellix::fuzz
