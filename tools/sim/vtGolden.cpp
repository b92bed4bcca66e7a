#include "vtGolden.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include <algorithm>

#include "shell/vtReplayFile.h"
#include "vtDigest.h"
#include "vtSimGame.h"

namespace quellix::sim {

std::string TGolden::Text(const std::string& replayName) const {
  std::string text = "# What " + replayName +
                     " must come to; scripts/golden.sh records it again when play is meant "
                     "to change.\n";
  char line[128];
  std::snprintf(line, sizeof line, "end tick %" PRId64 " score %" PRId32 " level %" PRId32 "\n",
                Ticks, Score, Level);
  text += line;
  for (const TCheckpoint& point : Checkpoints) text += point.Text() + "\n";
  for (const TScreenShot& screen : Screens) {
    std::snprintf(line, sizeof line, "screen tick %" PRId64 " digest %s\n", screen.Tick,
                  HexDigest(screen.Digest).c_str());
    text += line;
  }
  return text;
}

TGolden TGolden::Parse(const std::string& text) {
  TGolden golden;
  bool ended = false;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const auto fail = [&] {
      throw std::invalid_argument("line " + std::to_string(number) + ": \"" + line + "\"");
    };
    int consumed = 0;
    if (line.empty() || line.starts_with("#")) continue;
    if (line.starts_with("end ")) {
      if (std::sscanf(line.c_str(), "end tick %" SCNd64 " score %" SCNd32 " level %" SCNd32 "%n",
                      &golden.Ticks, &golden.Score, &golden.Level, &consumed) != 3 ||
          static_cast<size_t>(consumed) != line.size())
        fail();
      ended = true;
    } else if (line.starts_with("screen ")) {
      TScreenShot screen;
      if (std::sscanf(line.c_str(), "screen tick %" SCNd64 " digest %" SCNx64 "%n", &screen.Tick,
                      &screen.Digest, &consumed) != 2 ||
          static_cast<size_t>(consumed) != line.size())
        fail();
      golden.Screens.push_back(screen);
    } else {
      try {
        golden.Checkpoints.push_back(TCheckpoint::Parse(line));
      } catch (const std::invalid_argument&) {
        fail();
      }
    }
  }
  if (!ended) throw std::invalid_argument("no \"end\" line");
  return golden;
}

std::string FirstDifference(const TGolden& actual, const TGolden& expected) {
  for (size_t i = 0; i < expected.Checkpoints.size(); ++i) {
    const TCheckpoint& wanted = expected.Checkpoints[i];
    if (i >= actual.Checkpoints.size())
      return "the game ended at tick " + std::to_string(actual.Ticks) +
             ", before the checkpoint of tick " + std::to_string(wanted.Tick) +
             (actual.OutOfStep.empty() ? "" : " (out of step: " + actual.OutOfStep + ")");
    const std::string differences = actual.Checkpoints[i].Differences(wanted);
    if (!differences.empty())
      return "checkpoint of tick " + std::to_string(wanted.Tick) + ": " + differences;
  }
  if (actual.Checkpoints.size() > expected.Checkpoints.size())
    return "the game went on past tick " + std::to_string(expected.Ticks);
  for (size_t i = 0; i < expected.Screens.size(); ++i) {
    const TScreenShot& wanted = expected.Screens[i];
    if (i >= actual.Screens.size() || actual.Screens[i].Tick != wanted.Tick)
      return "the screen of tick " + std::to_string(wanted.Tick) + " was not drawn";
    if (actual.Screens[i].Digest != wanted.Digest)
      return "the screen of tick " + std::to_string(wanted.Tick) + " differs (digest " +
             HexDigest(actual.Screens[i].Digest) + " instead of " + HexDigest(wanted.Digest) + ")";
  }
  if (!actual.OutOfStep.empty()) return "the replay ran out of step: " + actual.OutOfStep;
  if (actual.Ticks != expected.Ticks || actual.Score != expected.Score ||
      actual.Level != expected.Level)
    return "the end: tick " + std::to_string(actual.Ticks) + ", score " +
           std::to_string(actual.Score) + ", level " + std::to_string(actual.Level) +
           " instead of tick " + std::to_string(expected.Ticks) + ", score " +
           std::to_string(expected.Score) + ", level " + std::to_string(expected.Level);
  return "";
}

TGolden PlayGolden(const std::string& replayFile, const std::filesystem::path& dataDir,
                   const std::vector<int64_t>& screenTicks) {
  TGameSetup setup;
  setup.DataDir = dataDir;
  setup.ReplayFile = replayFile;
  setup.Draw = true;
  TSimGame game(setup);
  const auto looked = [&](int64_t tick) {
    return std::find(screenTicks.begin(), screenTicks.end(), tick) != screenTicks.end();
  };
  game.Platform().DrawFrames(looked(1));
  TGolden golden;
  const TGameOutcome outcome = game.Play([&](TSimGame& g) {
    const int64_t tick = g.Ticks();
    if (tick % CheckpointEvery == 0)
      golden.Checkpoints.push_back(TakeCheckpoint(g.Main(), g.Game(), tick));
    if (looked(tick)) golden.Screens.push_back({tick, g.Platform().ScreenDigest()});
    g.Platform().DrawFrames(looked(tick + 1));
  });
  if (outcome.End != TGameEnd::ReplayFinished)
    golden.OutOfStep = outcome.End == TGameEnd::OutOfStep ? game.OutOfStep() : "it was stopped";
  golden.Ticks = outcome.Stats.Ticks;
  golden.Score = outcome.Score;
  golden.Level = outcome.Level;
  return golden;
}

std::vector<int64_t> GoldenScreenTicks(const std::string& replayFile) {
  constexpr int64_t TitleTick = 25;
  const int64_t ticks = LoadReplayFile(replayFile).TickCount();
  return {TitleTick, ticks / 3, 2 * ticks / 3, ticks};
}

}  // namespace quellix::sim
