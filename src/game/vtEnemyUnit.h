// The scheme every enemy kind follows. A kind's unit owns nothing but its place in the
// settings records: it resets and grows the kind's numbers between levels, offers the
// launch gate, builds an enemy at the hole, and takes hits. The base does what all
// kinds share; each kind's unit adds its movement, per-update handler, hit variant and
// shots.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/vtEnemySettings.h"
#include "game/vtAssetNames.h"
#include "game/vtTargetRings.h"

namespace quellix {

class IGameContext;
class IPlayerUnit;
class TfrmShrapnel;
class TRandom;
class Tvt6Engine;
class Tvt6Sprite;

// What the enemies work with. Handlers that enemies and their shots carry call back
// into the units, so the units must outlive every sprite of MainEngine.
struct TEnemyContext {
  IGameContext& Game;
  IPlayerUnit& Player;
  TfrmShrapnel& Shrapnel;
};

struct TEnemyTraits {
  TEnemyKind Kind;       // names and configuration group
  int32_t Code;          // sprite Kind of the kind's enemies
  int32_t Score;         // points for a kill
  int32_t ShotCode = 0;  // sprite Kind of its shots; 0 when it does not shoot
};

// One rule of the level advance: on levels that are a multiple of Interval, Value takes
// its next value, held to Limit.
struct TGrowthRule {
  enum TMode : uint8_t {
    FromInitial,  // Source (the initial value) + level div Interval
    ByIncrease,   // Value + Source (the increase)
    ByOne,        // Value + 1
  };
  TMode Mode;
  std::string_view IntervalName;
  const int32_t* Interval;
  int32_t* Value;
  const int32_t* Limit;
  const int32_t* Source = nullptr;
};

class TEnemyUnit {
 public:
  template <class TRecord>
  TEnemyUnit(const TEnemyContext& context, const TEnemyTraits& traits, TRecord& record)
      : TEnemyUnit(context, traits, static_cast<TEnemyCommonSettings&>(record),
                   static_cast<TEnemyFinalSettings&>(record)) {}
  virtual ~TEnemyUnit() = default;
  TEnemyUnit(const TEnemyUnit&) = delete;
  TEnemyUnit& operator=(const TEnemyUnit&) = delete;

  const TEnemyTraits& Traits() const { return fTraits; }
  const TEnemyNames& Names() const { return EnemyNames(fTraits.Kind); }
  TEnemyCommonSettings& Common() { return fCommon; }
  TEnemyFinalSettings& Final() { return fFinal; }

  // The kind plays on levels from first_level_appears on that are multiples of
  // active_mod; never when active_mod is 0 or less.
  bool ActiveOn(int32_t level) const;
  // Raises std::runtime_error naming the kind and the field when a growth interval
  // is 0: every level would divide by it.
  void CheckIntervals() const;
  // The new-game values; the kind's reserves count towards the level's enemies when it
  // plays on it.
  void ResetKind(int32_t level);
  // Grows the numbers for the new level (CheckIntervals first, so a bad record is left
  // as it was).
  void AdvanceKind(int32_t level);
  // The launch gate: reserves left, room on the screen and the kind's chance; then one
  // enemy leaves (x, y).
  void Launch(int32_t x, int32_t y);

  // A player hitter touched one of the kind's enemies: the standard handler.
  virtual void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter);
  // ... or one of its shots.
  virtual void ShotHit(Tvt6Sprite& shot, Tvt6Sprite& hitter);

 protected:
  TEnemyUnit(const TEnemyContext& context, const TEnemyTraits& traits, TEnemyCommonSettings& common,
             TEnemyFinalSettings& final);

  // Gives a new enemy its movement and per-update handler.
  virtual void Build(Tvt6Sprite& enemy) = 0;
  // The kill's score popup.
  virtual void ShowKillScore(Tvt6Sprite& enemy);
  // Between the kill effects and the explosion sound of a kill.
  virtual void AfterKillEffects(Tvt6Sprite& hitter);
  // The last step of every hit: a spark at the hitter.
  virtual void MarkHit(Tvt6Sprite& hitter);

  // The kind's extra values: reset at a new game from their initial values, grown by
  // their rules, or zeroed at every new game and level.
  void AddReset(int32_t& current, const int32_t& initial);
  void AddGrowth(const TGrowthRule& rule);
  void AddCounter(int32_t& counter);
  // The shot chance of azteks, flouds and spirals.
  template <class TShotChance>
  void AddShotChance(TShotChance& shots) {
    AddReset(shots.Current_ShotChance, shots.Initial_ShotChance);
    AddGrowth({TGrowthRule::ByOne, "Inc_ShotChance", &shots.Inc_ShotChance,
               &shots.Current_ShotChance, &shots.Limit_ShotChance});
  }

  // Lowers the enemy's armour by the hitter's damage; true while some is left.
  bool TakeDamage(Tvt6Sprite& enemy, const Tvt6Sprite& hitter);
  // The standard kill: popup, score, kill effects, explosion, and the counts.
  void Kill(Tvt6Sprite& enemy, Tvt6Sprite& hitter);
  // Dead, one fewer on the screen and one fewer left on the level.
  void Retire(Tvt6Sprite& enemy);

  // Movements at launch, with the kind's current speeds: to a point, or along the
  // kind's own pattern (prefix + 1..3).
  void FlyTo(Tvt6Sprite& enemy, TRingPoint point);
  void FlyPattern(Tvt6Sprite& enemy);
  // The homing movement towards a ship chosen now (none: the enemy waits).
  void HomeOnShip(Tvt6Sprite& enemy);

  IGameContext& Game() { return fContext.Game; }
  IPlayerUnit& Player() { return fContext.Player; }
  TfrmShrapnel& Shrapnel() { return fContext.Shrapnel; }
  TRandom& Random();
  Tvt6Engine& MainEngine();
  void Play(std::string_view sound);
  // The scene of the kind's enemies or shots with the current Image.
  std::string BodyScene() const;
  std::string ShotScene() const;

 private:
  // Image := LowImage + Random(HighImage), held within 32 bits.
  void ChooseImage();
  TEnemyContext fContext;
  TEnemyTraits fTraits;
  TEnemyCommonSettings& fCommon;
  TEnemyFinalSettings& fFinal;
  std::vector<std::pair<int32_t*, const int32_t*>> fResets;
  std::vector<TGrowthRule> fGrowth;
  std::vector<int32_t*> fCounters;
};

}  // namespace quellix
