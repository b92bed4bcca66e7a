// Spikers: fly to the spot where a player ship was at their launch and stay there,
// drawn centred on their position. A hit that leaves armour scores nothing.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TfrmSpikers : public TEnemyUnit {
 public:
  TfrmSpikers(const TEnemyContext& context, TSpikersSettings& settings);

  void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) override;

 protected:
  void Build(Tvt6Sprite& enemy) override;
};

}  // namespace quellix
