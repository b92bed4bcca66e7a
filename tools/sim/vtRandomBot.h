// The soak and fuzz bot: moves, presses and types at random. It holds and lets go of both
// buttons, sets off bombs, pauses and resumes, goes back to the title with Esc now and
// then, lingers on the title (so the high-score table comes and goes), switches sound
// and shrapnel, and types names of printable, foreign, control and malformed characters
// with backspaces. It keeps the game cycling: from the title it always starts a new game
// of its mode, and it never clicks quit.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/vtRandom.h"
#include "vtBot.h"
#include "vtTitlePilot.h"

namespace quellix::sim {

class TRandomBot : public IBot {
 public:
  TRandomBot(TPlayMode mode, uint64_t seed);

  void Act(const TGameView& view, TBotHands& hands) override;
  void Type(IModalWindow& window) override;
  bool PlaysOn() const override { return true; }

 private:
  // One in n.
  bool Chance(int32_t n) { return fRandom.Random(n) == 0; }
  int32_t Between(int32_t low, int32_t high) { return low + fRandom.Random(high - low + 1); }
  void ArriveAtTitle(const TGameView& view);
  void OnTitle(const TGameView& view, TBotHands& hands);
  void Wander(TBotHands& hands, bool leftButton);
  void Play(TBotHands& hands);

  TRandom fRandom;
  TTitlePilot fPilot;
  uint8_t fState = 0;
  // Ticks left to wander on the title before steering to the game.
  int32_t fLinger = 0;
  // A switch to flip on the title first ("sound" or "shrap"), with its value before.
  std::string_view fDetour;
  bool fDetourFrom = false;
  int32_t fDriftX = 0, fDriftY = 0;
  bool fLeftDown = false;
  // The name being typed.
  int32_t fNameLeft = -1;
  int32_t fTypeWait = 0;
};

}  // namespace quellix::sim
