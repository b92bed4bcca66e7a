// A run of games as the options ask: each game a fresh program start with its own seed,
// several side by side when the options allow (the quiet platform shares nothing between
// games; drawing goes through SDL, so drawing runs play one game at a time). Outcomes
// are handed over in game order, whatever order the games finish in.
#pragma once

#include <cstdint>
#include <functional>

#include "vtReport.h"
#include "vtSimGame.h"
#include "vtSimOptions.h"

namespace quellix::sim {

using TGameDone = std::function<void(int64_t game, const TGameOutcome& outcome)>;

// Plays options.Games games of the mode given; an error in one game stops the run and is
// thrown once the games under way have ended.
void PlayGames(const TSimOptions& options, TPlayMode mode, TRunReport& report,
               const TGameDone& done);

}  // namespace quellix::sim
