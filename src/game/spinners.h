// Spinners: fly one of the "spinner" patterns, round and round.
#pragma once

#include "game/enemyunit.h"

namespace quellix {

class TfrmSpinners : public TEnemyUnit {
 public:
  TfrmSpinners(const TEnemyContext& context, TSpinnersSettings& settings);

 protected:
  void Build(Tvt6Sprite& enemy) override;
};

}  // namespace quellix
