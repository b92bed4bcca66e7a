// The player's weapons and defences: volleys of shots whose power grows with bonuses
// and decays with time, bombs of four waves, the waves' drips, the shields with their
// energy, and what each collected bonus does.
#include <algorithm>
#include <string>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "game/vtGameContext.h"
#include "game/vtPlayer.h"
#include "game/vtPlayerSides.h"
#include "game/vtSpriteKinds.h"
#include "graphics/vtProjector.h"
#include "movement/vtMoveStraightLine.h"
#include "services/vtSound.h"

namespace quellix {

namespace {

constexpr int32_t Unlimited = Tvt6Sprite::NotSet;

// A volley leaves on every fourth tick while the fire button is held.
constexpr int32_t VolleyCooldown = 3;
constexpr int32_t WaveLifetime = 70;
constexpr int32_t WaveStrength = 100000;
constexpr int32_t WaveStep = 16;
constexpr int32_t DripLifetime = 4;
constexpr int32_t ShieldStrength = 32000;
constexpr int32_t ShieldBonusEnergy = 50;
constexpr int32_t BannerY = 260;
constexpr int32_t BannerLifetime = 25;

using TSide = TfrmPlayer::TSide;
constexpr std::array<TSide, TfrmPlayer::SideCount> FireOrder = {
    TfrmPlayer::Top, TfrmPlayer::Bottom, TfrmPlayer::Left, TfrmPlayer::Right};
constexpr std::array<TSide, TfrmPlayer::SideCount> ShieldOrder = {
    TfrmPlayer::Left, TfrmPlayer::Top, TfrmPlayer::Right, TfrmPlayer::Bottom};

// The kinds that shots and waves hurt: every enemy and enemy shot, bases included.
bool IsEnemy(int32_t kind) {
  return (kind >= 3 && kind <= 14) || kind == 18;
}

// Spiral shots pass through shields unharmed.
bool IsShieldTarget(int32_t kind) {
  constexpr int32_t SpiralShot = 7;
  return IsEnemy(kind) && kind != SpiralShot;
}

// How far the wider shots of the Top and Bottom ships move right to sit centred.
int32_t ShotOffset(int32_t shotPower) {
  if (shotPower <= 1) return 12;
  if (shotPower <= 5) return 8;
  return 4;
}

// A bonus's banner x, by kind from 20 on, centring each banner on the screen.
constexpr std::array<int32_t, 4> BannerX = {200, 220, 130, 240};

}  // namespace

// ---- Shots -------------------------------------------------------------------------

void TfrmPlayer::DecayShotPower() {
  --ShotPowerTimer;
  if (ShotPowerTimer != 0) return;
  if (ShotPower > 1) --ShotPower;
  ShotPowerTimer = ShotPowerTicks;
}

void TfrmPlayer::FireRule() {
  if (FireCooldown >= 1) {
    --FireCooldown;
    return;
  }
  PlaySound(sounds::PlayerShot);
  for (TSide side : FireOrder)
    if (const Tvt6Sprite* ship = Ship[side].Get()) MakeShot(side, *ship);
  FireCooldown = VolleyCooldown;
}

void TfrmPlayer::MakeShot(TSide side, const Tvt6Sprite& ship) {
  const TPlayerSide& rules = PlayerSides[side];
  const int32_t offset = rules.ShotCentred ? ShotOffset(ShotPower) : 0;
  Tvt6Sprite& shot = MainEngine().NewSprite();
  shot.Place(ship.X + rules.ShotStart.X + offset, ship.Y + rules.ShotStart.Y, rules.ShotLifetime,
             true);
  shot.Kind = kinds::PlayerShot;
  shot.Strength = std::min(ShotPower, MaxShotDamage);
  shot.OnCollide = WhileAlive([](TfrmPlayer& player, Tvt6Sprite& tester, Tvt6Sprite& target) {
    player.ShotHit(tester, target);
  });
  auto move = std::make_unique<Tvt6SpriteMove_StraightLine>();
  move->SetSpeed(rules.ShotStep.X, rules.ShotStep.Y);
  shot.AddBehavior(std::move(move));
  shot.Projector->QuickInit(ShotReel(ShotPower), ShipScene(SideNames[side], ShipColour), Unlimited);
}

void TfrmPlayer::ShotHit(Tvt6Sprite& shot, Tvt6Sprite& other) {
  if (!IsEnemy(other.Kind)) return;
  shot.Dead = true;
  fEnemies.Hit(other, shot);
}

// ---- Bombs and waves ---------------------------------------------------------------

void TfrmPlayer::LaunchBombWaves() {
  if (Bombs <= 0) return;
  --Bombs;
  LaunchWave(TWave::Horizontal, 0, 0, 0, WaveStep);
  LaunchWave(TWave::Horizontal, 0, 500, 0, -WaveStep);
  LaunchWave(TWave::Vertical, 0, 0, WaveStep, 0);
  LaunchWave(TWave::Vertical, 799, 0, -WaveStep, 0);
  PlaySound(sounds::WaveLaunch);
}

void TfrmPlayer::LaunchWave(TWave orientation, int32_t x, int32_t y, int32_t dx, int32_t dy) {
  const bool horizontal = orientation == TWave::Horizontal;
  Tvt6Sprite& wave = MainEngine().NewSprite();
  wave.Place(x, y, WaveLifetime, true);
  wave.Kind = horizontal ? kinds::HorizontalWave : kinds::VerticalWave;
  wave.Strength = WaveStrength;
  wave.Projector->QuickInit(reels::Wave, horizontal ? scenes::HWave : scenes::VWave, Unlimited);
  wave.OnCollide = WhileAlive([](TfrmPlayer& player, Tvt6Sprite& tester, Tvt6Sprite& target) {
    player.WaveHit(tester, target);
  });
  wave.OnTick = WhileAlive([](TfrmPlayer& player, Tvt6Sprite& sprite) { player.DropDrip(sprite); });
  auto move = std::make_unique<Tvt6SpriteMove_StraightLine>();
  move->SetSpeed(dx, dy);
  wave.AddBehavior(std::move(move));
}

void TfrmPlayer::WaveHit(Tvt6Sprite& wave, Tvt6Sprite& other) {
  if (IsEnemy(other.Kind)) fEnemies.Hit(other, wave);
}

// Horizontal waves sprinkle their drips along their own row, vertical ones along their
// own column.
void TfrmPlayer::DropDrip(const Tvt6Sprite& wave) {
  const bool horizontal = wave.Kind == kinds::HorizontalWave;
  const int32_t x = horizontal ? Random(800) : wave.X;
  const int32_t y = horizontal ? wave.Y : Random(500);
  Tvt6Sprite& drip = MainEngine().NewSprite();
  drip.Place(x, y, DripLifetime, false);
  drip.Kind = kinds::Drip;
  drip.Projector->QuickInit(reels::Wave, scenes::Drip, Unlimited);
}

// ---- Shields -----------------------------------------------------------------------

void TfrmPlayer::RaiseShields() {
  if (ShieldEnergy <= 0 || ShieldsUp) return;
  ShieldVariant = 1 + Random(ShieldVariantCount);
  ShieldsUp = true;
  for (TSpriteRef& shield : Shield) shield.Reset();
  fShieldSound = PlaySound(sounds::Shields);
  for (TSide side : ShieldOrder)
    if (Ship[side]) CreateShield(side);
}

void TfrmPlayer::LowerShields() {
  if (!ShieldsUp) return;
  ShieldsUp = false;
  for (TSpriteRef& shield : Shield) {
    if (Tvt6Sprite* sprite = shield.Get()) sprite->Dead = true;
    shield.Reset();
  }
  fGame.Sound().StopSound(fShieldSound);
  fShieldSound = 0;
  // Also the shields no reference holds any more.
  Tvt6Engine& engine = MainEngine();
  for (int i = 0; i < engine.SpriteCount(); ++i)
    if (Tvt6Sprite* sprite = engine.GetSprite(i); sprite->Kind == kinds::Shield)
      sprite->Dead = true;
}

void TfrmPlayer::CreateShield(TSide side) {
  const Tvt6Sprite* ship = Ship[side].Get();
  if (!ship) return;
  const TPlayerSide& rules = PlayerSides[side];
  Tvt6Sprite& shield = MainEngine().NewSprite();
  shield.Place(ship->X + rules.ShieldOffset.X, ship->Y + rules.ShieldOffset.Y, Unlimited, true);
  shield.Kind = kinds::Shield;
  shield.Strength = ShieldStrength;
  shield.OnCollide = WhileAlive([](TfrmPlayer& player, Tvt6Sprite& tester, Tvt6Sprite& target) {
    player.ShieldHit(tester, target);
  });
  shield.Projector->QuickInit(reels::Shields, ShieldScene(SideNames[side], ShieldVariant),
                              Unlimited);
  Shield[side] = shield;
}

// The shield tests in its own pass; as the touched sprite of another pass it is told
// of a wave or another shield, which it ignores.
void TfrmPlayer::ShieldHit(Tvt6Sprite& shield, Tvt6Sprite& other) {
  if (IsShieldTarget(other.Kind)) fEnemies.Hit(other, shield);
}

// ---- Bonuses -----------------------------------------------------------------------

void TfrmPlayer::CollectBonus(Tvt6Sprite& bonus) {
  const auto index = static_cast<size_t>(bonus.Kind - kinds::ShotPowerBonus);
  Tvt6Sprite& banner = TextEngine().NewSprite();
  banner.Place(BannerX[index], BannerY, BannerLifetime, false);
  banner.Projector->QuickInit(reels::Text, BonusNames[index].Banner, Unlimited);
  bonus.Dead = true;

  TGameGlobals& globals = fGame.Globals();
  switch (bonus.Kind) {
    case kinds::ShotPowerBonus:
      ShotPowerTimer = ShotPowerTicks;
      ++ShotPower;
      break;
    case kinds::WavePowerBonus:
      ++Bombs;
      break;
    case kinds::ShieldPowerBonus:
      ShieldEnergy += ShieldBonusEnergy;
      break;
    case kinds::ExtraLifeBonus:
      ++globals.SpareShips;
      break;
    default:
      break;
  }
  PlaySound(sounds::Bonus);
  if (bonus.Kind == kinds::ExtraLifeBonus) FillEmptySides();
}

}  // namespace quellix
