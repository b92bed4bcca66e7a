#include "game/vtUnitSupport.h"

#include <stdexcept>

#include "base/vtRandom.h"
#include "config/vtSaturate.h"
#include "engine/vt6Engine.h"
#include "engine/vt6Sprite.h"
#include "services/vt6Sound.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

Tvt6Engine& Existing(Tvt6Engine* engine, const char* name) {
  if (!engine) throw std::logic_error(std::string(name) + " is used before start-up made it");
  return *engine;
}

}  // namespace

Tvt6Engine& MainEngineOf(TfrmMain& main) {
  return Existing(main.MainEngine(), "MainEngine");
}

Tvt6Engine& TextEngineOf(TfrmMain& main) {
  return Existing(main.TextEngine(), "TextEngine");
}

void PlaySound(TfrmMain& main, std::string_view name) {
  MainEngineOf(main).AudioEngine()->PlaySound(name);
}

void AddScore(TfrmMain& main, int32_t points) {
  main.Globals.Score = SaturatedAdd(main.Globals.Score, points);
}

// Each kind adds its reserves, which the configuration may set to anything.
void AddEnemiesLeft(TfrmMain& main, int32_t count) {
  main.SetEnemiesLeft(SaturatedAdd(main.EnemiesLeft(), count));
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
