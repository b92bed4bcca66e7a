#include "game/vtSpirals.h"

#include <memory>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveStraightLine.h"

namespace quellix {

TfrmSpirials::TfrmSpirials(const TEnemyContext& context, TSpiralsSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Spirals, kinds::Spiral, 500, kinds::SpiralShot}, settings),
      fSettings(settings) {
  AddShotChance(settings);
  AddReset(settings.Current_Shot_XSpeed, settings.Initial_Shot_XSpeed);
  AddReset(settings.Current_Shot_YSpeed, settings.Initial_Shot_YSpeed);
  AddGrowth({TGrowthRule::ByOne, "Inc_Shot_XSpeed", &settings.Inc_Shot_XSpeed,
             &settings.Current_Shot_XSpeed, &settings.Limit_Shot_XSpeed});
  AddGrowth({TGrowthRule::ByOne, "Inc_Shot_YSpeed", &settings.Inc_Shot_YSpeed,
             &settings.Current_Shot_YSpeed, &settings.Limit_Shot_YSpeed});
  AddCounter(settings.Shots_Active);
}

void TfrmSpirials::Build(Tvt6Sprite& enemy) {
  FlyTo(enemy, RingPoint(RingA, Random()));
  enemy.OnTick = [this](Tvt6Sprite& spiral) { Fire(spiral); };
}

void TfrmSpirials::Fire(Tvt6Sprite& spiral) {
  TSpiralsSettings& s = fSettings;
  if (s.Shots_Active >= s.Current_MaxAmount) return;
  if (Random().Random(100) >= s.Current_ShotChance) return;
  ++s.Shots_Active;
  Tvt6Sprite& shot = MainEngine().NewSprite();
  shot.Place(spiral.X, spiral.Y, 30 + Random().Random(50), true);
  shot.Projector->QuickInit(Names().Reel, ShotScene(), Tvt6Projector::NotSet);
  shot.Kind = kinds::SpiralShot;
  // One of the eight directions: never both axes still.
  int32_t a = 1, b = 1;
  while (a == 1 && b == 1) {
    a = Random().Random(3);
    b = Random().Random(3);
  }
  shot.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>())
      .SetSpeed(SaturatedMul(a - 1, s.Current_Shot_XSpeed),
                SaturatedMul(b - 1, s.Current_Shot_YSpeed));
  shot.OnKillSelf.Subscribe(this, [this](Tvt6Sprite*, const void*) { --fSettings.Shots_Active; });
  Play(Names().ShotSound);
}

void TfrmSpirials::ShotHit(Tvt6Sprite& shot, Tvt6Sprite& /*hitter*/) {
  // The count falls when the shot goes.
  shot.Dead = true;
}

void TfrmSpirials::ShowKillScore(Tvt6Sprite& enemy) {
  Tvt6Sprite& popup = NewEffect(TextEngineOf(Game()), enemy.X, enemy.Y, 20, reels::Bonuses,
                                ScorePopup(Traits().Score));
  const int32_t dx = Random().Random(10) - 5;
  const int32_t dy = -3 - Random().Random(5);
  popup.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(dx, dy);
}

}  // namespace quellix
