// Reading a sound archive item back: a RIFF WAVE of 16-bit PCM, checked field by field.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quellix::testing {

struct TSoundWave {
  bool Valid = false;
  std::string Fault;  // why it is not valid
  uint32_t SampleRate = 0;
  std::vector<int16_t> Samples;

  double Seconds() const { return SampleRate == 0 ? 0 : double(Samples.size()) / SampleRate; }
  int32_t Peak() const;
  double PeakDb() const;  // below full scale (32767)
  double Mean() const;
};

// Accepts only what the generator promises: "RIFF" with the right size, "WAVE", a 16-byte
// PCM "fmt " chunk for one channel of 16 bits, and a "data" chunk that ends the file.
TSoundWave ParseSoundWave(std::span<const uint8_t> bytes);

}  // namespace quellix::testing
