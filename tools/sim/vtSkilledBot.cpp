#include "vtSkilledBot.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtPlayerSides.h"
#include "game/vtSpriteKinds.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"

namespace quellix::sim {

namespace {

constexpr int32_t LookAhead = 8;      // ticks of motion foreseen
constexpr int32_t ShieldReach = 2;    // contact this soon raises the shields
constexpr int32_t ShieldLinger = 4;   // ticks without danger before they go down
constexpr int32_t ContactMargin = 4;  // pixels kept between a ship and a threat
constexpr int32_t EdgeBand = 110;     // pixels from an edge that count as crowding it
constexpr int32_t CrowdLimit = 6;
constexpr int32_t BombGap = 75;      // a bomb's waves sweep for 70 ticks
constexpr int32_t ShotSpeed = 16;    // pixels a tick
constexpr int32_t MaxMotion = 24;    // more in one tick is a push, not motion
constexpr int32_t WobbleTicks = 12;  // how long a wavering aim holds
constexpr int32_t Wobble = 6;        // pixels either way
constexpr int32_t HudTop = 558;
constexpr std::string_view Name = "Skilled";

// Enemies and their shots: what kills a ship that touches it.
bool Harms(int32_t kind) {
  return kind >= kinds::Starfish && kind <= kinds::Spike;
}

bool IsShot(int32_t kind) {
  return kind == kinds::SpiralShot || kind == kinds::AztekShot || kind == kinds::FloudShot;
}

// What a level needs destroyed.
bool IsEnemy(int32_t kind) {
  return (Harms(kind) && !IsShot(kind)) || kind == kinds::Base;
}

TSkilledBot::TBox BoxOf(Tvt6Sprite& sprite) {
  int32_t width = 0, height = 0;
  try {
    if (sprite.Projector) sprite.Projector->GetDims(width, height);
  } catch (const std::exception&) {
    // A sprite without a picture is a point.
  }
  return {sprite.X, sprite.Y, width, height};
}

bool Overlap(const TSkilledBot::TBox& a, const TSkilledBot::TBox& b, int32_t margin) {
  return a.X - margin < b.X + b.W && b.X < a.X + a.W + margin && a.Y - margin < b.Y + b.H &&
         b.Y < a.Y + a.H + margin;
}

int32_t Step(int32_t from, int32_t to, int32_t speed) {
  return from + std::clamp(to - from, -speed, speed);
}

}  // namespace

TSkilledBot::TSkilledBot(TPlayMode mode, uint64_t seed)
    : fRandom(seed ^ 0x534B494C4C454400ULL), fPilot(mode, Speed) {}

void TSkilledBot::Act(const TGameView& view, TBotHands& hands) {
  switch (view.Main.Globals.GameState) {
    case gsTitle:
      hands.RightButton(false);
      fPilot.Steer(view, hands);
      break;
    case gsPlaying:
      Play(view, hands);
      return;
    default:
      hands.RightButton(false);
      hands.Mouse(0, 0, false);
      break;
  }
  // A new level starts with a new screen.
  fSeen.clear();
  fTracks.clear();
}

void TSkilledBot::Track(Tvt6Engine& engine) {
  std::vector<TThreat> threats;
  std::unordered_map<const Tvt6Sprite*, TTrack> tracks;
  for (int i = 0; i < engine.SpriteCount(); ++i) {
    Tvt6Sprite& sprite = *engine.GetSprite(i);
    if (sprite.Dead || !(Harms(sprite.Kind) || sprite.Kind == kinds::Base)) continue;
    TThreat threat{BoxOf(sprite), 0, 0, sprite.Kind};
    const auto seen = fTracks.find(&sprite);
    if (seen != fTracks.end() && seen->second.Sprite.Get() == &sprite) {
      threat.VX = sprite.X - seen->second.X;
      threat.VY = sprite.Y - seen->second.Y;
      if (std::abs(threat.VX) > MaxMotion || std::abs(threat.VY) > MaxMotion)
        threat.VX = threat.VY = 0;
    }
    threats.push_back(threat);
    tracks[&sprite] = {TSpriteRef(sprite), sprite.X, sprite.Y};
  }
  fTracks = std::move(tracks);

  fSeen.push_front(std::move(threats));
  if (fSeen.size() > Reaction + 1) fSeen.pop_back();
  const int32_t age = static_cast<int32_t>(fSeen.size()) - 1;
  fThreats = fSeen.back();
  for (TThreat& threat : fThreats) {
    threat.Box.X += threat.VX * age;
    threat.Box.Y += threat.VY * age;
  }
}

void TSkilledBot::FindShips(const TGameView& view) {
  fShips.clear();
  for (size_t side = 0; side < PlayerSides.size(); ++side) {
    Tvt6Sprite* ship = view.Game.Player.Ship[side].Get();
    if (!ship) continue;
    // Brought back invulnerable: it hits what it touches while the countdown lasts.
    fShips.push_back({BoxOf(*ship), PlayerSides[side].FollowsX, ship->Countdown > ShieldReach});
  }
}

const TSkilledBot::TThreat* TSkilledBot::NearestThreat() const {
  const TThreat* nearest = nullptr;
  int32_t best = std::numeric_limits<int32_t>::max();
  for (const TThreat& threat : fThreats) {
    if (!IsEnemy(threat.Kind)) continue;
    const TBox& b = threat.Box;
    for (const TShip& ship : fShips) {
      int32_t distance = 0;
      if (ship.FollowsX)
        distance = ship.Box.Y == 0 ? b.Y : HudTop - (b.Y + b.H);
      else
        distance = ship.Box.X == 0 ? b.X : ScreenWidth - (b.X + b.W);
      if (distance < best) {
        best = distance;
        nearest = &threat;
      }
    }
  }
  return nearest;
}

TSkilledBot::TControl TSkilledBot::Aim(const TThreat& target, TControl now) const {
  const int32_t cx = target.Box.X + target.Box.W / 2;
  const int32_t cy = target.Box.Y + target.Box.H / 2;
  // The shots of the nearer ship get there first; lead the target by their time.
  int32_t alongX = std::numeric_limits<int32_t>::max(), alongY = alongX;
  int32_t halfWidth = 0, halfHeight = 0;
  for (const TShip& ship : fShips) {
    if (ship.FollowsX) {
      alongX = std::min(alongX, std::abs(cy - (ship.Box.Y + ship.Box.H / 2)) / ShotSpeed);
      halfWidth = ship.Box.W / 2;
    } else {
      alongY = std::min(alongY, std::abs(cx - (ship.Box.X + ship.Box.W / 2)) / ShotSpeed);
      halfHeight = ship.Box.H / 2;
    }
  }
  TControl aim = now;
  if (halfWidth > 0)
    aim.X = std::clamp(cx + target.VX * alongX - halfWidth + fWobbleX, 0, TfrmPlayer::MaxControlX);
  if (halfHeight > 0)
    aim.Y = std::clamp(cy + target.VY * alongY - halfHeight + fWobbleY, 0, TfrmPlayer::MaxControlY);
  return aim;
}

int32_t TSkilledBot::TimeToContact(TControl control) const {
  for (int32_t t = 0; t < LookAhead; ++t) {
    for (const TShip& ship : fShips) {
      if (ship.Safe) continue;
      TBox box = ship.Box;
      (ship.FollowsX ? box.X : box.Y) = ship.FollowsX ? control.X : control.Y;
      for (const TThreat& threat : fThreats) {
        if (!Harms(threat.Kind)) continue;
        TBox then = threat.Box;
        then.X += threat.VX * t;
        then.Y += threat.VY * t;
        if (Overlap(box, then, ContactMargin + t)) return t;
      }
    }
  }
  return -1;
}

TSkilledBot::TControl TSkilledBot::SafestMove(TControl now, TControl aim) const {
  TControl best = now;
  int32_t bestTime = -2, bestDistance = 0;
  for (int32_t i = -2; i <= 2; ++i) {
    for (int32_t j = -2; j <= 2; ++j) {
      const TControl move{std::clamp(now.X + i * Speed / 2, 0, TfrmPlayer::MaxControlX),
                          std::clamp(now.Y + j * Speed / 2, 0, TfrmPlayer::MaxControlY)};
      int32_t time = TimeToContact(move);
      if (time < 0) time = LookAhead;
      const int32_t distance = std::abs(move.X - aim.X) + std::abs(move.Y - aim.Y);
      if (time > bestTime || (time == bestTime && distance < bestDistance)) {
        best = move;
        bestTime = time;
        bestDistance = distance;
      }
    }
  }
  return best;
}

bool TSkilledBot::EdgesCrowded() const {
  int32_t crowd = 0;
  for (const TThreat& threat : fThreats) {
    if (!Harms(threat.Kind)) continue;
    const int32_t cx = threat.Box.X + threat.Box.W / 2, cy = threat.Box.Y + threat.Box.H / 2;
    const bool nearShip = std::any_of(fShips.begin(), fShips.end(), [&](const TShip& ship) {
      if (ship.FollowsX) return ship.Box.Y == 0 ? cy < EdgeBand : cy > HudTop - EdgeBand;
      return ship.Box.X == 0 ? cx < EdgeBand : cx > ScreenWidth - EdgeBand;
    });
    if (nearShip) ++crowd;
  }
  return crowd >= CrowdLimit;
}

void TSkilledBot::Play(const TGameView& view, TBotHands& hands) {
  Track(*view.Main.MainEngine());
  FindShips(view);
  const TfrmPlayer& player = view.Game.Player;
  if (++fTick % WobbleTicks == 0) {
    fWobbleX = fRandom.Random(2 * Wobble + 1) - Wobble;
    fWobbleY = fRandom.Random(2 * Wobble + 1) - Wobble;
  }
  const TControl now{player.ControlX, player.ControlY};
  const TThreat* target = NearestThreat();
  const TControl aim = target ? Aim(*target, now) : now;
  TControl move{Step(now.X, aim.X, Speed), Step(now.Y, aim.Y, Speed)};

  const int32_t contact = TimeToContact(move);
  const bool danger = contact >= 0 && contact <= ShieldReach;
  const bool energy = player.ShieldEnergy > 0;
  if (danger && !energy) move = SafestMove(now, aim);
  fClearTicks = danger ? 0 : fClearTicks + 1;
  const bool shields =
      energy && (danger || (hands.RightButtonDown() && fClearTicks < ShieldLinger));
  hands.RightButton(shields);

  const bool cornered = danger && !energy && TimeToContact(move) == 0;
  if (player.Bombs > 0 && fTick - fLastBomb > BombGap && (EdgesCrowded() || cornered)) {
    hands.Key(VK_SPACE);
    fLastBomb = fTick;
  }
  hands.Mouse(move.X - now.X, move.Y - now.Y, true);
}

void TSkilledBot::Type(IModalWindow& window) {
  if (fTypeWait-- > 0) return;
  fTypeWait = 1;
  if (fTyped < Name.size()) {
    window.TextInput(Name.substr(fTyped++, 1));
    return;
  }
  window.KeyDown(VK_RETURN);
  window.KeyUp(VK_RETURN);
}

}  // namespace quellix::sim
