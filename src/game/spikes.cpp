#include "game/spikes.h"

#include "game/vtSpriteKinds.h"

namespace quellix {

TfrmSpikes::TfrmSpikes(const TEnemyContext& context, TSpikesSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Spikes, kinds::Spike, 300}, settings) {}

void TfrmSpikes::Build(Tvt6Sprite& enemy) {
  FlyPattern(enemy);
}

}  // namespace quellix
