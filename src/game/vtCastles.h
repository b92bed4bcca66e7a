// Castles: heavily armoured blocks that hold a spot near an edge and dart about.
#pragma once

#include "game/vtSkittish.h"

namespace quellix {

class TfrmCastles : public TSkittishEnemy {
 public:
  TfrmCastles(const TEnemyContext& context, TCastlesSettings& settings);
};

}  // namespace quellix
