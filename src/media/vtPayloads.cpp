#include "media/vtPayloads.h"

#include <SDL_image.h>

#include <cstring>
#include <string>

namespace quellix::media {

namespace {

constexpr uint32_t MinChannels = 1, MaxChannels = 8;
constexpr uint32_t MinSampleRate = 4000, MaxSampleRate = 384000;

[[noreturn]] void Fail(std::string_view file, std::string_view name, const std::string& what) {
  throw TArchiveError(std::string(file) + ": item \"" + std::string(name) + "\" " + what);
}

uint32_t LittleEndian32(const uint8_t* p) {
  return (uint32_t{p[3]} << 24u) | (uint32_t{p[2]} << 16u) | (uint32_t{p[1]} << 8u) | p[0];
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24u) | (uint32_t{p[1]} << 16u) | (uint32_t{p[2]} << 8u) | p[3];
}

// An SDL stream over the bytes; SDL refuses a zero length, so that is checked first.
SDL_RWops* OpenBytes(std::span<const uint8_t> bytes, std::string_view file, std::string_view name) {
  SDL_RWops* rw =
      bytes.empty() ? nullptr : SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) Fail(file, name, "is empty");
  return rw;
}

// The RIFF chunks, walked within the bytes: SDL trusts a data chunk's stated length
// and a format's sample rate enough to allocate by them, so both are checked first.
void CheckWaveHeader(std::span<const uint8_t> wav, std::string_view file, std::string_view name) {
  if (wav.size() < 12 || std::memcmp(wav.data(), "RIFF", 4) != 0 ||
      std::memcmp(wav.data() + 8, "WAVE", 4) != 0)
    Fail(file, name, "is not a RIFF/WAVE sound");
  bool format = false, data = false;
  for (size_t pos = 12; pos + 8 <= wav.size();) {
    const uint8_t* chunk = wav.data() + pos;
    const size_t length = LittleEndian32(chunk + 4);
    if (length > wav.size() - pos - 8) {
      if (std::memcmp(chunk, "data", 4) == 0 || std::memcmp(chunk, "fmt ", 4) == 0)
        Fail(file, name, "has a chunk running past its end");
      break;
    }
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16) Fail(file, name, "has a short format chunk");
      const uint32_t channels = chunk[10] | (chunk[11] << 8u);
      const uint32_t rate = LittleEndian32(chunk + 12);
      if (channels < MinChannels || channels > MaxChannels || rate < MinSampleRate ||
          rate > MaxSampleRate)
        Fail(file, name,
             "has an unplayable format (" + std::to_string(channels) + " channels at " +
                 std::to_string(rate) + " Hz)");
      format = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data = true;
    }
    pos += 8 + length + (length & 1u);
  }
  if (!format || !data) Fail(file, name, "lacks its format or data chunk");
}

}  // namespace

TPictureSize ReadPngSize(std::span<const uint8_t> png, std::string_view file,
                         std::string_view name) {
  static constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 24 || std::memcmp(png.data(), Signature, 8) != 0 ||
      std::memcmp(png.data() + 12, "IHDR", 4) != 0)
    Fail(file, name, "is not a PNG picture");
  const uint32_t w = BigEndian32(png.data() + 16), h = BigEndian32(png.data() + 20);
  if (w == 0 || h == 0 || w > MaxPictureSide || h > MaxPictureSide)
    Fail(file, name, "has a bad picture size " + std::to_string(w) + " x " + std::to_string(h));
  return {static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

TSurfacePtr DecodePicture(std::span<const uint8_t> png, const TImageItem& fields,
                          std::string_view file) {
  ReadPngSize(png, file, fields.Name);
  TSurfacePtr decoded(IMG_LoadTyped_RW(OpenBytes(png, file, fields.Name), 1, "PNG"));
  if (!decoded) Fail(file, fields.Name, std::string("does not decode as PNG: ") + IMG_GetError());
  TSurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb) Fail(file, fields.Name, std::string("cannot be converted: ") + SDL_GetError());
  if (fields.Transparent) {
    // Exact colour match on the converted pixels; SDL's own colour key would go through
    // a palette's nearest entry for indexed pictures.
    const uint32_t key = (uint32_t{RedOf(fields.TransparentColor)} << 16u) |
                         (uint32_t{GreenOf(fields.TransparentColor)} << 8u) |
                         BlueOf(fields.TransparentColor);
    auto* row = static_cast<uint8_t*>(argb->pixels);
    for (int y = 0; y < argb->h; ++y, row += argb->pitch) {
      auto* pixel = reinterpret_cast<uint32_t*>(row);
      for (int x = 0; x < argb->w; ++x)
        if ((pixel[x] & 0xFFFFFFu) == key) pixel[x] = 0;
    }
  }
  return argb;
}

TChunkPtr DecodeWave(std::span<const uint8_t> wav, std::string_view name, std::string_view file,
                     bool mixerOpen) {
  CheckWaveHeader(wav, file, name);
  if (mixerOpen) {
    TChunkPtr chunk(Mix_LoadWAV_RW(OpenBytes(wav, file, name), 1));
    if (!chunk) Fail(file, name, std::string("does not decode as WAV: ") + Mix_GetError());
    return chunk;
  }
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(OpenBytes(wav, file, name), 1, &format, &buffer, &length))
    Fail(file, name, std::string("does not decode as WAV: ") + SDL_GetError());
  SDL_FreeWAV(buffer);
  return nullptr;
}

}  // namespace quellix::media
