// Starts a game from the title screen with the mouse, as a player does: moves the cursor
// to a zone at a hand's speed and clicks it (press on one tick, release on the next).
// Child mode is switched on or off first as the mode needs; a child game then clicks
// "easy" (child mode plays its own numbers, whichever difficulty is clicked).
#pragma once

#include <cstdint>
#include <string_view>

#include "vtBot.h"

namespace quellix::sim {

class TTitlePilot {
 public:
  TTitlePilot(TPlayMode mode, int32_t speed) : fMode(mode), fSpeed(speed) {}

  // The title's next tick of input on the way to the game.
  void Steer(const TGameView& view, TBotHands& hands) { Click(view, hands, NextZone(view)); }
  // Moves to the named zone of the title ("easy", "sound", ...) and clicks it.
  void Click(const TGameView& view, TBotHands& hands, std::string_view zone);
  void SetSpeed(int32_t speed) { fSpeed = speed; }

 private:
  std::string_view NextZone(const TGameView& view) const;

  TPlayMode fMode;
  int32_t fSpeed;
  bool fPressed = false;
};

}  // namespace quellix::sim
