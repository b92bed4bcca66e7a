// The floor of start-up: what any program must spend to show the game's title, with
// nothing of the game in it. It starts what the game starts of SDL, opens the same
// window with the same renderer, clears and presents once, then writes the log line
// the game writes when its title appears, and waits to be closed.
// Usage: startup_floor RUN_DIR [--window]   (writes RUN_DIR/log.txt)
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s RUN_DIR [--window]\n", argv[0]);
    return 2;
  }
  const bool fullScreen = !(argc > 2 && std::strcmp(argv[2], "--window") == 0);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER | SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return 1;
  }
  const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN | SDL_WINDOW_OPENGL |
                       (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  SDL_Window* window =
      SDL_CreateWindow("Quellix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, flags);
  SDL_Renderer* renderer =
      window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC)
             : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "no window or renderer: %s\n", SDL_GetError());
    return 1;
  }
  SDL_RenderSetLogicalSize(renderer, 800, 600);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);

  // As the game's log writes a line: time stamp, message, separator, flushed.
  const std::string log = std::string(argv[1]) + "/log.txt";
  if (std::FILE* file = std::fopen(log.c_str(), "wb")) {
    std::fprintf(file, "0000-00-00 00:00:00\nGoing into Game Running Mode...\n-\n");
    std::fclose(file);
  }

  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
  }
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
