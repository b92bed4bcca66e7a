// Starfish: home in on a player ship from the hole.
#pragma once

#include "game/enemyunit.h"

namespace quellix {

class TfrmStarfish : public TEnemyUnit {
 public:
  TfrmStarfish(const TEnemyContext& context, TStarfishSettings& settings);

 protected:
  void Build(Tvt6Sprite& enemy) override;
};

}  // namespace quellix
