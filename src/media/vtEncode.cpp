#include "media/vtEncode.h"

#include <SDL_image.h>

#include <cstring>
#include <stdexcept>

#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

// An SDL_RWops that writes into a growing byte vector (SDL has only fixed buffers).
struct TVectorSink {
  std::vector<uint8_t>* Out;
  size_t Pos;
};

TVectorSink& SinkOf(SDL_RWops* rw) {
  return *static_cast<TVectorSink*>(rw->hidden.unknown.data1);
}

Sint64 SinkSize(SDL_RWops* rw) {
  return static_cast<Sint64>(SinkOf(rw).Out->size());
}

Sint64 SinkSeek(SDL_RWops* rw, Sint64 offset, int whence) {
  TVectorSink& s = SinkOf(rw);
  Sint64 base = 0;
  if (whence == RW_SEEK_CUR) base = static_cast<Sint64>(s.Pos);
  if (whence == RW_SEEK_END) base = static_cast<Sint64>(s.Out->size());
  const Sint64 pos = base + offset;
  if (pos < 0) return SDL_SetError("seek before the start");
  s.Pos = static_cast<size_t>(pos);
  return pos;
}

size_t SinkRead(SDL_RWops*, void*, size_t, size_t) {
  SDL_SetError("write-only stream");
  return 0;
}

size_t SinkWrite(SDL_RWops* rw, const void* data, size_t size, size_t count) {
  TVectorSink& s = SinkOf(rw);
  const size_t n = size * count;
  if (s.Pos + n > s.Out->size()) s.Out->resize(s.Pos + n);
  std::memcpy(s.Out->data() + s.Pos, data, n);
  s.Pos += n;
  return count;
}

int SinkClose(SDL_RWops* rw) {
  SDL_FreeRW(rw);
  return 0;
}

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
  std::vector<uint8_t> out;
  TVectorSink sink{&out, 0};
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) throw TSdlError("cannot make a PNG stream");
  rw->size = SinkSize;
  rw->seek = SinkSeek;
  rw->read = SinkRead;
  rw->write = SinkWrite;
  rw->close = SinkClose;
  rw->hidden.unknown.data1 = &sink;
  if (IMG_SavePNG_RW(surface, rw, 1) != 0) throw TSdlError("cannot encode PNG");
  return out;
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
