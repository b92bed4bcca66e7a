// Squids: open with a spiral flight from near the hole, then home in on a player ship.
// Every hit on a squid shows an explosion where the hitter is.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TfrmSquid : public TEnemyUnit {
 public:
  TfrmSquid(const TEnemyContext& context, TSquidsSettings& settings);

 protected:
  void Build(Tvt6Sprite& enemy) override;
  void AfterKillEffects(Tvt6Sprite& hitter) override;
  void MarkHit(Tvt6Sprite& hitter) override;
};

}  // namespace quellix
