#include "game/spinners.h"

#include "game/vtSpriteKinds.h"

namespace quellix {

TfrmSpinners::TfrmSpinners(const TEnemyContext& context, TSpinnersSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Spinners, kinds::Spinner, 700}, settings) {}

void TfrmSpinners::Build(Tvt6Sprite& enemy) {
  FlyPattern(enemy);
}

}  // namespace quellix
