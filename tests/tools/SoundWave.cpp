#include "SoundWave.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quellix::testing {

namespace {

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8u | uint32_t{b[at + 2]} << 16u |
         uint32_t{b[at + 3]} << 24u;
}
uint16_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8u);
}
bool Tag(std::span<const uint8_t> b, size_t at, const char* tag) {
  return std::memcmp(b.data() + at, tag, 4) == 0;
}

}  // namespace

int32_t TSoundWave::Peak() const {
  int32_t peak = 0;
  for (int16_t s : Samples) peak = std::max(peak, std::abs(int32_t{s}));
  return peak;
}

double TSoundWave::PeakDb() const {
  return 20 * std::log10(std::max(1, Peak()) / 32767.0);
}

double TSoundWave::Mean() const {
  double sum = 0;
  for (int16_t s : Samples) sum += s;
  return Samples.empty() ? 0 : sum / double(Samples.size());
}

TSoundWave ParseSoundWave(std::span<const uint8_t> b) {
  TSoundWave w;
  auto fail = [&](const char* why) {
    w.Fault = why;
    return w;
  };
  if (b.size() < 44) return fail("shorter than a WAVE header");
  if (!Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return fail("no RIFF WAVE header");
  if (U32(b, 4) != b.size() - 8) return fail("RIFF size does not match the item");
  if (!Tag(b, 12, "fmt ") || U32(b, 16) != 16) return fail("no 16-byte fmt chunk");
  if (U16(b, 20) != 1) return fail("not PCM");
  if (U16(b, 22) != 1) return fail("not mono");
  w.SampleRate = U32(b, 24);
  if (U16(b, 34) != 16) return fail("not 16 bits");
  if (U16(b, 32) != 2 || U32(b, 28) != w.SampleRate * 2)
    return fail("bad block align or byte rate");
  if (!Tag(b, 36, "data")) return fail("no data chunk");
  const uint32_t size = U32(b, 40);
  if (size != b.size() - 44 || size % 2 != 0) return fail("data size does not match the item");
  w.Samples.resize(size / 2);
  for (size_t i = 0; i < w.Samples.size(); ++i)
    w.Samples[i] = static_cast<int16_t>(U16(b, 44 + 2 * i));
  w.Valid = true;
  return w;
}

}  // namespace quellix::testing
