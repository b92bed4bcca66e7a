// The game units a host drives from its tick, and what the units ask of each other: the
// player, the hole with its level progression, and the enemies' hit handlers. Each unit
// reaches the others only through these interfaces, so every unit can be run and tested
// with any set of the others.
#pragma once

#include <cstdint>

namespace quellix {

class Tvt6Sprite;
class Tvt6StarEngine;

enum class TDifficulty : uint8_t { Easy, Normal, Hard };

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
  // A ship for a homing enemy, searched from a random side; none when no ship exists.
  virtual Tvt6Sprite* ChooseTargetShip() = 0;
  // The player's values of a new game: shield energy, shot power, bombs, the spare
  // ships given, the heads-up rows, a new ship colour and every side unoccupied.
  virtual void ResetForNewGame(int32_t spareShips) = 0;
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
  // A new game at the chosen difficulty (child mode overrides it), entered in play.
  virtual void StartGame(TDifficulty difficulty) = 0;
};

// The enemies' side of a hit: a player hitter (shot, wave, shield or ship) touched a
// sprite of an enemy kind (3..14 or 18); the enemy's kind decides what happens.
class IEnemyHits {
 public:
  virtual ~IEnemyHits() = default;
  virtual void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) = 0;
};

}  // namespace quellix
