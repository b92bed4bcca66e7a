// Flouds: fly one of the "floud" patterns round and round, and now and then burst three
// shots in neighbouring directions.
#pragma once

#include "game/vtEnemyUnit.h"

namespace quellix {

class TfrmFlouds : public TEnemyUnit {
 public:
  TfrmFlouds(const TEnemyContext& context, TFloudsSettings& settings);

  // A floud shot that is hit goes and scores 1.
  void ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter) override;

 protected:
  void Build(Tvt6Sprite& enemy) override;

 private:
  void Burst(Tvt6Sprite& floud);

  TFloudsSettings& fSettings;
};

}  // namespace quellix
