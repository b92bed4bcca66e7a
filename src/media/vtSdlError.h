// SDL failures become exceptions that carry SDL's own message.
#pragma once

#include <stdexcept>
#include <string>

namespace quellix::media {

class TSdlError : public std::runtime_error {
 public:
  explicit TSdlError(const std::string& what);  // appends SDL_GetError()
};

}  // namespace quellix::media
