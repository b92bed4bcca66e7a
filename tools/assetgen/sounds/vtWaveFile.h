// The RIFF WAVE container for the sound archive's items: 16-bit PCM, mono.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::assetgen {

std::vector<uint8_t> EncodeWave(std::span<const int16_t> samples, int32_t sampleRate);

}  // namespace quellix::assetgen
