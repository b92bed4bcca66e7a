// Castles and bases: armoured enemies that fly to a point of ring A and dart to a new
// one at their skittishness chance every update. A hit that leaves armour pushes them
// along the hitter's flight with a thud and scores nothing.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TSkittishEnemy : public TEnemyUnit {
 public:
  // Where a hit shows its spark: on the enemy itself, or on the hitter.
  enum class TSparkAt : uint8_t { Enemy, Hitter };

  TSkittishEnemy(const TEnemyContext& context, const TEnemyTraits& traits,
                 TCastlesSettings& settings, TSparkAt sparkAt);

  void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) override;

 protected:
  void Build(Tvt6Sprite& enemy) override;

 private:
  void Retarget(Tvt6Sprite& enemy);

  TCastlesSettings& fSettings;
  TSparkAt fSparkAt;
};

}  // namespace quellix
