#include "game/vtSquid.h"

#include <memory>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtShrapnel.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveOffsetPattern.h"

namespace quellix {

namespace {

constexpr int32_t SpiralStep = 12;
constexpr int32_t ExplosionLifetime = 9;

}  // namespace

TfrmSquid::TfrmSquid(const TEnemyContext& context, TSquidsSettings& settings)
    : TEnemyUnit(context, {TEnemyKind::Squids, kinds::Squid, 100}, settings) {}

void TfrmSquid::Build(Tvt6Sprite& enemy) {
  const int32_t offsetX = Random().Random(200) - 100;
  const int32_t offsetY = Random().Random(200) - 100;
  const Tvt6Pattern* spiral = MainEngine().PatternManager().FindPattern(patterns::SquidSpiral);
  auto& opening = enemy.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
  opening.Init(spiral, 0, SpiralStep, SpiralStep, offsetX, offsetY, true, false, true);
  opening.SetOnEnd([this](Tvt6Move_OffsetPattern& sender) { HomeOnShip(*sender.Sprite); });
}

void TfrmSquid::AfterKillEffects(Tvt6Sprite& hitter) {
  Shrapnel().HitSpark(hitter);
}

void TfrmSquid::MarkHit(Tvt6Sprite& hitter) {
  NewEffect(MainEngine(), hitter.X, hitter.Y, ExplosionLifetime, reels::Explosions,
            SparkScene(1 + Random().Random(SparkCount)));
}

}  // namespace quellix
