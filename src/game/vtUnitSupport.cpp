#include "game/vtUnitSupport.h"

#include <stdexcept>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtGameContext.h"

namespace quellix {

namespace {

Tvt6Engine& Existing(Tvt6Engine* engine, const char* name) {
  if (!engine) throw std::logic_error(std::string(name) + " is used before start-up made it");
  return *engine;
}

}  // namespace

Tvt6Engine& MainEngineOf(IGameContext& game) {
  return Existing(game.MainEngine(), "MainEngine");
}

Tvt6Engine& TextEngineOf(IGameContext& game) {
  return Existing(game.TextEngine(), "TextEngine");
}

void AddScore(IGameContext& game, int32_t points) {
  game.Globals().Score = SaturatedAdd(game.Globals().Score, points);
}

// Each kind adds its reserves, which the configuration may set to anything.
void AddEnemiesLeft(IGameContext& game, int32_t count) {
  game.SetEnemiesLeft(SaturatedAdd(game.EnemiesLeft(), count));
}

bool EvenOdds(TRandom& random) {
  return random.Random(100) < 50;
}

Tvt6Sprite& NewEffect(Tvt6Engine& engine, int32_t x, int32_t y, int32_t lifetime,
                      std::string_view reel, std::string_view scene) {
  Tvt6Sprite& sprite = engine.NewSprite();
  sprite.Place(x, y, lifetime, false);
  sprite.Projector->QuickInit(reel, scene, Tvt6Projector::NotSet);
  return sprite;
}

}  // namespace quellix
