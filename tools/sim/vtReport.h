// How quellix-sim tells what happened: one line per game (JSON or for people), a
// progress line on stderr during long runs and a closing summary with speed and memory.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "vtSimGame.h"

namespace quellix::sim {

// One JSON object on one line, keys in a fixed order, nothing that varies between runs.
std::string OutcomeJson(int64_t game, const TGameOutcome& outcome);
std::string OutcomeText(int64_t game, const TGameOutcome& outcome);

// The resident memory of this process in kilobytes; 0 where the system does not tell.
int64_t ResidentKilobytes();

// Safe to call from the threads that play games side by side.
class TRunReport {
 public:
  // Prints to out, or nowhere when out is null.
  TRunReport(std::FILE* out, int64_t games);
  // After every tick: a progress line at most every two seconds once the run has
  // lasted three. The first call also notes the memory after start-up.
  void Tick();
  void GameDone() { ++fGamesDone; }
  // Games, ticks, time, speed, and memory after start-up and now.
  void Finish();

 private:
  using TClock = std::chrono::steady_clock;
  double Seconds() const;

  std::FILE* fOut;
  const int64_t fGames;
  std::atomic<int64_t> fTicks = 0;
  std::atomic<int64_t> fGamesDone = 0;
  std::atomic<int64_t> fStartMemory = -1;
  const TClock::time_point fStart = TClock::now();
  std::mutex fLineLock;
  TClock::time_point fNextLine;
  bool fLineShown = false;
};

}  // namespace quellix::sim
