#include "game/starfish.h"

#include "game/vtSpriteKinds.h"

namespace quellix {

TfrmStarfish::TfrmStarfish(const TEnemyContext& context, TStarfishSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Starfish, kinds::Starfish, 50}, settings) {}

// With no ship on the screen the starfish waits at the hole.
void TfrmStarfish::Build(Tvt6Sprite& enemy) {
  HomeOnShip(enemy);
}

}  // namespace quellix
