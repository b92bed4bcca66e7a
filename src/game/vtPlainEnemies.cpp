#include "game/vtPlainEnemies.h"

namespace quellix {

void TPlainEnemyUnit::Build(Tvt6Sprite& enemy) {
  if (fFlight == TEnemyFlight::HomeOnShip)
    HomeOnShip(enemy);
  else
    FlyPattern(enemy);
}

}  // namespace quellix
