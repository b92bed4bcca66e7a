#include "media/vtSdlHandles.h"

#include "media/vtSdlError.h"

namespace quellix::media {

TSdlSubsystems::TSdlSubsystems(Uint32 flags) : fFlags(flags) {
  if (SDL_InitSubSystem(flags) != 0) throw TSdlError("cannot start SDL");
}

}  // namespace quellix::media
