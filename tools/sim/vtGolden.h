// What a recorded game must come to, kept beside it in tests/replays/ as a small text
// file: the ticks played, the last game's score and level, a checkpoint of the game's
// state every so many ticks (vtCheckpoint.h) and a digest of the drawn screen at a few
// ticks. Written by `quellix-sim --replay FILE --golden OUT`, compared by the test of
// the golden replays, which names the first thing that differs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "vtCheckpoint.h"

namespace quellix::sim {

struct TScreenShot {
  int64_t Tick = 0;
  uint64_t Digest = 0;
  bool operator==(const TScreenShot&) const = default;
};

struct TGolden {
  int64_t Ticks = 0;
  int32_t Score = 0;
  int32_t Level = 0;
  std::vector<TCheckpoint> Checkpoints;
  std::vector<TScreenShot> Screens;
  // Of a game just played (not kept in the file): why the replay ran out of step with
  // the game, empty when it played to its end in step.
  std::string OutOfStep;

  std::string Text(const std::string& replayName) const;
  // Throws std::invalid_argument naming the line that Text would not have written.
  static TGolden Parse(const std::string& text);
};

// The first thing in which the game played (actual) differs from the expected one, in
// words ("tick 1200: score 5400 instead of 5410"); empty when nothing does.
std::string FirstDifference(const TGolden& actual, const TGolden& expected);

// A checkpoint every this many ticks.
constexpr int64_t CheckpointEvery = 100;

// Plays the replay on the data and notes a checkpoint every CheckpointEvery ticks and the
// screen at each of screenTicks (only those frames are drawn). Throws what TSimGame
// throws; a replay out of step ends early, which the checkpoints then show.
TGolden PlayGolden(const std::string& replayFile, const std::filesystem::path& dataDir,
                   const std::vector<int64_t>& screenTicks);

// The ticks whose screens a new golden file keeps: the title, a third, two thirds and the
// end of the replay's ticks.
std::vector<int64_t> GoldenScreenTicks(const std::string& replayFile);

}  // namespace quellix::sim
