#include "media/vtSdlError.h"

#include <SDL.h>

namespace quellix::media {

TSdlError::TSdlError(const std::string& what) : std::runtime_error(what + ": " + SDL_GetError()) {}

}  // namespace quellix::media
