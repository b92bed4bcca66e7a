// The player: up to four ships, one on each screen edge, steered together by one
// control point that the mouse moves; their volleys, bombs (waves) and shields; the
// death of a ship, its explosion and the ghost that brings the replacement in; the
// bonuses the ships collect and the heads-up display.
//
// Ships, ghosts and shields are sprites of the engines; the unit keeps only weak
// references to them, so a cleared engine leaves nothing dangling. The handlers the
// unit installs on sprites do nothing once the unit is gone, so an engine may outlive
// it (the owner of both still clears the engines before freeing the units, so that no
// sprite keeps a handler that cannot run).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/vtSpriteRef.h"
#include "game/vtGameUnits.h"
#include "game/vtSpriteKinds.h"
#include "graphics/vtMedia.h"

namespace quellix {

class IGameContext;
class Tvt6Engine;
class Tvt6Move_MoveToFixedXYPoint;

class TfrmPlayer : public IPlayerUnit {
 public:
  // The four sides, in the order in which level start and the extra-life fill visit them.
  enum TSide : uint8_t { Left, Right, Top, Bottom };
  static constexpr int SideCount = 4;

  enum class TWave : uint8_t { Horizontal, Vertical };

  // The control point's range: a 50-pixel ship at 749 reaches the right edge, a ship at
  // 519 ends above the heads-up band.
  static constexpr int32_t MaxControlX = 749;
  static constexpr int32_t MaxControlY = 519;
  static constexpr int32_t MaxShotDamage = 8;
  static constexpr int32_t ShotPowerTicks = 75;
  static constexpr int32_t NewGameShieldEnergy = 1000;
  static constexpr int32_t NewGameBombs = 3;

  TfrmPlayer(IGameContext& game, IEnemyHits& enemies);
  ~TfrmPlayer() override;
  TfrmPlayer(const TfrmPlayer&) = delete;
  TfrmPlayer& operator=(const TfrmPlayer&) = delete;

  // ---- What the game loop and the game start ask ----------------------------------
  void UpdateControlPoint() override;
  void RaiseShields() override;
  void LowerShields() override;
  void PlayerTick() override;
  void DrawHud() override;
  void LevelEndSnapshot() override;
  void StartLevelShips() override;
  bool GameContinues() const override;
  Tvt6Sprite* ChooseTargetShip() override;
  void ResetForNewGame(int32_t spareShips) override;

  // ---- The unit's own operations ----------------------------------------------------
  void CreateShip(TSide side);
  // Brings a spare ship to every side whose flag is clear, while spares last.
  void FillEmptySides();
  void LaunchBombWaves();
  void LaunchWave(TWave orientation, int32_t x, int32_t y, int32_t dx, int32_t dy);
  void CreateShield(TSide side);

  // ---- The player record (score, level and spare ships live in the game globals) --
  int32_t ControlX = 400;
  int32_t ControlY = 300;
  int32_t FireCooldown = 0;
  int32_t PendingRespawns = 0;
  int32_t ShipColour = 1;
  int32_t ShotPower = 1;
  // Counts below zero, and decays nothing, until a shot-power bonus first sets it.
  int32_t ShotPowerTimer = 0;
  int32_t Bombs = NewGameBombs;
  bool ShieldsUp = false;
  int32_t ShieldEnergy = NewGameShieldEnergy;
  int32_t ShieldVariant = 1;
  int32_t HudRowA = 560;
  int32_t HudRowB = 560;
  int32_t HudStepA = 1;
  int32_t HudStepB = -1;
  // Per side, indexed by TSide.
  std::array<bool, SideCount> SideOccupied{};
  std::array<TSpriteRef, SideCount> Ship;
  std::array<TSpriteRef, SideCount> Ghost;
  std::array<TSpriteRef, SideCount> Shield;

 private:
  Tvt6Engine& MainEngine() const;
  Tvt6Engine& TextEngine() const;
  TSoundInstance PlaySound(std::string_view name) const;
  int32_t Random(int32_t n) const;

  // A sprite handler that runs on this unit while it lives and does nothing after.
  template <class F>
  auto WhileAlive(F handler) const {
    return [self = fSelf, handler](auto&... args) {
      if (TfrmPlayer* player = *self) handler(*player, args...);
    };
  }

  // Ships (vtPlayer.cpp).
  Tvt6Sprite& MakeShip(TSide side);
  void ShipCollide(TSide side, Tvt6Sprite& ship, Tvt6Sprite& other);
  void ShipDeath(TSide side, Tvt6Sprite& ship);
  void RespawnDecision(TSide side);
  void LaunchGhost(TSide side);
  void GhostArrive(TSide side, Tvt6Sprite& ghost);
  void FollowControlPoint();
  void NoteSteeredSprites();
  Tvt6Move_MoveToFixedXYPoint* GhostFlight(TSide side) const;

  // Weapons, shields and bonuses (vtPlayerWeapons.cpp).
  void FireRule();
  void MakeShot(TSide side, const Tvt6Sprite& ship);
  void ShotHit(Tvt6Sprite& shot, Tvt6Sprite& other);
  void WaveHit(Tvt6Sprite& wave, Tvt6Sprite& other);
  void ShieldHit(Tvt6Sprite& shield, Tvt6Sprite& other);
  void DropDrip(const Tvt6Sprite& wave);
  void CollectBonus(Tvt6Sprite& bonus);
  void DecayShotPower();

  IGameContext& fGame;
  IEnemyHits& fEnemies;
  // The playing copy of the shields' hum, stopped when the shields go down.
  TSoundInstance fShieldSound = 0;
  // Shared with every handler the unit installs; emptied when the unit goes.
  std::shared_ptr<TfrmPlayer*> fSelf;
};

}  // namespace quellix
