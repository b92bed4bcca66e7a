// Quellix in a browser page: the entry of quellix.js. The page has preloaded the data
// and the browser's storage before main runs; main only makes the game and hands it to
// the browser's animation frames, which drive it from then on (main returns at once: a
// page may not block). The page passes `--replay FILE` for ?replay= and `--motion STYLE`
// for ?motion=, nothing else.
#include <emscripten/emscripten.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/vtCommandLine.h"
#include "web/vtPage.h"
#include "web/vtWebGame.h"

namespace {

std::unique_ptr<quellix::web::TWebGame> game;

void AnimationFrame() {
  if (game && !game->Frame()) emscripten_cancel_main_loop();
}

}  // namespace

int main(int argc, char** argv) {
  // Set before the window's renderer is made: its vsync sets the loop's timing.
  emscripten_set_main_loop(AnimationFrame, 0, 0);
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    game = std::make_unique<quellix::web::TWebGame>(quellix::ParseCommandLine(args));
  } catch (const std::exception& e) {
    emscripten_cancel_main_loop();
    quellix::web::PageFatal(std::string("Quellix cannot start: ") + e.what());
  }
  return 0;
}
