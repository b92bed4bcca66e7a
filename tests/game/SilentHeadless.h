// Options of the headless back end for whole-game tests: the data folder given, no
// video device and no sound device.
#pragma once

#include <SDL.h>

#include <string>

#include "media/vtHeadlessPlatform.h"

namespace quellix::testing {

inline media::THeadlessOptions Silent(const std::string& dir) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  media::THeadlessOptions options;
  options.ExeDir = dir;
  options.AudioDriver = "none";
  return options;
}

}  // namespace quellix::testing
