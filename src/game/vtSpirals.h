// Spirals: fly to a point of ring A and fire shots in the eight directions. All
// spirals together keep no more shots on the screen than their own maximum number.
// Their kill has its own popup, floating upwards.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TfrmSpirials : public TEnemyUnit {
 public:
  TfrmSpirials(const TEnemyContext& context, TSpiralsSettings& settings);

  // A spiral shot that is hit just goes; it scores nothing.
  void ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter) override;

 protected:
  void Build(Tvt6Sprite& enemy) override;
  void ShowKillScore(Tvt6Sprite& enemy) override;

 private:
  void Fire(Tvt6Sprite& spiral);

  TSpiralsSettings& fSettings;
};

}  // namespace quellix
