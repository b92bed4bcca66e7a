// Quellix: the program's entry. The main window lives for the whole run; the
// platform's message loop delivers its events and its 40 ms ticks until it closes.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "game/vtGame.h"
#include "media/vtSdlPlatform.h"
#include "shell/vtMainWindow.h"

int main(int /*argc*/, char** /*argv*/) {
  try {
    quellix::media::TSdlPlatform platform;
    quellix::TfrmMain mainWindow(platform);
    mainWindow.AdoptGame(std::make_unique<quellix::TGame>(mainWindow));
    return platform.Run(mainWindow);
  } catch (const std::exception& e) {
    // Without a window there is no log file to tell the player why.
    const std::string message = std::string("Quellix cannot start: ") + e.what();
    std::fprintf(stderr, "%s\n", message.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quellix", message.c_str(), nullptr);
    return 1;
  }
}
