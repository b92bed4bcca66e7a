// The ten enemy kinds together: their settings records, their units in the order the
// hole visits them, and the one entry for hits, which hands a hit to the kind (or the
// shot kind) of the sprite that was touched.
#pragma once

#include <array>

#include "config/vtEnemySettings.h"
#include "game/vtAztek.h"
#include "game/vtBases.h"
#include "game/vtCastles.h"
#include "game/vtFlouds.h"
#include "game/vtGameUnits.h"
#include "game/vtPlainEnemies.h"
#include "game/vtSpikers.h"
#include "game/vtSpirals.h"
#include "game/vtSquid.h"

namespace quellix {

class TEnemyFamily : public IEnemyHits {
 public:
  // The player chooses the homing enemies' targets; the shrapnel unit shows the hits.
  TEnemyFamily(IGameContext& game, IPlayerUnit& player, TfrmShrapnel& shrapnel);
  // Enemies and their shots carry handlers that call back into the kinds, so the
  // sprites of MainEngine go first.
  ~TEnemyFamily() override;
  TEnemyFamily(const TEnemyFamily&) = delete;
  TEnemyFamily& operator=(const TEnemyFamily&) = delete;

  // Filled from the chosen difficulty at every game start.
  TEnemySettings Settings;

  // Spikers, starfish, castles, spirals, spikes, squids, bases, azteks, spinners, flouds.
  const std::array<TEnemyUnit*, EnemyKindCount>& Kinds() const { return fKinds; }
  TEnemyUnit& Kind(TEnemyKind kind) const { return *fKinds.at(static_cast<size_t>(kind)); }

  // Enemies of kinds 3..14 and 18, shots included; other kinds are left alone.
  void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) override;

 private:
  IGameContext& fGame;
  TEnemyContext fContext;
  TfrmSpikers fSpikers;
  TPlainEnemyUnit fStarfish;
  TfrmCastles fCastles;
  TfrmSpirials fSpirals;
  TPlainEnemyUnit fSpikes;
  TfrmSquid fSquids;
  TfrmBases fBases;
  TfrmAzteks fAzteks;
  TPlainEnemyUnit fSpinners;
  TfrmFlouds fFlouds;
  std::array<TEnemyUnit*, EnemyKindCount> fKinds;
};

}  // namespace quellix
