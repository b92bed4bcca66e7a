#include "game/vtAztek.h"

#include <memory>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtShrapnel.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveOffsetFromSpritePattern.h"
#include "movement/vtMoveToFixedXYPoint.h"

namespace quellix {

namespace {

// Puts the orbit pattern's points round the aztek.
constexpr int32_t OrbitOffsetX = -372;
constexpr int32_t OrbitOffsetY = -306;
constexpr int32_t ShotDownScore = 5;

}  // namespace

TfrmAzteks::TfrmAzteks(const TEnemyContext& context, TAzteksSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Azteks, kinds::Aztek, 600, kinds::AztekShot}, settings),
      fSettings(settings) {
  AddShotChance(settings);
  AddCounter(settings.Current_Shots);
}

void TfrmAzteks::Build(Tvt6Sprite& enemy) {
  FlyTo(enemy, RingPoint(RingB, Random()));
  enemy.OnTick = [this](Tvt6Sprite& aztek) { AztekTick(aztek); };
}

void TfrmAzteks::AztekTick(Tvt6Sprite& aztek) {
  if (Random().Random(100) < fSettings.Current_ShotChance && !aztek.Dead &&
      fSettings.Current_Shots < fSettings.max_shots)
    Fire(aztek);
  auto* flight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint*>(aztek.GetBehavior(0));
  if (flight && aztek.X == flight->TargetX && aztek.Y == flight->TargetY) {
    const TRingPoint next = RingPoint(RingBPrime, Random());
    flight->TargetX = next.X;
    flight->TargetY = next.Y;
  }
}

void TfrmAzteks::Fire(Tvt6Sprite& aztek) {
  Tvt6Sprite& shot = MainEngine().NewSprite();
  shot.Place(aztek.X, aztek.Y, Tvt6Sprite::NotSet, true);
  shot.Projector->QuickInit(Names().Reel, ShotScene(), Tvt6Projector::NotSet);
  shot.Kind = kinds::AztekShot;
  shot.Parent = aztek;
  const Tvt6Pattern* orbit = MainEngine().PatternManager().FindPattern(patterns::AztekShotOrbit);
  shot.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>())
      .Init(aztek, orbit, 0, OrbitOffsetX, OrbitOffsetY, true, true, false);

  // The shot goes with its aztek ...
  aztek.OnKillSelf.Subscribe(&shot, [this, shotRef = TSpriteRef(shot)](Tvt6Sprite*, const void*) {
    Tvt6Sprite* going = shotRef.Get();
    if (!going || going->Dead) return;
    going->Dead = true;
    --fSettings.Current_Shots;
  });
  // ... and a shot that goes first takes that subscription with it, however it goes.
  shot.OnKillSelf.Subscribe(this, [aztekRef = TSpriteRef(aztek)](Tvt6Sprite* self, const void*) {
    if (Tvt6Sprite* owner = aztekRef.Get()) owner->OnKillSelf.Unsubscribe(self);
  });
  Play(Names().ShotSound);
  ++fSettings.Current_Shots;
}

void TfrmAzteks::ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter) {
  if (shot.Dead) return;
  shot.Dead = true;
  --fSettings.Current_Shots;
  if (Tvt6Sprite* aztek = shot.Parent.Get()) aztek->OnKillSelf.Unsubscribe(&shot);
  AddScore(Game(), ShotDownScore);
  Shrapnel().KillEffects(hitter);
  Shrapnel().ExplosionSound();
}

}  // namespace quellix
