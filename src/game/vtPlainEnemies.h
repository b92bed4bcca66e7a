// Starfish, spikes and spinners: kinds with nothing of their own but how they fly,
// which their traits choose. Starfish home in on a player ship from the hole (with no
// ship on the screen one waits at the hole); spikes and spinners fly one of their
// kind's patterns, round and round.
#pragma once

#include <cstdint>

#include "game/vtEnemyUnit.h"
#include "game/vtSpriteKinds.h"

namespace quellix {

enum class TEnemyFlight : uint8_t { Pattern, HomeOnShip };

struct TPlainEnemyTraits {
  TEnemyTraits Traits;
  TEnemyFlight Flight;
};

inline constexpr TPlainEnemyTraits StarfishTraits{{TEnemyKind::Starfish, kinds::Starfish, 50},
                                                  TEnemyFlight::HomeOnShip};
inline constexpr TPlainEnemyTraits SpikesTraits{{TEnemyKind::Spikes, kinds::Spike, 300},
                                                TEnemyFlight::Pattern};
inline constexpr TPlainEnemyTraits SpinnersTraits{{TEnemyKind::Spinners, kinds::Spinner, 700},
                                                  TEnemyFlight::Pattern};

class TPlainEnemyUnit : public TEnemyUnit {
 public:
  TPlainEnemyUnit(const TEnemyContext& context, const TPlainEnemyTraits& traits,
                  TCommonRecord& settings)
      : TEnemyUnit(context, traits.Traits, settings), fFlight(traits.Flight) {}

 protected:
  void Build(Tvt6Sprite& enemy) override;

 private:
  TEnemyFlight fFlight;
};

}  // namespace quellix
