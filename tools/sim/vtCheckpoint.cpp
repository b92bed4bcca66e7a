#include "vtCheckpoint.h"

#include <cinttypes>
#include <cstdio>
#include <stdexcept>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "vtDigest.h"

namespace quellix::sim {

namespace {

constexpr const char* Format =
    "tick %" SCNd64 " state %" SCNd32 " score %" SCNd32 " level %" SCNd32 " spares %" SCNd32
    " shields %" SCNd32 " enemies %" SCNd32 " sprites %" SCNd32 " digest %" SCNx64;

void AddSprites(Tvt6Engine& engine, TDigest& digest, int32_t& count) {
  for (int i = 0; i < engine.SpriteCount(); ++i) {
    const Tvt6Sprite& sprite = *engine.GetSprite(i);
    if (sprite.Dead) continue;
    ++count;
    digest.Add(sprite.Kind);
    digest.Add(sprite.X);
    digest.Add(sprite.Y);
    digest.Add(sprite.Lifetime);
    if (const Tvt6Projector* projector = sprite.Projector.get()) {
      digest.Add(projector->ReelName);
      digest.Add(projector->SceneName);
      digest.Add(projector->Position);
    }
  }
}

}  // namespace

TCheckpoint TakeCheckpoint(TfrmMain& main, TGame& game, int64_t tick) {
  TCheckpoint point;
  point.Tick = tick;
  point.State = main.Globals.GameState;
  point.Score = main.Globals.Score;
  point.Level = main.Globals.Level;
  point.SpareShips = main.Globals.SpareShips;
  point.ShieldEnergy = game.Player.ShieldEnergy;
  point.EnemiesLeft = main.EnemiesLeft();
  TDigest digest;
  for (Tvt6Engine* engine : {main.MainEngine(), main.TextEngine()}) {
    digest.Add(int64_t{-1});  // between the engines
    AddSprites(*engine, digest, point.Sprites);
  }
  point.SpriteDigest = digest.Value();
  return point;
}

std::string TCheckpoint::Text() const {
  char line[256];
  std::snprintf(
      line, sizeof line,
      "tick %" PRId64 " state %" PRId32 " score %" PRId32 " level %" PRId32 " spares %" PRId32
      " shields %" PRId32 " enemies %" PRId32 " sprites %" PRId32 " digest %016" PRIx64,
      Tick, State, Score, Level, SpareShips, ShieldEnergy, EnemiesLeft, Sprites, SpriteDigest);
  return line;
}

TCheckpoint TCheckpoint::Parse(const std::string& line) {
  TCheckpoint point;
  int consumed = 0;
  const std::string format = std::string(Format) + "%n";
  if (std::sscanf(line.c_str(), format.c_str(), &point.Tick, &point.State, &point.Score,
                  &point.Level, &point.SpareShips, &point.ShieldEnergy, &point.EnemiesLeft,
                  &point.Sprites, &point.SpriteDigest, &consumed) != 9 ||
      static_cast<size_t>(consumed) != line.size())
    throw std::invalid_argument("not a checkpoint: \"" + line + "\"");
  return point;
}

std::string TCheckpoint::Differences(const TCheckpoint& expected) const {
  std::string text;
  const auto compare = [&](const char* name, int64_t actual, int64_t wanted) {
    if (actual == wanted) return;
    if (!text.empty()) text += ", ";
    text +=
        std::string(name) + " " + std::to_string(actual) + " instead of " + std::to_string(wanted);
  };
  compare("tick", Tick, expected.Tick);
  compare("state", State, expected.State);
  compare("score", Score, expected.Score);
  compare("level", Level, expected.Level);
  compare("spares", SpareShips, expected.SpareShips);
  compare("shield energy", ShieldEnergy, expected.ShieldEnergy);
  compare("enemies left", EnemiesLeft, expected.EnemiesLeft);
  compare("live sprites", Sprites, expected.Sprites);
  if (SpriteDigest != expected.SpriteDigest) {
    if (!text.empty()) text += ", ";
    text += "the sprites' kinds, places, lives or scenes (digest " + HexDigest(SpriteDigest) +
            " instead of " + HexDigest(expected.SpriteDigest) + ")";
  }
  return text;
}

}  // namespace quellix::sim
