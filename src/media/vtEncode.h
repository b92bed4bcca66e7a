// Encoders for the payloads of the archives: PNG and plain PCM WAV.
// Used by whatever makes archive items (the asset generator, tests, benchmarks).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

// The surface as PNG bytes; throws TSdlError when it cannot be converted.
std::vector<uint8_t> EncodePng(SDL_Surface* surface);

// 16-bit signed PCM samples (interleaved when channels > 1) as a RIFF/WAVE file.
std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int32_t sampleRate,
                               int32_t channels = 1);

}  // namespace quellix::media
