// The effects of hits and kills: the floating score popup, the spark where a hit
// landed, the shrapnel burst thrown on in the direction of the shot or wave that made
// the kill, the explosion sound and now and then a bonus that drifts out of the hole.
// The bursts follow the title screen's shrapnel option; everything else always shows.
#pragma once

#include <cstdint>
#include <string_view>

namespace quellix {

class IGameContext;
class Tvt6Sprite;

class TfrmShrapnel {
 public:
  // The hole, where bonuses come out.
  static constexpr int32_t BonusX = 380;
  static constexpr int32_t BonusY = 280;
  static constexpr int32_t BonusChance = 8;  // per cent of kills
  static constexpr int32_t BonusLifetime = 200;

  // Uses the game's engines, random generator, sound player and ShrapnelOn.
  explicit TfrmShrapnel(IGameContext& game) : fGame(game) {}

  // The score popup at the enemy's position, flying off in a random direction.
  void ShowScore(const Tvt6Sprite& enemy, std::string_view text);
  // A small explosion at the centre of the sprite's current image.
  void HitSpark(Tvt6Sprite& sprite);
  // After a kill: the bonus chance, then the shrapnel burst of the hitter.
  void KillEffects(Tvt6Sprite& hitter);
  // One of the two explosion sounds, at even odds.
  void ExplosionSound();
  // One bonus at (x, y), its kind drawn 80 : 7 : 9 : 4 (shot, shield, bomb, ship).
  void DropBonus(int32_t x, int32_t y);

 private:
  IGameContext& fGame;
};

}  // namespace quellix
