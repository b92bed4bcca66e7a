#include "sounds/vtWaveFile.h"

#include <stdexcept>
#include <string_view>

namespace quellix::assetgen {

namespace {

void Put(std::vector<uint8_t>& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8u));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (unsigned shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

std::vector<uint8_t> EncodeWave(std::span<const int16_t> samples, int32_t sampleRate) {
  constexpr uint16_t channels = 1, bits = 16, blockAlign = channels * bits / 8;
  if (samples.size() > (UINT32_MAX - 36) / blockAlign)
    throw std::length_error("sound too long for a WAVE file");
  const auto dataSize = static_cast<uint32_t>(samples.size() * blockAlign);
  std::vector<uint8_t> out;
  out.reserve(44 + dataSize);
  Put(out, "RIFF");
  Put32(out, 36 + dataSize);
  Put(out, "WAVE");
  Put(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, static_cast<uint32_t>(sampleRate));
  Put32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bits);
  Put(out, "data");
  Put32(out, dataSize);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace quellix::assetgen
