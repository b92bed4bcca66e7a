// The bot that plays as a decent player would. It sees the screen as it was Reaction
// ticks ago (a player's reaction time) and reads motion from it, so it foresees what
// moves steadily but not what has just appeared or turned. It holds fire all the time
// and lines the ships up with the nearest threat, leading it by the time the shots take
// to get there; its hand moves the mouse at most Speed units a tick and its aim wavers. It raises
// the shields when an enemy or an enemy shot is about to touch a ship and shield energy is left
// (and dodges when none is), lowers them once the danger has passed, and sets off a bomb when the
// edges are crowded. It never pauses, and types its name when its score ranks.
#pragma once

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "base/vtRandom.h"
#include "engine/vtSpriteRef.h"
#include "vtBot.h"
#include "vtTitlePilot.h"

namespace quellix {
class Tvt6Engine;
class Tvt6Sprite;
}  // namespace quellix

namespace quellix::sim {

class TSkilledBot : public IBot {
 public:
  // Mouse units a tick, on each axis.
  static constexpr int32_t Speed = 24;
  // Ticks between a sight and the hand's answer to it (200 ms).
  static constexpr int32_t Reaction = 5;

  TSkilledBot(TPlayMode mode, uint64_t seed);

  void Act(const TGameView& view, TBotHands& hands) override;
  void Type(IModalWindow& window) override;
  bool PlaysOn() const override { return false; }

  struct TBox {
    int32_t X = 0, Y = 0, W = 0, H = 0;
  };
  // A sprite that harms ships, as last seen: its box and its motion over the last tick.
  struct TThreat {
    TBox Box;
    int32_t VX = 0, VY = 0;
    int32_t Kind = 0;
  };

 private:
  struct TShip {
    TBox Box;  // where it stands now
    bool FollowsX = false;
    bool Safe = false;  // brought back invulnerable, still counting down
  };
  struct TControl {
    int32_t X = 0, Y = 0;
  };

  void Play(const TGameView& view, TBotHands& hands);
  void Track(Tvt6Engine& engine);
  void FindShips(const TGameView& view);
  const TThreat* NearestThreat() const;
  TControl Aim(const TThreat& target, TControl now) const;
  // Ticks until a ship at the control point would touch a threat; -1 when none does
  // within the look-ahead.
  int32_t TimeToContact(TControl control) const;
  TControl SafestMove(TControl now, TControl aim) const;
  bool EdgesCrowded() const;

  TRandom fRandom;
  TTitlePilot fPilot;
  // What the bot sees now: the screen as it was Reaction ticks ago, its threats moved on
  // along their motion to now.
  std::vector<TThreat> fThreats;
  // The screens seen since, newest first.
  std::deque<std::vector<TThreat>> fSeen;
  std::vector<TShip> fShips;
  struct TTrack {
    TSpriteRef Sprite;
    int32_t X = 0, Y = 0;
  };
  std::unordered_map<const Tvt6Sprite*, TTrack> fTracks;
  // A human's aim wavers a little.
  int32_t fWobbleX = 0, fWobbleY = 0;
  int32_t fClearTicks = 0;
  int64_t fTick = 0;
  int64_t fLastBomb = -1000;
  size_t fTyped = 0;
  int32_t fTypeWait = 0;
};

}  // namespace quellix::sim
