// The real main window on the recording fake platform, started on the game's generated
// data (linked into a temporary folder, so nothing is written beside the real data),
// with the real hole, enemy family and shrapnel units and a player that only offers a
// target ship and records what it is asked.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/vtEngine.h"
#include "game/vtEnemyFamily.h"
#include "game/vtHole.h"
#include "game/vtShrapnel.h"
#include "shell/vtMainWindow.h"
#include "support/vtFakeMedia.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {

class TTargetPlayer : public IPlayerUnit {
 public:
  void UpdateControlPoint() override {}
  void RaiseShields() override {}
  void LowerShields() override { Calls.push_back("LowerShields"); }
  void PlayerTick() override {}
  void DrawHud() override {}
  void LevelEndSnapshot() override {}
  void StartLevelShips() override { Calls.push_back("StartLevelShips"); }
  bool GameContinues() const override { return true; }
  Tvt6Sprite* ChooseTargetShip() override { return Target.Get(); }
  void ResetForNewGame(int32_t spareShips) override {
    Calls.push_back("ResetForNewGame " + std::to_string(spareShips));
  }

  TSpriteRef Target;
  std::vector<std::string> Calls;
};

// A configuration text with every field of every kind in all four sections, valued by
// the function.
std::string ConfigText(
    const std::function<int32_t(std::string_view group, std::string_view field)>& value);

class GameUnitsTest : public ::testing::Test {
 protected:
  GameUnitsTest();

  Tvt6Engine& Main() { return *main.MainEngine(); }
  Tvt6Engine& Text() { return *main.TextEngine(); }
  TEnemyUnit& Kind(TEnemyKind kind) { return enemies.Kind(kind); }

  // Loads the "easy" numbers and starts level 1 without touching the game state.
  void NewGameAtEasy();
  // Opens the kind's gate wide (reserves, room and chance) and launches one enemy at
  // the hole; answers it.
  Tvt6Sprite& LaunchOne(TEnemyKind kind);
  // A player ship for the homing enemies to choose.
  Tvt6Sprite& PlaceShip(int32_t x, int32_t y);
  // A hitter of the kind and damage on MainEngine at (x, y), moving (dx, dy) per update
  // in a straight line, or without a movement when moves is false.
  Tvt6Sprite& Hitter(int32_t kind, int32_t strength, int32_t x = 100, int32_t y = 100,
                     int32_t dx = 0, int32_t dy = 0, bool moves = true);
  // Draws, updates and purges both engines, as the game loop's frame does.
  void Frame(int times = 1);

  // The sprites of an engine that satisfy the test.
  std::vector<Tvt6Sprite*> Sprites(Tvt6Engine& engine,
                                   const std::function<bool(const Tvt6Sprite&)>& test);
  std::vector<Tvt6Sprite*> OfKind(int32_t kind);
  std::vector<Tvt6Sprite*> InReel(Tvt6Engine& engine, std::string_view reel);
  const std::vector<std::string>& Played() const { return platform.Sounds.Played; }
  int PlayedCount(std::string_view sound) const;

  TLinkedGameData data;
  TFakePlatform platform;
  TfrmMain main{platform};
  TTargetPlayer player;
  TfrmShrapnel shrapnel{main.GameContext()};
  TEnemyFamily enemies{main.GameContext(), player, shrapnel};
  TfrmHole hole{main.GameContext(), player, enemies};
};

}  // namespace quellix::testing
