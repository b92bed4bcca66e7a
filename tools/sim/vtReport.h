// How quellix-sim tells what happened: one line per game (JSON or for people), a
// progress line on stderr during long runs and a closing summary with speed and memory.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "vtSimGame.h"

namespace quellix::sim {

// One JSON object on one line, keys in a fixed order, nothing that varies between runs.
std::string OutcomeJson(int64_t game, const TGameOutcome& outcome);
std::string OutcomeText(int64_t game, const TGameOutcome& outcome);

// The resident memory of this process in kilobytes; 0 where the system does not tell.
int64_t ResidentKilobytes();

class TRunReport {
 public:
  TRunReport(std::FILE* out, int64_t games);
  // After every tick: a progress line at most every two seconds once the run has
  // lasted three. The first call also notes the memory after start-up.
  void Tick(int64_t game, int64_t gameTicks);
  void GameDone(int64_t gameTicks) { fTicks += gameTicks; }
  // Games, ticks, time, speed, and memory after start-up and now.
  void Finish();

 private:
  using TClock = std::chrono::steady_clock;
  double Seconds() const;

  std::FILE* fOut;
  int64_t fGames;
  int64_t fTicks = 0;
  int64_t fSinceCheck = 0;
  TClock::time_point fStart = TClock::now();
  TClock::time_point fNextLine;
  int64_t fStartMemory = -1;
  bool fLineShown = false;
};

}  // namespace quellix::sim
