// The units the main window drives from its tick: the title screen and the menus, which
// the shell builds, and the game's player and hole.
#pragma once

#include <cstdint>

#include "game/vtGameUnits.h"
#include "graphics/vtPlatform.h"

namespace quellix {

class ITitleScreen {
 public:
  virtual ~ITitleScreen() = default;
  virtual void SetupTitle() = 0;
  virtual void TitleTick() = 0;
};

// A screen of its own game state beside the title (the options, the kept games, a
// replay being watched): a tick of drawing and input every 40 ms, and the keys and mouse
// buttons as they come, which it takes instead of the game's own key handling.
class IScreen {
 public:
  virtual ~IScreen() = default;
  virtual void ScreenTick() = 0;
  virtual void KeyUp(int32_t key) = 0;
  virtual void MouseButton(TMouseButton button, bool down) = 0;
};

// A menu of the title, set up each time it is entered.
class IMenuScreen : public IScreen {
 public:
  virtual void Enter() = 0;
};

// The kept games as the high-score screen shows them: a mark on every row whose game is
// kept, and a cursor to choose one and watch it.
class ITableGames {
 public:
  virtual ~ITableGames() = default;
  // The table screen has just been set up.
  virtual void TableShown() = 0;
  // Each tick of the table screen, after the table is drawn and before the flip.
  virtual void TableTick() = 0;
};

struct TGameUnits {
  ITitleScreen* Title = nullptr;
  IPlayerUnit* Player = nullptr;
  IHoleUnit* Hole = nullptr;
  IMenuScreen* Options = nullptr;
  IMenuScreen* Replays = nullptr;
  IScreen* Watch = nullptr;
  ITableGames* TableGames = nullptr;
};

}  // namespace quellix
