#include "MediaTestSupport.h"

#include <SDL.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "media/vtEncode.h"
#include "media/vtSdlError.h"

namespace quellix::testing {

void UseDummyDrivers() {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
}

media::TSdlPlatformOptions WindowedOptions() {
  media::TSdlPlatformOptions options;
  options.Display.FullScreen = false;
  options.AudioDriver = "dummy";
  return options;
}

std::vector<uint8_t> Png(int w, int h, const std::function<TColor(int, int)>& colour) {
  media::TSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) throw media::TSdlError("test surface");
  for (int y = 0; y < h; ++y) {
    auto* row =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < w; ++x) {
      const TColor c = colour(x, y);
      row[x] = 0xFF000000u | (uint32_t{RedOf(c)} << 16u) | (uint32_t{GreenOf(c)} << 8u) | BlueOf(c);
    }
  }
  return media::EncodePng(surface.get());
}

std::vector<uint8_t> Wav(int milliseconds) {
  constexpr int Rate = 22050;
  std::vector<int16_t> samples(static_cast<size_t>(Rate) * milliseconds / 1000);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 50) % 2 ? 1000 : -1000;
  return media::EncodeWav(samples, Rate);
}

TImageItem ImageFields(const std::string& name, bool transparent, TColor key) {
  TImageItem item;
  item.Name = name;
  item.Transparent = transparent;
  item.TransparentColor = key;
  return item;
}

TSoundItem SoundFields(const std::string& name, int32_t maxPlaying, bool looped) {
  TSoundItem item;
  item.Name = name;
  item.MaxPlayingCount = maxPlaying;
  item.Looped = looped;
  return item;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TRecordingEvents::FormKeyUp(int32_t key) {
  Calls.push_back("keyup " + std::to_string(key));
  if (key == ThrowOnKey) throw std::runtime_error("key handler failed");
}

void TRecordingEvents::FormMouseDown(TMouseButton b) {
  Calls.push_back("down " + std::to_string(static_cast<int>(b)));
}

void TRecordingEvents::FormMouseUp(TMouseButton b) {
  Calls.push_back("up " + std::to_string(static_cast<int>(b)));
}

void TRecordingEvents::TimerEvent(int32_t) {
  ++Ticks;
  if (OnTick) OnTick(Ticks);
}

void TRecordingEvents::ApplicationException(const std::exception& e) {
  Calls.push_back(std::string("exception ") + e.what());
}

int TRecordingEvents::Count(const std::string& call) const {
  return static_cast<int>(std::count(Calls.begin(), Calls.end(), call));
}

}  // namespace quellix::testing
