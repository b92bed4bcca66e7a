#include "vtGameStats.h"

#include <algorithm>

#include "engine/vtEngine.h"
#include "game/vtPlayerSides.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"

namespace quellix::sim {

namespace {

bool IsShipExplosion(int32_t kind) {
  return std::any_of(PlayerSides.begin(), PlayerSides.end(),
                     [kind](const TPlayerSide& side) { return side.ExplosionKind == kind; });
}

}  // namespace

void TGameStats::AfterTick(TfrmMain& main, TGame& game) {
  ++Ticks;
  const TGameState state = main.Globals.GameState;
  if (state == gsPlaying) ++PlayTicks;
  if (state == gsPlaying && fState == gsTitle) ++GamesStarted;
  if (state == gsGameOver && fState != gsGameOver) ++GamesOver;
  CountShipsLost(main, game, state);
  fState = state;

  const int32_t bombs = game.Player.Bombs;
  if (bombs < fBombsHeld) Bombs += fBombsHeld - bombs;
  fBombsHeld = bombs;
}

// A ship that dies leaves an explosion behind for 50 ticks. When the level or the game
// ends in the tick a ship died, the playfield is cleared before the explosion is seen:
// then a ship that was there before the tick and is not remembered at the level's end
// died, and at the game's end every ship that was there died.
void TGameStats::CountShipsLost(TfrmMain& main, TGame& game, uint8_t state) {
  const TfrmPlayer& player = game.Player;
  if (fState == gsPlaying && state == gsGameOver) {
    ShipsLost += static_cast<int32_t>(std::count(fHadShip.begin(), fHadShip.end(), true));
  } else if (fState == gsPlaying && state == gsLevelComplete) {
    for (size_t side = 0; side < fHadShip.size(); ++side)
      if (fHadShip[side] && !player.SideOccupied[side]) ++ShipsLost;
  }
  for (size_t side = 0; side < fHadShip.size(); ++side) fHadShip[side] = bool(player.Ship[side]);

  std::vector<TSpriteRef> explosions;
  Tvt6Engine& engine = *main.MainEngine();
  for (int i = 0; i < engine.SpriteCount(); ++i) {
    Tvt6Sprite* sprite = engine.GetSprite(i);
    if (!IsShipExplosion(sprite->Kind)) continue;
    explosions.emplace_back(sprite);
    const bool seen = std::any_of(fExplosions.begin(), fExplosions.end(),
                                  [sprite](const TSpriteRef& ref) { return ref.Get() == sprite; });
    if (!seen) ++ShipsLost;
  }
  fExplosions = std::move(explosions);
}

}  // namespace quellix::sim
