// What every game unit reaches through the game's context (its engines, the score and
// the enemies-left count), even odds, and one way to make a plain effect sprite.
#pragma once

#include <cstdint>
#include <string_view>

namespace quellix {

class IGameContext;
class TRandom;
class Tvt6Engine;
class Tvt6Sprite;

// The game's engines. Game units run only after start-up has made them; before that
// these raise std::logic_error.
Tvt6Engine& MainEngineOf(IGameContext& game);
Tvt6Engine& TextEngineOf(IGameContext& game);

void AddScore(IGameContext& game, int32_t points);
void AddEnemiesLeft(IGameContext& game, int32_t count);

// Even odds, drawn as every chance of the game is: Random(100) below 50.
bool EvenOdds(TRandom& random);

// A new sprite on the engine at (x, y), not collidable, playing the scene for its whole
// life.
Tvt6Sprite& NewEffect(Tvt6Engine& engine, int32_t x, int32_t y, int32_t lifetime,
                      std::string_view reel, std::string_view scene);

}  // namespace quellix
