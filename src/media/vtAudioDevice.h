// The sound device behind SDL2_mixer. When it cannot be opened (no sound hardware, no
// driver) the game goes on silently; the log says so once. SDL's audio starts at
// construction; the device opens then too, or at the first Start when asked to wait
// (opening it starts the mixer's own thread, which a window just opening can do
// without).
#pragma once

#include <string>

#include "media/vtPlatformLog.h"

namespace quellix::media {

class TAudioDevice {
 public:
  // driver names SDL's audio driver to use ("dummy" plays in real time without
  // hardware); empty leaves the choice to SDL.
  TAudioDevice(TPlatformLog& log, const std::string& driver, bool openLater = false);
  ~TAudioDevice();
  TAudioDevice(const TAudioDevice&) = delete;
  TAudioDevice& operator=(const TAudioDevice&) = delete;

  // Opens the device and its mixer, the first time only.
  void Start();
  bool Started() const { return fStarted; }
  bool Open() const { return fMixerOpen; }

 private:
  TPlatformLog& fLog;
  std::string fProblem;  // why there is no sound
  bool fSubsystem = false;
  bool fStarted = false;
  bool fMixerOpen = false;
};

}  // namespace quellix::media
