// Azteks: fly to a point of ring B, move on to a point of ring B' whenever they arrive,
// and send shots circling round themselves. A shot goes with its aztek; the kind counts
// its shots alive against max_shots.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TfrmAzteks : public TEnemyUnit {
 public:
  TfrmAzteks(const TEnemyContext& context, TAzteksSettings& settings);

  // A shot shot down scores 5 and explodes.
  void ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter) override;

 protected:
  void Build(Tvt6Sprite& enemy) override;

 private:
  void AztekTick(Tvt6Sprite& aztek);
  void Fire(Tvt6Sprite& aztek);

  TAzteksSettings& fSettings;
};

}  // namespace quellix
