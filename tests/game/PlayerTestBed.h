// The player unit in the real main window on the real data, with the enemies' hit
// handlers recorded. Games start as the hole starts them.
#pragma once

#include "GameTestBed.h"
#include "game/vtPlayer.h"

namespace quellix::testing {

class PlayerTest : public GameTestBed {
 protected:
  using TSide = TfrmPlayer::TSide;

  PlayerTest() : player(main->GameContext(), hits) {}

  void SetUp() override {
    Activate({nullptr, &player, nullptr});
    main->Random().Seed(20240611);
  }

  // A new game with the spare ships given, in play, as the hole's StartGame makes it.
  void NewGame(int32_t spareShips = 8) {
    player.ResetForNewGame(spareShips);
    main->Globals.Level = 1;
    main->SetEnemiesLeft(100);
    MainEngine().ClearSprites();
    TextEngine().ClearSprites();
    player.LowerShields();
    player.StartLevelShips();
    main->Globals.GameState = gsPlaying;
  }

  Tvt6Sprite* Ship(TSide side) { return player.Ship[side].Get(); }
  // An enemy of the kind standing on the side's ship.
  Tvt6Sprite& EnemyOn(TSide side, int32_t kind = 3) {
    const Tvt6Sprite& ship = *Ship(side);
    return Place(kind, ship.X, ship.Y, "Starfish", "Starfish1");
  }
  // Ticks until the condition holds, at most the number given; answers whether it held.
  template <class F>
  bool TickUntil(F condition, int most) {
    for (int i = 0; i < most; ++i) {
      if (condition()) return true;
      Tick();
    }
    return condition();
  }
  // The right button, as the window's events report it.
  void ShieldButton(bool down) {
    if (down)
      main->FormMouseDown(TMouseButton::Right);
    else
      main->FormMouseUp(TMouseButton::Right);
  }

  TRecordingHits hits;
  TfrmPlayer player;
};

}  // namespace quellix::testing
