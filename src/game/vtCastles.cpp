#include "game/vtCastles.h"

#include "game/vtSpriteKinds.h"

namespace quellix {

// A castle shows its hits on itself.
TfrmCastles::TfrmCastles(const TEnemyContext& context, TCastlesSettings& settings)
    : TSkittishEnemy(context, {TEnemyKind::Castles, kinds::Castle, 1000}, settings,
                     TSparkAt::Enemy) {}

}  // namespace quellix
