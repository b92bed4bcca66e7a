#include "game/vtFlouds.h"

#include <array>
#include <memory>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtShrapnel.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveStraightLine.h"

namespace quellix {

namespace {

struct TDirection {
  int32_t X, Y;
};

// Direction codes 1..8, anticlockwise from up: 1 up, 3 left, 5 down, 7 right.
constexpr std::array<TDirection, 8> Directions = {
    {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}}};

// A code one past either end comes round to the other.
const TDirection& DirectionOf(int32_t code) {
  const int32_t wrapped = code > 8 ? code - 8 : code < 1 ? code + 8 : code;
  return Directions.at(static_cast<size_t>(wrapped - 1));
}

// The shots leave from the floud's middle.
constexpr int32_t MuzzleX = 32;
constexpr int32_t MuzzleY = 32;
constexpr int32_t ShotSpeed = 8;
constexpr int32_t ShotLifetime = 100;

}  // namespace

TfrmFlouds::TfrmFlouds(const TEnemyContext& context, TFloudsSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Flouds, kinds::Floud, 1000, kinds::FloudShot}, settings),
      fSettings(settings) {
  AddShotChance(settings);
}

void TfrmFlouds::Build(Tvt6Sprite& enemy) {
  FlyPattern(enemy);
  enemy.OnTick = [this](Tvt6Sprite& floud) { Burst(floud); };
}

void TfrmFlouds::Burst(Tvt6Sprite& floud) {
  if (Random().Random(100) >= fSettings.Current_ShotChance) return;
  const int32_t d = 1 + Random().Random(8);
  for (const int32_t code : {d, d + 1, d - 1}) {
    const TDirection& direction = DirectionOf(code);
    Tvt6Sprite& shot = MainEngine().NewSprite();
    shot.Place(SaturatedAdd(floud.X, MuzzleX), SaturatedAdd(floud.Y, MuzzleY), ShotLifetime, true);
    shot.Projector->QuickInit(Names().Reel, ShotScene(), Tvt6Projector::NotSet);
    shot.Strength = 1;
    shot.Kind = kinds::FloudShot;
    shot.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>())
        .SetSpeed(ShotSpeed * direction.X, ShotSpeed * direction.Y);
  }
  Play(Names().ShotSound);
}

// Scores even when the shot was already hit in this tick.
void TfrmFlouds::ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter) {
  shot.Dead = true;
  AddScore(Game(), 1);
  Shrapnel().HitSpark(hitter);
}

}  // namespace quellix
