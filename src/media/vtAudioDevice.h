// The sound device behind SDL2_mixer. When it cannot be opened (no sound hardware, no
// driver) the game goes on silently; the log says so once.
#pragma once

#include <string>

#include "media/vtPlatformLog.h"

namespace quellix::media {

class TAudioDevice {
 public:
  // driver names SDL's audio driver to use ("dummy" plays in real time without
  // hardware); empty leaves the choice to SDL.
  TAudioDevice(TPlatformLog& log, const std::string& driver);
  ~TAudioDevice();
  TAudioDevice(const TAudioDevice&) = delete;
  TAudioDevice& operator=(const TAudioDevice&) = delete;

  bool Open() const { return fMixerOpen; }

 private:
  bool fSubsystem = false;
  bool fMixerOpen = false;
};

}  // namespace quellix::media
