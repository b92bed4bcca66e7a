// The player's ships: the control point, level start, a ship's death with its
// explosion, the ghost that brings a spare in, the extra-life fill, the target choice
// of homing enemies, the game-over test and the heads-up display.
#include "game/vtPlayer.h"

#include <algorithm>
#include <string>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtAssetNames.h"
#include "game/vtGameContext.h"
#include "game/vtPlayerSides.h"
#include "game/vtSpriteKinds.h"
#include "graphics/vtFontHandler.h"
#include "graphics/vtFrameNotes.h"
#include "graphics/vtProjector.h"
#include "graphics/vtStars.h"
#include "movement/vtBehaviorExtRepEvents.h"
#include "movement/vtMoveToFixedXYPoint.h"
#include "services/vtSound.h"

namespace quellix {

namespace {

constexpr int32_t Unlimited = Tvt6Sprite::NotSet;

// The explosion: a carrier off the screen runs the rings for this many updates.
constexpr int32_t ExplosionRuns = 50;
constexpr int32_t ExplosionCarrierLifetime = ExplosionRuns + 1;
constexpr int32_t RingChance = 25;
constexpr int32_t RingLifetime = 20;
constexpr int32_t RingRadius = 100;  // the ring picture's half size

constexpr int32_t GhostStartX = 380;
constexpr int32_t GhostStartY = 280;
constexpr int32_t GhostStep = 16;
constexpr int32_t RespawnCountdown = 50;
constexpr int32_t RespawnStrength = 100;

// The heads-up display.
constexpr int32_t HudBandTop = 558;
constexpr int32_t HudRowLow = 550;
constexpr int32_t HudRowHigh = 570;
constexpr int32_t HudWavelengthOffset = 100;
constexpr const char* HudFont = "Main";

// The orders in which ChooseTargetShip searches, by the random draw.
using TSide = TfrmPlayer::TSide;
constexpr std::array<std::array<TSide, 4>, 4> TargetOrders = {{
    {TfrmPlayer::Top, TfrmPlayer::Right, TfrmPlayer::Bottom, TfrmPlayer::Left},
    {TfrmPlayer::Right, TfrmPlayer::Bottom, TfrmPlayer::Left, TfrmPlayer::Top},
    {TfrmPlayer::Bottom, TfrmPlayer::Left, TfrmPlayer::Top, TfrmPlayer::Right},
    {TfrmPlayer::Left, TfrmPlayer::Top, TfrmPlayer::Right, TfrmPlayer::Bottom},
}};

constexpr std::array<TSide, TfrmPlayer::SideCount> AllSides = {TfrmPlayer::Left, TfrmPlayer::Right,
                                                               TfrmPlayer::Top, TfrmPlayer::Bottom};

bool IsShipEnemy(int32_t kind) {
  return kind >= 3 && kind <= 14;
}

bool IsBonus(int32_t kind) {
  return kind >= kinds::ShotPowerBonus && kind <= kinds::ExtraLifeBonus;
}

int32_t Clamp(int32_t value, int32_t high) {
  return std::clamp(value, 0, high);
}

// "0" in front while the text is shorter than the width; a longer text stays whole.
std::string LeadingZeros(int32_t value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace

TfrmPlayer::TfrmPlayer(IGameContext& game, IEnemyHits& enemies)
    : fGame(game), fEnemies(enemies), fSelf(std::make_shared<TfrmPlayer*>(this)) {}

TfrmPlayer::~TfrmPlayer() {
  *fSelf = nullptr;
}

Tvt6Engine& TfrmPlayer::MainEngine() const {
  return *fGame.MainEngine();
}

Tvt6Engine& TfrmPlayer::TextEngine() const {
  return *fGame.TextEngine();
}

TSoundInstance TfrmPlayer::PlaySound(std::string_view name) const {
  return fGame.Sound().PlaySound(name);
}

int32_t TfrmPlayer::Random(int32_t n) const {
  return fGame.Random().Random(n);
}

// ---- Game and level start --------------------------------------------------------

void TfrmPlayer::ResetForNewGame(int32_t spareShips) {
  ShieldEnergy = NewGameShieldEnergy;
  ShotPower = 1;
  fGame.Globals().SpareShips = spareShips;
  HudRowA = 560;
  HudRowB = 560;
  HudStepA = 1;
  HudStepB = -1;
  ShipColour = 1 + Random(ShipColourCount);
  Bombs = NewGameBombs;
  fGame.Globals().Score = 0;
  SideOccupied.fill(false);
  PendingRespawns = 0;
  for (TSpriteRef& ghost : Ghost) ghost.Reset();
  LowerShields();
}

void TfrmPlayer::StartLevelShips() {
  PendingRespawns = 0;
  for (TSpriteRef& ghost : Ghost) ghost.Reset();
  int32_t& spareShips = fGame.Globals().SpareShips;
  for (TSide side : AllSides) {
    if (SideOccupied[side]) {
      CreateShip(side);
    } else if (spareShips > 0) {
      CreateShip(side);
      --spareShips;
    }
  }
  ControlX = 400;
  ControlY = 300;
  FireCooldown = 0;
  fGame.Globals().FireRequest = false;
  fGame.Globals().BombRequest = false;
}

void TfrmPlayer::LevelEndSnapshot() {
  for (TSide side : AllSides) {
    SideOccupied[side] = static_cast<bool>(Ship[side]);
    // A ghost still in flight would land during the level-complete screen, spend its
    // spare and be cleared away with the playfield; the level start that follows
    // serves its side from the spares instead.
    if (Tvt6Sprite* ghost = Ghost[side].Get()) ghost->Dead = true;
    Ghost[side].Reset();
  }
  PendingRespawns = 0;
}

bool TfrmPlayer::GameContinues() const {
  if (fGame.Globals().SpareShips > 0) return true;
  return std::any_of(Ship.begin(), Ship.end(), [](const TSpriteRef& s) { return bool(s); });
}

Tvt6Sprite* TfrmPlayer::ChooseTargetShip() {
  const auto& order = TargetOrders[static_cast<size_t>(Random(4))];
  for (TSide side : order)
    if (Tvt6Sprite* ship = Ship[side].Get()) return ship;
  return nullptr;
}

// ---- Ships -------------------------------------------------------------------------

Tvt6Sprite& TfrmPlayer::MakeShip(TSide side) {
  const TPlayerSide& rules = PlayerSides[side];
  Tvt6Sprite& ship = MainEngine().NewSprite();
  ship.Place(rules.Home.X, rules.Home.Y, Unlimited, true);
  ship.Kind = kinds::PlayerShip;
  ship.Countdown = 0;
  ship.Strength = 0;
  ship.OnCollide = WhileAlive([side](TfrmPlayer& player, Tvt6Sprite& tester, Tvt6Sprite& target) {
    player.ShipCollide(side, tester, target);
  });
  ship.Projector->QuickInit(reels::Player, ShipScene(SideNames[side], ShipColour), Unlimited);
  Ship[side] = ship;
  return ship;
}

void TfrmPlayer::CreateShip(TSide side) {
  MainEngine().SetLayer(MakeShip(side), 1);
  SideOccupied[side] = true;
  if (ShieldsUp) CreateShield(side);
}

void TfrmPlayer::FillEmptySides() {
  int32_t& spareShips = fGame.Globals().SpareShips;
  for (TSide side : AllSides) {
    if (!SideOccupied[side] && spareShips > 0) {
      CreateShip(side);
      --spareShips;
    }
  }
}

void TfrmPlayer::UpdateControlPoint() {
  const IInput& input = fGame.Input();
  ControlX = Clamp(ControlX + input.MouseX(), MaxControlX);
  ControlY = Clamp(ControlY + input.MouseY(), MaxControlY);
}

Tvt6Move_MoveToFixedXYPoint* TfrmPlayer::GhostFlight(TSide side) const {
  Tvt6Sprite* ghost = Ghost[side].Get();
  if (!ghost) return nullptr;
  for (int i = 0; i < ghost->BehaviorCount(); ++i)
    if (auto* flight = dynamic_cast<Tvt6Move_MoveToFixedXYPoint*>(ghost->GetBehavior(i)))
      return flight;
  return nullptr;
}

void TfrmPlayer::FollowControlPoint() {
  for (TSide side : AllSides) {
    const TPlayerSide& rules = PlayerSides[side];
    Tvt6Sprite* ship = Ship[side].Get();
    if (!ship) {
      // Only the Left ghost follows the control point on its way in.
      if (side == Left)
        if (Tvt6Move_MoveToFixedXYPoint* flight = GhostFlight(side)) flight->TargetY = ControlY;
      continue;
    }
    if (rules.FollowsX)
      ship->X = ControlX;
    else
      ship->Y = ControlY;
    if (Tvt6Sprite* shield = Shield[side].Get()) {
      shield->X = ship->X + rules.ShieldOffset.X;
      shield->Y = ship->Y + rules.ShieldOffset.Y;
    }
  }
  NoteSteeredSprites();
}

// Ships and shields stand where the control point has just put them, so a display that
// draws between ticks may draw them where the pending mouse motion will put it.
void TfrmPlayer::NoteSteeredSprites() {
  IFrameNotes* notes = fGame.Display().FrameNotes();
  if (!notes) return;
  notes->SetPointer(fGame.Input(), ControlX, ControlY, MaxControlX, MaxControlY);
  const Tvt6Engine& engine = MainEngine();
  for (TSide side : AllSides) {
    const Tvt6Sprite* ship = Ship[side].Get();
    if (!ship) continue;
    const bool alongX = PlayerSides[side].FollowsX;
    notes->FollowPointer(&engine, ship->Serial, alongX, !alongX, ControlX, ControlY);
    if (const Tvt6Sprite* shield = Shield[side].Get())
      notes->FollowPointer(&engine, shield->Serial, alongX, !alongX, ControlX, ControlY);
  }
}

void TfrmPlayer::PlayerTick() {
  DecayShotPower();
  FollowControlPoint();
  TGameGlobals& globals = fGame.Globals();
  if (globals.BombRequest) {
    globals.BombRequest = false;
    LaunchBombWaves();
  }
  if (globals.FireRequest) {
    globals.FireRequest = false;
    FireRule();
  }
}

void TfrmPlayer::ShipCollide(TSide side, Tvt6Sprite& ship, Tvt6Sprite& other) {
  // While the shields are up they take the hits; the ships ignore every contact.
  if (ShieldsUp) return;
  // A sprite already destroyed this tick (an enemy a shot or wave has just killed, a
  // bonus another ship has just taken) is gone: it neither kills nor gives twice.
  if (other.Dead) return;
  if (IsShipEnemy(other.Kind)) {
    if (ship.Countdown != 0)
      fEnemies.Hit(other, ship);
    else
      ShipDeath(side, ship);
  } else if (IsBonus(other.Kind)) {
    CollectBonus(other);
  }
}

void TfrmPlayer::ShipDeath(TSide side, Tvt6Sprite& ship) {
  const TPlayerSide& rules = PlayerSides[side];
  ship.Dead = true;
  Ship[side].Reset();
  PlaySound(sounds::ShipExplosion);

  const int32_t explosionX = ship.X + rules.Explosion.X;
  const int32_t explosionY = ship.Y + rules.Explosion.Y;
  Tvt6Sprite& carrier = MainEngine().NewSprite();
  carrier.Place(Unlimited, Unlimited, ExplosionCarrierLifetime, false);
  carrier.Projector->QuickInit(reels::Explosions, SparkScene(1), Unlimited);
  carrier.Kind = rules.ExplosionKind;

  auto rings = std::make_unique<Tvt6Behavior_ERE>();
  rings->AddParam(explosionX - RingRadius);
  rings->AddParam(explosionY - RingRadius);
  rings->Init(ExplosionRuns, WhileAlive([](TfrmPlayer& player, Tvt6Behavior_ERE& behaviour) {
                if (player.Random(100) >= RingChance) return;
                Tvt6Sprite& ring = player.TextEngine().NewSprite();
                ring.Place(static_cast<int32_t>(behaviour.Param(0)),
                           static_cast<int32_t>(behaviour.Param(1)), RingLifetime, false);
                ring.Projector->QuickInit(reels::Explosions, scenes::Ring, Unlimited);
              }),
              WhileAlive([side](TfrmPlayer& player, Tvt6Behavior_ERE& behaviour) {
                behaviour.Sprite->Dead = true;
                player.RespawnDecision(side);
              }));
  carrier.AddBehavior(std::move(rings));
}

void TfrmPlayer::RespawnDecision(TSide side) {
  if (fGame.Globals().SpareShips - PendingRespawns > 0) LaunchGhost(side);
}

void TfrmPlayer::LaunchGhost(TSide side) {
  const TPlayerSide& rules = PlayerSides[side];
  auto flight = std::make_unique<Tvt6Move_MoveToFixedXYPoint>();
  flight->Init(rules.FollowsX ? ControlX : rules.Home.X, rules.FollowsX ? rules.Home.Y : ControlY,
               GhostStep, GhostStep);
  flight->SetOnArrive(WhileAlive([side](TfrmPlayer& player, Tvt6Move_MoveToFixedXYPoint& arrived) {
    player.GhostArrive(side, *arrived.Sprite);
  }));

  Tvt6Sprite& ghost = TextEngine().NewSprite();
  ghost.Place(GhostStartX, GhostStartY, Unlimited, false);
  ghost.Projector->QuickInit(reels::Player, GhostScene, Unlimited);
  ghost.Kind = rules.GhostKind;
  ghost.AddBehavior(std::move(flight));

  Ghost[side] = ghost;
  ++PendingRespawns;
}

// The flight would report arrival on every run while the ghost sat at its target; the
// ghost is marked dead here, so it is not run again.
void TfrmPlayer::GhostArrive(TSide side, Tvt6Sprite& ghost) {
  const TPlayerSide& rules = PlayerSides[side];
  Tvt6Sprite& ship = MakeShip(side);
  if (rules.InvulnerableRespawn) {
    ship.Countdown = RespawnCountdown;
    ship.Strength = RespawnStrength;
  }
  --fGame.Globals().SpareShips;
  --PendingRespawns;
  ghost.Dead = true;
  Ghost[side].Reset();
  LaunchWave(rules.Sweep, rules.SweepStart.X, rules.SweepStart.Y, rules.SweepStep.X,
             rules.SweepStep.Y);
  if (ShieldsUp) CreateShield(side);
}

// ---- Heads-up display --------------------------------------------------------------

void TfrmPlayer::DrawHud() {
  IDisplay& display = fGame.Display();
  display.FillRect(Bounds(0, HudBandTop, ScreenWidth, ScreenHeight - HudBandTop), RGB(0, 0, 0));

  const TGameGlobals& globals = fGame.Globals();
  const std::string score = LeadingZeros(globals.Score, 8);

  HudRowA += HudStepA;
  if (HudRowA == HudRowLow || HudRowA == HudRowHigh) HudStepA = -HudStepA;
  HudRowB += HudStepB;
  if (HudRowB == HudRowLow || HudRowB == HudRowHigh) HudStepB = -HudStepB;

  Tvt6FontEngine& fonts = *MainEngine().FontEngine();
  if (fonts.FontCount() > 0)
    fonts.Font(0).Font.Color = Tvt6StarEngine::WavelengthColor(HudRowA - HudWavelengthOffset);
  fonts.DrawText(HudFont, 550, HudRowA, "Score:" + score);
  fonts.DrawText(HudFont, 0, HudRowB, "Ships:" + LeadingZeros(globals.SpareShips, 2));
  fonts.DrawText(HudFont, 0, 0, "E:" + std::to_string(fGame.EnemiesLeft()));
  fonts.DrawText(HudFont, 0, 30, "L:" + std::to_string(globals.Level));
  fonts.DrawText(HudFont, 160, HudRowA, "Shields:" + std::to_string(ShieldEnergy));
  fonts.DrawText(HudFont, 380, HudRowB, "Bombs:" + std::to_string(Bombs));

  if (ShieldsUp) {
    --ShieldEnergy;
    if (ShieldEnergy <= 0) LowerShields();
  }
}

}  // namespace quellix
