// The game units the main window drives from its tick: the title screen, the player
// and the hole with its level progression. The main window reaches them only through
// these interfaces, so the game loop can be run and tested with any set of units.
#pragma once

#include <cstdint>

namespace quellix {

class Tvt6StarEngine;

class ITitleScreen {
 public:
  virtual ~ITitleScreen() = default;
  virtual void SetupTitle() = 0;
  virtual void TitleTick() = 0;
};

class IPlayerUnit {
 public:
  virtual ~IPlayerUnit() = default;
  virtual void UpdateControlPoint() = 0;
  virtual void RaiseShields() = 0;
  virtual void LowerShields() = 0;
  virtual void PlayerTick() = 0;
  virtual void DrawHud() = 0;
  virtual void LevelEndSnapshot() = 0;
  virtual void StartLevelShips() = 0;
  // Play goes on while a spare ship is left or a ship is on the screen.
  virtual bool GameContinues() const = 0;
};

class IHoleUnit {
 public:
  virtual ~IHoleUnit() = default;
  virtual void InitStars() = 0;
  virtual void CreateHole() = 0;
  virtual void SpawnStars() = 0;
  // The hole's own starfield, moved and drawn behind every playfield frame.
  virtual Tvt6StarEngine* Stars() = 0;
  // Next level number and every enemy kind's numbers grown for it.
  virtual void AdvanceLevel() = 0;
};

struct TGameUnits {
  ITitleScreen* Title = nullptr;
  IPlayerUnit* Player = nullptr;
  IHoleUnit* Hole = nullptr;
};

}  // namespace quellix
