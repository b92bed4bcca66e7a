// The game's state at one tick, small enough to keep in a text file: the state, the
// player's numbers, and one digest of every live sprite of both engines (its kind,
// position, life, reel, scene and frame). Two runs that agree on every checkpoint have
// played the same game.
#pragma once

#include <cstdint>
#include <string>

namespace quellix {
class TfrmMain;
class TGame;
}  // namespace quellix

namespace quellix::sim {

struct TCheckpoint {
  int64_t Tick = 0;
  int32_t State = 0;
  int32_t Score = 0;
  int32_t Level = 0;
  int32_t SpareShips = 0;
  int32_t ShieldEnergy = 0;
  int32_t EnemiesLeft = 0;
  int32_t Sprites = 0;  // live sprites on both engines
  uint64_t SpriteDigest = 0;

  bool operator==(const TCheckpoint&) const = default;
  // One line of "name value" pairs, read back by Parse.
  std::string Text() const;
  // Throws std::invalid_argument on a line that Text did not write.
  static TCheckpoint Parse(const std::string& line);
  // What differs from the other, say "score 120 instead of 130, sprites ...", empty
  // when nothing does.
  std::string Differences(const TCheckpoint& expected) const;
};

TCheckpoint TakeCheckpoint(TfrmMain& main, TGame& game, int64_t tick);

}  // namespace quellix::sim
