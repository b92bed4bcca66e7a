#include "game/plainenemies.h"

#include <array>
#include <stdexcept>

#include "game/vtSpriteKinds.h"

namespace quellix {

namespace {

struct TPlainTraits {
  TEnemyTraits Traits;
  TPlainEnemyUnit::TFlight Flight;
};

constexpr std::array<TPlainTraits, 3> PlainKinds{{
    {{TEnemyKind::Starfish, kinds::Starfish, 50}, TPlainEnemyUnit::TFlight::HomeOnShip},
    {{TEnemyKind::Spikes, kinds::Spike, 300}, TPlainEnemyUnit::TFlight::Pattern},
    {{TEnemyKind::Spinners, kinds::Spinner, 700}, TPlainEnemyUnit::TFlight::Pattern},
}};

const TPlainTraits& PlainTraits(TEnemyKind kind) {
  for (const TPlainTraits& plain : PlainKinds)
    if (plain.Traits.Kind == kind) return plain;
  throw std::logic_error("Not a kind that only flies: " + std::string(EnemyNames(kind).Group));
}

}  // namespace

TPlainEnemyUnit::TPlainEnemyUnit(const TEnemyContext& context, TEnemyKind kind,
                                 TCommonRecord& settings)
    : TEnemyUnit(context, PlainTraits(kind).Traits, settings), fFlight(PlainTraits(kind).Flight) {}

void TPlainEnemyUnit::Build(Tvt6Sprite& enemy) {
  if (fFlight == TFlight::HomeOnShip)
    HomeOnShip(enemy);
  else
    FlyPattern(enemy);
}

}  // namespace quellix
