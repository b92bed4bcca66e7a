#include "game/vtBases.h"

#include "game/vtSpriteKinds.h"

namespace quellix {

TfrmBases::TfrmBases(const TEnemyContext& context, TBasesSettings& settings)
    : TSkittishEnemy(context, {TEnemyKind::Bases, kinds::Base, 1000}, settings, TSparkAt::Hitter) {}

}  // namespace quellix
