// Helpers for the back end's tests: pictures and sounds made on the spot, archives of
// them in a temporary folder, and the dummy SDL drivers.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "graphics/vtArchive.h"
#include "media/vtSdlHandles.h"
#include "support/vtTempDir.h"

namespace quellix::testing {

// SDL's dummy video and audio drivers, so no test needs a screen or sound hardware.
void UseDummyDrivers();

// An opaque w x h picture whose pixel (x, y) has colour(x, y).
std::vector<uint8_t> Png(int w, int h, const std::function<TColor(int, int)>& colour);
// A mono 16-bit WAV of the given length in milliseconds (a quiet square wave).
std::vector<uint8_t> Wav(int milliseconds);

TImageItem ImageFields(const std::string& name, bool transparent = false, TColor key = 0);
TSoundItem SoundFields(const std::string& name, int32_t maxPlaying = 0, bool looped = false);

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace quellix::testing
