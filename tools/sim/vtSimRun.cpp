#include "vtSimRun.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace quellix::sim {

namespace {

std::string FramePath(const TSimOptions& options, int64_t game, int64_t tick) {
  char name[64];
  std::snprintf(name, sizeof name, "/game%03lld-tick%07lld.png", static_cast<long long>(game),
                static_cast<long long>(tick));
  return options.FramesDir + name;
}

TGameOutcome PlayOne(const TSimOptions& options, TPlayMode mode, int64_t index,
                     TRunReport& report) {
  TGameSetup setup;
  setup.DataDir = options.DataDir;
  setup.Mode = mode;
  setup.Bot = options.Bot;
  setup.Seed = GameSeed(options.Seed, index);
  setup.MaxTicks = options.MaxTicks;
  setup.Draw = options.Draw;
  if (!options.RecordDir.empty()) setup.RecordFile = RecordPath(options, index);
  setup.ReplayFile = options.ReplayFile;
  TSimGame game(setup);
  TGameOutcome outcome = game.Play([&](TSimGame& g) {
    report.Tick();
    if (!options.FramesDir.empty() && g.Ticks() % options.FrameEvery == 0)
      g.Platform().SavePng(FramePath(options, index, g.Ticks()));
  });
  report.GameDone();
  return outcome;
}

}  // namespace

void PlayGames(const TSimOptions& options, TPlayMode mode, TRunReport& report,
               const TGameDone& done) {
  // A recorded session is one game.
  const int64_t games = options.ReplayFile.empty() ? options.Games : 1;
  std::atomic<int64_t> next = 0;
  std::mutex lock;
  std::map<int64_t, TGameOutcome> waiting;
  int64_t handedOver = 0;
  std::exception_ptr error;
  const auto work = [&] {
    for (int64_t i = next++; i < games; i = next++) {
      try {
        TGameOutcome outcome = PlayOne(options, mode, i, report);
        const std::lock_guard<std::mutex> guard(lock);
        waiting.emplace(i, std::move(outcome));
        while (!waiting.empty() && waiting.begin()->first == handedOver) {
          done(handedOver, waiting.begin()->second);
          waiting.erase(waiting.begin());
          ++handedOver;
        }
      } catch (...) {
        const std::lock_guard<std::mutex> guard(lock);
        if (!error) error = std::current_exception();
        next = games;
      }
    }
  };
  const int64_t jobs = options.Draw ? 1 : std::min(options.Jobs, games);
  std::vector<std::thread> helpers;
  for (int64_t j = 1; j < jobs; ++j) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  if (error) std::rethrow_exception(error);
}

}  // namespace quellix::sim
