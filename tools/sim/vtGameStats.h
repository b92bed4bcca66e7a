// What a run has come through, counted after every tick from the game's state alone.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/vtSpriteRef.h"

namespace quellix {
class TfrmMain;
class TGame;
}  // namespace quellix

namespace quellix::sim {

class TGameStats {
 public:
  int64_t Ticks = 0;      // since the program started, beneath the name window too
  int64_t PlayTicks = 0;  // in the playing state
  int32_t GamesStarted = 0;
  int32_t GamesOver = 0;
  int32_t ShipsLost = 0;
  int32_t Bombs = 0;  // set off

  // Counts the tick that has just run.
  void AfterTick(TfrmMain& main, TGame& game);

 private:
  void CountShipsLost(TfrmMain& main, TGame& game, uint8_t state);

  uint8_t fState = 0;
  int32_t fBombsHeld = 0;
  // The explosions of ships seen on the previous tick: a new one is a ship lost.
  std::vector<TSpriteRef> fExplosions;
  // The sides that had a ship after the previous tick.
  std::array<bool, 4> fHadShip{};
};

}  // namespace quellix::sim
