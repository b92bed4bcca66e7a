#include "game/vtShrapnel.h"

#include <memory>
#include <optional>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "game/vtGameContext.h"
#include "game/vtHitterStep.h"
#include "game/vtSpriteKinds.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveStraightLine.h"
#include "movement/vtMoveStraightWithFriction.h"
#include "services/vtSound.h"

namespace quellix {

namespace {

// A piece leaves at 5..19 pixels per update along the burst, which change by -1 every
// few runs (slowing pieces thrown right or down, speeding up the others); the other
// axis drifts. Speeds stay within 20 either way.
constexpr int32_t PieceSpeedLimit = 20;
constexpr int32_t PieceXInterval = 3;
constexpr int32_t PieceYInterval = 5;

struct TCentre {
  int32_t X;
  int32_t Y;
};

// The sprite's position plus half its current image.
TCentre CentreOf(Tvt6Sprite& sprite) {
  int32_t width = 0, height = 0;
  if (sprite.Projector) sprite.Projector->GetDims(width, height);
  return {SaturatedAdd(sprite.X, width / 2), SaturatedAdd(sprite.Y, height / 2)};
}

enum class TBurst { Right, Left, Up, Down };

// Only shots and waves throw shrapnel, along their flight; one standing still throws none.
std::optional<TBurst> BurstOf(const Tvt6Sprite& hitter) {
  if (hitter.Kind != kinds::PlayerShot && hitter.Kind != kinds::HorizontalWave &&
      hitter.Kind != kinds::VerticalWave)
    return std::nullopt;
  const std::optional<TStep> step = FirstMovementStep(hitter);
  if (!step) return std::nullopt;
  if (step->X > 0) return TBurst::Right;
  if (step->X < 0) return TBurst::Left;
  if (step->Y < 0) return TBurst::Up;
  if (step->Y > 0) return TBurst::Down;
  return std::nullopt;
}

// The bonus kind of a draw r in 0..99.
int32_t BonusKind(int32_t r) {
  if (r < 80) return kinds::ShotPowerBonus;
  if (r < 87) return kinds::ShieldPowerBonus;
  if (r < 96) return kinds::WavePowerBonus;
  return kinds::ExtraLifeBonus;
}

void ThrowBurst(TRandom& random, Tvt6Engine& engine, Tvt6Sprite& hitter, TBurst burst,
                int32_t image) {
  const TCentre centre = CentreOf(hitter);
  const std::string scene = ShrapnelScene(image);
  const bool across = burst == TBurst::Right || burst == TBurst::Left;
  const int32_t sign = (burst == TBurst::Left || burst == TBurst::Up) ? -1 : 1;
  // The downward burst stops any drift to the right at its first change.
  const int32_t maxXSpeed = burst == TBurst::Down ? 0 : PieceSpeedLimit;

  const int32_t pieces = 9 + random.Random(20);
  for (int32_t i = 0; i < pieces; ++i) {
    Tvt6Sprite& piece =
        NewEffect(engine, centre.X, centre.Y, 10 + random.Random(20), reels::Shrapnel, scene);
    // Drawn in the order X speed, Y speed, X change, Y change.
    const int32_t xSpeed = across ? sign * (5 + random.Random(15)) : random.Random(16) - 8;
    const int32_t ySpeed = across ? random.Random(12) - 6 : sign * (5 + random.Random(15));
    const int32_t xAccel = across ? -1 : random.Random(3) - 1;
    const int32_t yAccel = across ? random.Random(3) - 1 : -1;
    piece.AddBehavior(std::make_unique<TvtMove_StraightWithFriction>())
        .Init(xSpeed, ySpeed, xAccel, yAccel, PieceXInterval, PieceYInterval, maxXSpeed,
              PieceSpeedLimit, -PieceSpeedLimit, -PieceSpeedLimit);
  }
}

}  // namespace

void TfrmShrapnel::ShowScore(const Tvt6Sprite& enemy, std::string_view text) {
  TRandom& random = fGame.Random();
  Tvt6Sprite& popup =
      NewEffect(TextEngineOf(fGame), enemy.X, enemy.Y, 1 + random.Random(50), reels::Bonuses, text);
  const int32_t dx = random.Random(20) - 10;
  const int32_t dy = random.Random(20) - 10;
  popup.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(dx, dy);
}

void TfrmShrapnel::HitSpark(Tvt6Sprite& sprite) {
  const TCentre centre = CentreOf(sprite);
  NewEffect(TextEngineOf(fGame), centre.X, centre.Y, 9, reels::Explosions,
            SparkScene(1 + fGame.Random().Random(SparkCount)));
}

void TfrmShrapnel::KillEffects(Tvt6Sprite& hitter) {
  TRandom& random = fGame.Random();
  if (random.Random(100) < BonusChance) DropBonus(BonusX, BonusY);
  if (!fGame.Globals().ShrapnelOn) return;
  const int32_t image = 1 + random.Random(ShrapnelCount);
  if (const std::optional<TBurst> burst = BurstOf(hitter))
    ThrowBurst(random, TextEngineOf(fGame), hitter, *burst, image);
}

void TfrmShrapnel::ExplosionSound() {
  fGame.Sound().PlaySound(fGame.Random().Random(100) >= 50 ? sounds::Explosion82
                                                           : sounds::Explosion);
}

void TfrmShrapnel::DropBonus(int32_t x, int32_t y) {
  TRandom& random = fGame.Random();
  const int32_t kind = BonusKind(random.Random(100));
  int32_t dx = random.Random(20) - 10;
  int32_t dy = random.Random(20) - 10;
  // A bonus always moves.
  if (dx == 0 && dy == 0) {
    dx = 2 + random.Random(10);
    dy = 2 + random.Random(10);
  }
  Tvt6Sprite& bonus = MainEngineOf(fGame).NewSprite();
  bonus.Place(x, y, BonusLifetime, true);
  bonus.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(dx, dy);
  bonus.Kind = kind;
  bonus.Projector->QuickInit(
      reels::Text, BonusNames.at(static_cast<size_t>(kind - kinds::ShotPowerBonus)).Pickup,
      Tvt6Projector::NotSet);
}

}  // namespace quellix
