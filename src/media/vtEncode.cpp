#include "media/vtEncode.h"

#include <cstring>
#include <stdexcept>

#include "media/vtPngWriter.h"
#include "media/vtSdlError.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8u));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFFu);
  PutU16(out, v >> 16u);
}
void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<uint8_t> EncodePng(SDL_Surface* surface) {
  TSurfacePtr rgba(SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) throw TSdlError("cannot convert a picture for PNG");
  const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
  std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(rgba->h));
  for (int y = 0; y < rgba->h; ++y)
    std::memcpy(pixels.data() + rowBytes * static_cast<size_t>(y),
                static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                rowBytes);
  return EncodePngRgba(pixels, rgba->w, rgba->h);
}

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int32_t sampleRate,
                               int32_t channels) {
  // The RIFF sizes are 32-bit.
  if (samples.size() > (UINT32_MAX - 36) / 2)
    throw std::length_error("sound too long for a WAV file");
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2;
  std::vector<uint8_t> out;
  out.reserve(44 + dataSize);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataSize);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, static_cast<uint32_t>(channels));
  PutU32(out, static_cast<uint32_t>(sampleRate));
  PutU32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
  PutU16(out, blockAlign);
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataSize);
  for (int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace quellix::media
