// Owning handles for SDL objects, so every early return and exception frees them.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <memory>

namespace quellix::media {

struct TSdlDeleter {
  void operator()(SDL_Window* p) const { SDL_DestroyWindow(p); }
  void operator()(SDL_Renderer* p) const { SDL_DestroyRenderer(p); }
  void operator()(SDL_Texture* p) const { SDL_DestroyTexture(p); }
  void operator()(SDL_Surface* p) const { SDL_FreeSurface(p); }
  void operator()(TTF_Font* p) const { TTF_CloseFont(p); }
  void operator()(Mix_Chunk* p) const { Mix_FreeChunk(p); }
  void operator()(SDL_GameController* p) const { SDL_GameControllerClose(p); }
};

using TWindowPtr = std::unique_ptr<SDL_Window, TSdlDeleter>;
using TRendererPtr = std::unique_ptr<SDL_Renderer, TSdlDeleter>;
using TTexturePtr = std::unique_ptr<SDL_Texture, TSdlDeleter>;
using TSurfacePtr = std::unique_ptr<SDL_Surface, TSdlDeleter>;
using TFontPtr = std::unique_ptr<TTF_Font, TSdlDeleter>;
using TChunkPtr = std::unique_ptr<Mix_Chunk, TSdlDeleter>;
using TControllerPtr = std::unique_ptr<SDL_GameController, TSdlDeleter>;

// Holds SDL subsystems started for as long as it lives.
class TSdlSubsystems {
 public:
  explicit TSdlSubsystems(Uint32 flags);  // throws TSdlError
  ~TSdlSubsystems() { SDL_QuitSubSystem(fFlags); }
  TSdlSubsystems(const TSdlSubsystems&) = delete;
  TSdlSubsystems& operator=(const TSdlSubsystems&) = delete;

 private:
  Uint32 fFlags;
};

}  // namespace quellix::media
