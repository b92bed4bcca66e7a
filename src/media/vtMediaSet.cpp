#include "media/vtMediaSet.h"

#include <SDL_ttf.h>

#include "base/vtStartupTrace.h"
#include "media/vtSdlError.h"

namespace quellix::media {

TTtfLibrary::TTtfLibrary() {
  if (TTF_Init() != 0) throw TSdlError("cannot start SDL2_ttf");
  TraceStartup("SDL2_ttf started");
}

TTtfLibrary::~TTtfLibrary() {
  TTF_Quit();
}

TMediaSet::TMediaSet(SDL_Renderer* renderer, TPlatformLog& log, const std::string& audioDriver,
                     bool soundLater)
    : Fonts(log),
      Display(renderer, Fonts),
      Images(renderer),
      Audio(log, audioDriver, soundLater),
      Sounds(Audio, log) {}

void TMediaSet::SetFilter(TFilter filter) {
  const SDL_ScaleMode mode = filter == TFilter::Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
  Images.SetScaleMode(mode);
  Display.TextCanvas().SetScaleMode(mode);
}

}  // namespace quellix::media
