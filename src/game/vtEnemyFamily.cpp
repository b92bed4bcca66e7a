#include "game/vtEnemyFamily.h"

#include <stdexcept>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtGameContext.h"

namespace quellix {

TEnemyFamily::TEnemyFamily(IGameContext& game, IPlayerUnit& player, TfrmShrapnel& shrapnel)
    : fGame(game),
      fContext{game, player, shrapnel},
      fSpikers(fContext, Settings.SpikersSettings),
      fStarfish(fContext, StarfishTraits, Settings.StarfishSettings),
      fCastles(fContext, Settings.CastlesSettings),
      fSpirals(fContext, Settings.SpiralsSettings),
      fSpikes(fContext, SpikesTraits, Settings.SpikesSettings),
      fSquids(fContext, Settings.SquidsSettings),
      fBases(fContext, Settings.BasesSettings),
      fAzteks(fContext, Settings.AzteksSettings),
      fSpinners(fContext, SpinnersTraits, Settings.SpinnersSettings),
      fFlouds(fContext, Settings.FloudsSettings),
      fKinds{&fSpikers, &fStarfish, &fCastles, &fSpirals,  &fSpikes,
             &fSquids,  &fBases,    &fAzteks,  &fSpinners, &fFlouds} {
  for (size_t i = 0; i < fKinds.size(); ++i)
    if (fKinds[i]->Traits().Kind != static_cast<TEnemyKind>(i))
      throw std::logic_error("The enemy kinds stand out of the hole's order");
}

TEnemyFamily::~TEnemyFamily() {
  if (Tvt6Engine* engine = fGame.MainEngine()) engine->ClearSprites();
}

void TEnemyFamily::Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) {
  for (TEnemyUnit* kind : fKinds) {
    if (enemy.Kind == kind->Traits().Code) return kind->Hit(enemy, hitter);
    if (kind->Traits().ShotCode != 0 && enemy.Kind == kind->Traits().ShotCode)
      return kind->ShotHit(enemy, hitter);
  }
}

}  // namespace quellix
