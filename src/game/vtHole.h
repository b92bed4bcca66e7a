// The hole in the middle of the screen that every enemy comes out of, the stream of
// stars that falls into it, and the game's progress from level to level: a new game at
// a difficulty, the enemies each level holds and how every kind's numbers grow.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/vtGameUnits.h"

namespace quellix {

class TEnemyFamily;
class IGameContext;
class Tvt6Sprite;
class Tvt6StarEngine;
struct Tvt6Star;

class TfrmHole : public IHoleUnit {
 public:
  // Where the hole sprite stands and where enemies leave it.
  static constexpr int32_t HoleX = 350;
  static constexpr int32_t HoleY = 230;
  static constexpr int32_t LaunchX = 380;
  static constexpr int32_t LaunchY = 280;
  static constexpr int32_t StarsPerTick = 6;

  TfrmHole(IGameContext& game, IPlayerUnit& player, TEnemyFamily& enemies);
  ~TfrmHole() override;
  TfrmHole(const TfrmHole&) = delete;
  TfrmHole& operator=(const TfrmHole&) = delete;

  // Once at start-up, after the display exists.
  void InitStars() override;
  // A new hole sprite on MainEngine; its updates count TickCount from 0 and schedule
  // the launches.
  void CreateHole() override;
  // Six stars from the screen edges towards the hole; nothing before InitStars.
  void SpawnStars() override;
  Tvt6StarEngine* Stars() override { return fStars.get(); }
  void AdvanceLevel() override;
  // Loads every kind's settings for the difficulty (the "child" section in child mode)
  // and starts level 1. A failing load, or a kind with a growth interval of 0, raises
  // to the caller before anything else changes, and no game starts.
  void StartGame(TDifficulty difficulty) override;

  // Level 1: clears both engines, brings the ships and the hole, and resets every kind.
  void NewGame();
  // The hole sprite's update.
  void HoleTick();
  // Offers a launch to every kind that plays on this level once its delay has passed.
  void ScheduleLaunches();
  void NewStarColour();
  // Replaces the starfield with stars like these, each falling into the hole as the
  // hole's own do (a game started again from where it once started).
  void PlaceStars(const std::vector<Tvt6Star>& stars);

  int32_t TickCount = 0;       // updates of the current hole sprite
  int32_t StarWavelength = 0;  // nanometres; new stars take colours within 30 above it

 private:
  IGameContext& fGame;
  IPlayerUnit& fPlayer;
  TEnemyFamily& fEnemies;
  std::unique_ptr<Tvt6StarEngine> fStars;
};

}  // namespace quellix
