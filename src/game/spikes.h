// Spikes: fly one of the "spiker" patterns, round and round.
#pragma once

#include "game/enemyunit.h"

namespace quellix {

class TfrmSpikes : public TEnemyUnit {
 public:
  TfrmSpikes(const TEnemyContext& context, TSpikesSettings& settings);

 protected:
  void Build(Tvt6Sprite& enemy) override;
};

}  // namespace quellix
