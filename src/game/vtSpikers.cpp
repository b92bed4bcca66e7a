#include "game/vtSpikers.h"

#include "engine/vtSprite.h"
#include "game/vtGameUnits.h"
#include "game/vtShrapnel.h"
#include "game/vtSpriteKinds.h"

namespace quellix {

TfrmSpikers::TfrmSpikers(const TEnemyContext& context, TSpikersSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Spikers, kinds::Spiker, 300}, settings) {}

void TfrmSpikers::Build(Tvt6Sprite& enemy) {
  enemy.DrawMode = Tvt6Sprite::dmCentered;
  // Without a ship to aim at, the spiker holds its place at the hole.
  TRingPoint spot{enemy.X, enemy.Y};
  if (const Tvt6Sprite* ship = Player().ChooseTargetShip()) spot = {ship->X, ship->Y};
  FlyTo(enemy, spot);
}

void TfrmSpikers::Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) {
  if (enemy.Dead) return;
  const bool survives = TakeDamage(enemy, hitter);
  Shrapnel().HitSpark(hitter);
  if (!survives) Kill(enemy, hitter);
}

}  // namespace quellix
