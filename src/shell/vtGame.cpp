#include "shell/vtGame.h"

#include "shell/vtMainWindow.h"

namespace quellix {

TGame::TGame(TfrmMain& main)
    : Shrapnel(main.GameContext()),
      Enemies(main.GameContext(), Player, Shrapnel),
      Player(main.GameContext(), Enemies),
      Hole(main.GameContext(), Player, Enemies),
      Title(main),
      Options(main, Title),
      Watch(main),
      Replays(main, Title, Watch) {}

}  // namespace quellix
