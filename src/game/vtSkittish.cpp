#include "game/vtSkittish.h"

#include <optional>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtSprite.h"
#include "game/vtHitterStep.h"
#include "game/vtShrapnel.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveToFixedXYPoint.h"

namespace quellix {

TSkittishEnemy::TSkittishEnemy(const TEnemyContext& context, const TEnemyTraits& traits,
                               TCastlesSettings& settings, TSparkAt sparkAt)
    : TEnemyUnit(context, traits, settings), fSettings(settings), fSparkAt(sparkAt) {
  AddReset(settings.Current_Skittishness, settings.Initial_Skittishness);
  // Inc_Skittishness is both the interval and the step.
  AddGrowth({TGrowthRule::ByIncrease, "Inc_Skittishness", &settings.Inc_Skittishness,
             &settings.Current_Skittishness, &settings.Limit_Skittishness,
             &settings.Inc_Skittishness});
}

void TSkittishEnemy::Build(Tvt6Sprite& enemy) {
  FlyTo(enemy, RingPoint(RingA, Random()));
  enemy.OnTick = [this](Tvt6Sprite& sprite) { Retarget(sprite); };
}

void TSkittishEnemy::Retarget(Tvt6Sprite& enemy) {
  if (Random().Random(100) >= fSettings.Current_Skittishness) return;
  auto* flight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint*>(enemy.GetBehavior(0));
  if (!flight) return;
  const TRingPoint point = RingPoint(RingA, Random());
  flight->TargetX = point.X;
  flight->TargetY = point.Y;
}

void TSkittishEnemy::Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) {
  if (enemy.Dead) return;
  Shrapnel().HitSpark(fSparkAt == TSparkAt::Enemy ? enemy : hitter);
  if (TakeDamage(enemy, hitter)) {
    Play(sounds::Thud);
    if (const std::optional<TStep> push = FirstMovementStep(hitter)) {
      enemy.X = SaturatedAdd(enemy.X, push->X);
      enemy.Y = SaturatedAdd(enemy.Y, push->Y);
    }
    return;
  }
  Shrapnel().KillEffects(hitter);
  ShowKillScore(enemy);
  AddScore(Game(), Traits().Score);
  Shrapnel().ExplosionSound();
  Retire(enemy);
}

}  // namespace quellix
