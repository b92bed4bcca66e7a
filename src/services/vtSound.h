// Sound effects by name from the sound list. Sounds are fire-and-forget and overlap
// freely; a switch turns every effect off, and StopAll silences whatever still plays.
#pragma once

#include <string_view>

#include "graphics/vtMedia.h"

namespace quellix {

class Tvt6AudioEngine {
 public:
  void SetSoundList(ISoundList* sounds) { fSounds = sounds; }
  void SetEnabled(bool enabled) { fEnabled = enabled; }
  bool Enabled() const { return fEnabled; }

  // Starts the named sound (letter case ignored) without waiting, when Enabled. An
  // unknown name, no sound list or Enabled off starts nothing and returns 0; otherwise
  // the playing copy, which the caller may keep to stop it (the shields' hum).
  TSoundInstance PlaySound(std::string_view name);
  // Stops that copy if it still plays.
  void StopSound(TSoundInstance instance);
  // Stops every sound of the device, whatever started it.
  void StopAll();

 private:
  bool fEnabled = false;
  ISoundList* fSounds = nullptr;
};

}  // namespace quellix
