// The media objects both platforms share, drawing on whatever renderer the platform
// made: a window's, or a software renderer over a surface for headless runs.
// The renderer must outlive the set.
#pragma once

#include <SDL.h>

#include <string>

#include "graphics/vtDisplayMode.h"
#include "media/vtAudioDevice.h"
#include "media/vtFontCatalog.h"
#include "media/vtMouseInput.h"
#include "media/vtSdlDisplay.h"
#include "media/vtSdlImageList.h"
#include "media/vtSdlSoundList.h"

namespace quellix::media {

// SDL2_ttf's library, held open for as long as fonts are used.
class TTtfLibrary {
 public:
  TTtfLibrary();
  ~TTtfLibrary();
  TTtfLibrary(const TTtfLibrary&) = delete;
  TTtfLibrary& operator=(const TTtfLibrary&) = delete;
};

class TMediaSet {
 public:
  // soundLater: the sound device opens at the sound list's PrepareSounds (or first
  // Play) rather than now.
  TMediaSet(SDL_Renderer* renderer, TPlatformLog& log, const std::string& audioDriver,
            bool soundLater = false);

  // How pictures and texts are filtered when the picture is drawn scaled.
  void SetFilter(TFilter filter);

  TTtfLibrary Ttf;
  TFontCatalog Fonts;
  TSdlDisplay Display;
  TSdlImageList Images;
  TAudioDevice Audio;
  TSdlSoundList Sounds;
  TMouseInput Input;
};

}  // namespace quellix::media
