#include "game/vtGame.h"

namespace quellix {

TGame::TGame(TfrmMain& main)
    : Shrapnel(main),
      Enemies(main, Player, Shrapnel),
      Player(main, Enemies),
      Hole(main, Player, Enemies),
      Title(main, Hole) {}

}  // namespace quellix
