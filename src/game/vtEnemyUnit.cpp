#include "game/vtEnemyUnit.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtGameContext.h"
#include "game/vtGameUnits.h"
#include "game/vtShrapnel.h"
#include "game/vtUnitSupport.h"
#include "movement/vtMoveOffsetPattern.h"
#include "movement/vtMoveToFixedXYPoint.h"
#include "movement/vtMoveTowardsSprite.h"
#include "services/vtSound.h"

namespace quellix {

TEnemyUnit::TEnemyUnit(const TEnemyContext& context, const TEnemyTraits& traits,
                       TEnemyCommonSettings& common, TEnemyFinalSettings& final)
    : fContext(context), fTraits(traits), fCommon(common), fFinal(final) {
  TEnemyCommonSettings& c = fCommon;
  AddReset(c.Current_MaxAmount, c.Initial_MaxAmount);
  AddReset(c.Current_PercentChance, c.Initial_PercentChance);
  AddReset(c.Current_ArmorPoints, c.Initial_ArmorPoints);
  AddReset(c.Current_XSpeed, c.Initial_XSpeed);
  AddReset(c.Current_YSpeed, c.Initial_YSpeed);
  AddReset(c.Current_Reserves, c.Initial_Reserves);
  // The speeds are recomputed from their start, one more per interval passed.
  AddGrowth({TGrowthRule::FromInitial, "Inc_XSpeed", &c.Inc_XSpeed, &c.Current_XSpeed,
             &c.Limit_XSpeed, &c.Initial_XSpeed});
  AddGrowth({TGrowthRule::FromInitial, "Inc_YSpeed", &c.Inc_YSpeed, &c.Current_YSpeed,
             &c.Limit_YSpeed, &c.Initial_YSpeed});
  AddGrowth({TGrowthRule::ByIncrease, "Inc_MaxAmount", &c.Inc_MaxAmount, &c.Current_MaxAmount,
             &c.Limit_MaxAmount, &c.Inc_MaxAmount_Increase});
  AddGrowth({TGrowthRule::ByOne, "Inc_PercentChance", &c.Inc_PercentChance,
             &c.Current_PercentChance, &c.Limit_PercentChance});
  AddGrowth({TGrowthRule::ByIncrease, "Inc_ArmorPoints", &c.Inc_ArmorPoints, &c.Current_ArmorPoints,
             &c.Limit_ArmorPoints, &c.Inc_ArmorPoint_Increase});
  AddGrowth({TGrowthRule::ByIncrease, "Inc_Reserves", &c.Inc_Reserves, &c.Current_Reserves,
             &c.Limit_Reserves, &c.Inc_Reserve_Increase});
  AddCounter(c.Amount_Launched);
  AddCounter(c.Amount_Active);
}

void TEnemyUnit::AddReset(int32_t& current, const int32_t& initial) {
  fResets.emplace_back(&current, &initial);
}

void TEnemyUnit::AddGrowth(const TGrowthRule& rule) {
  fGrowth.push_back(rule);
}

void TEnemyUnit::AddCounter(int32_t& counter) {
  fCounters.push_back(&counter);
}

// ---- Between levels ----------------------------------------------------------

bool TEnemyUnit::ActiveOn(int32_t level) const {
  return fFinal.active_mod > 0 && level >= fFinal.first_level_appears &&
         level % fFinal.active_mod == 0;
}

void TEnemyUnit::CheckIntervals() const {
  for (const TGrowthRule& rule : fGrowth)
    if (*rule.Interval == 0)
      throw std::runtime_error("Enemy kind \"" + std::string(Names().Group) +
                               "\": " + std::string(rule.IntervalName) +
                               " is 0, but it must be a number of levels of at least 1");
}

void TEnemyUnit::ChooseImage() {
  fCommon.Image = SaturatedAdd(fCommon.LowImage, Random().Random(fCommon.HighImage));
}

void TEnemyUnit::ResetKind(int32_t level) {
  ChooseImage();
  for (const auto& [current, initial] : fResets) *current = *initial;
  if (ActiveOn(level)) AddEnemiesLeft(Game(), fCommon.Initial_Reserves);
  for (int32_t* counter : fCounters) *counter = 0;
}

void TEnemyUnit::AdvanceKind(int32_t level) {
  CheckIntervals();
  ChooseImage();
  for (const TGrowthRule& rule : fGrowth) {
    const int32_t interval = *rule.Interval;
    if (level % interval != 0) continue;
    int64_t next = *rule.Value;
    switch (rule.Mode) {
      case TGrowthRule::FromInitial:
        next = int64_t{*rule.Source} + level / interval;
        break;
      case TGrowthRule::ByIncrease:
        next += *rule.Source;
        break;
      case TGrowthRule::ByOne:
        next += 1;
        break;
    }
    *rule.Value = Saturate32(std::min<int64_t>(next, *rule.Limit));
  }
  for (int32_t* counter : fCounters) *counter = 0;
  if (ActiveOn(level)) AddEnemiesLeft(Game(), fCommon.Current_Reserves);
}

// ---- Launch ------------------------------------------------------------------

void TEnemyUnit::Launch(int32_t x, int32_t y) {
  TEnemyCommonSettings& c = fCommon;
  if (c.Amount_Launched >= c.Current_Reserves || c.Amount_Active >= c.Current_MaxAmount) return;
  if (Random().Random(100) >= c.Current_PercentChance) return;
  Tvt6Sprite& enemy = MainEngine().NewSprite();
  enemy.Place(x, y, Tvt6Sprite::NotSet, true);
  enemy.Projector->QuickInit(Names().Reel, BodyScene(), Tvt6Projector::NotSet);
  enemy.Strength = c.Current_ArmorPoints;
  enemy.Kind = fTraits.Code;
  Build(enemy);
  Play(Names().LaunchSound);
  ++c.Amount_Launched;
  ++c.Amount_Active;
}

void TEnemyUnit::FlyTo(Tvt6Sprite& enemy, TRingPoint point) {
  enemy.AddBehavior(std::make_unique<Tvt6Move_MoveToFixedXYPoint>())
      .Init(point.X, point.Y, fCommon.Current_XSpeed, fCommon.Current_YSpeed);
}

void TEnemyUnit::FlyPattern(Tvt6Sprite& enemy) {
  const std::string name = EnemyPattern(fTraits.Kind, 1 + Random().Random(PatternVariants));
  // A pattern the file lacks leaves the movement failing quietly and the enemy standing.
  const Tvt6Pattern* pattern = MainEngine().PatternManager().FindPattern(name);
  enemy.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>())
      .Init(pattern, 0, fCommon.Current_XSpeed, fCommon.Current_YSpeed, 0, 0, true, true, false);
}

void TEnemyUnit::HomeOnShip(Tvt6Sprite& enemy) {
  const TSpriteRef target = Player().ChooseTargetShip();
  enemy.AddBehavior(std::make_unique<Tvt6Move_MoveTowardsSprite>())
      .Init(fCommon.Current_XSpeed, fCommon.Current_YSpeed, target);
}

// ---- Hits --------------------------------------------------------------------

void TEnemyUnit::Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) {
  if (enemy.Dead) return;
  if (TakeDamage(enemy, hitter))
    AddScore(Game(), 1);
  else
    Kill(enemy, hitter);
  MarkHit(hitter);
}

void TEnemyUnit::ShotHit(Tvt6Sprite& /*shot*/, Tvt6Sprite& /*hitter*/) {
  // Only the kinds that shoot have shots to hit.
}

bool TEnemyUnit::TakeDamage(Tvt6Sprite& enemy, const Tvt6Sprite& hitter) {
  enemy.Strength = Saturate32(int64_t{enemy.Strength} - hitter.Strength);
  return enemy.Strength > 0;
}

void TEnemyUnit::Kill(Tvt6Sprite& enemy, Tvt6Sprite& hitter) {
  ShowKillScore(enemy);
  AddScore(Game(), fTraits.Score);
  Shrapnel().KillEffects(hitter);
  AfterKillEffects(hitter);
  Shrapnel().ExplosionSound();
  Retire(enemy);
}

void TEnemyUnit::Retire(Tvt6Sprite& enemy) {
  enemy.Dead = true;
  --fCommon.Amount_Active;
  AddEnemiesLeft(Game(), -1);
}

void TEnemyUnit::ShowKillScore(Tvt6Sprite& enemy) {
  Shrapnel().ShowScore(enemy, ScorePopup(fTraits.Score));
}

void TEnemyUnit::AfterKillEffects(Tvt6Sprite& /*hitter*/) {}

void TEnemyUnit::MarkHit(Tvt6Sprite& hitter) {
  Shrapnel().HitSpark(hitter);
}

// ---- Services ----------------------------------------------------------------

TRandom& TEnemyUnit::Random() {
  return fContext.Game.Random();
}

Tvt6Engine& TEnemyUnit::MainEngine() {
  return MainEngineOf(fContext.Game);
}

void TEnemyUnit::Play(std::string_view sound) {
  fContext.Game.Sound().PlaySound(sound);
}

std::string TEnemyUnit::BodyScene() const {
  return EnemyScene(fTraits.Kind, fCommon.Image);
}

std::string TEnemyUnit::ShotScene() const {
  return EnemyShotScene(fTraits.Kind, fCommon.Image);
}

}  // namespace quellix
