// The units the main window drives from its tick: the title screen, which the shell
// builds, and the game's player and hole.
#pragma once

#include "game/vtGameUnits.h"

namespace quellix {

class ITitleScreen {
 public:
  virtual ~ITitleScreen() = default;
  virtual void SetupTitle() = 0;
  virtual void TitleTick() = 0;
};

struct TGameUnits {
  ITitleScreen* Title = nullptr;
  IPlayerUnit* Player = nullptr;
  IHoleUnit* Hole = nullptr;
};

}  // namespace quellix
