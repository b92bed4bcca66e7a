// Starfish, spikes and spinners: kinds with nothing of their own but how they fly,
// which their traits choose. Starfish home in on a player ship from the hole (with no
// ship on the screen one waits at the hole); spikes and spinners fly one of their
// kind's patterns, round and round.
#pragma once

#include <cstdint>

#include "game/enemyunit.h"

namespace quellix {

class TPlainEnemyUnit : public TEnemyUnit {
 public:
  enum class TFlight : uint8_t { Pattern, HomeOnShip };

  // The kind is one of the three; others raise std::logic_error.
  TPlainEnemyUnit(const TEnemyContext& context, TEnemyKind kind, TCommonRecord& settings);

 protected:
  void Build(Tvt6Sprite& enemy) override;

 private:
  TFlight fFlight;
};

}  // namespace quellix
