// Bases: armoured bonus targets that drift and dart like castles; the ships pass
// through them without harm (the ships ignore their Kind).
#pragma once

#include "game/vtSkittish.h"

namespace quellix {

class TfrmBases : public TSkittishEnemy {
 public:
  TfrmBases(const TEnemyContext& context, TBasesSettings& settings);
};

}  // namespace quellix
