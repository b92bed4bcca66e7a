// quellix-sim's command line, one table row per option (vtSimOptions.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "shell/vtOptionTable.h"
#include "vtBot.h"

namespace quellix::sim {

struct TSimOptions {
  bool Help = false;
  TPlayMode Mode = TPlayMode::Normal;
  TBotKind Bot = TBotKind::Skilled;
  uint64_t Seed = 1;
  int64_t Games = 1;
  int64_t MaxTicks = 200000;
  bool Json = false;
  // Every difficulty, Games games each, summed up in the difficulty page.
  bool Table = false;
  // Games played side by side (drawing runs play one at a time).
  int64_t Jobs = 1;
  bool Draw = false;
  // PNG frames of the screen go here, one every FrameEvery ticks, when set.
  std::string FramesDir;
  int64_t FrameEvery = 25;
  std::string DataDir;
  // Each game's session is recorded as a replay into this folder when set.
  std::string RecordDir;
  // This recorded session is played instead of the bot's games when set.
  std::string ReplayFile;
  // With ReplayFile: what the replay comes to is written here (tests/replays/).
  std::string GoldenFile;
};

// Reads the arguments after the program's name; defaultDataDir is the run folder the
// game's data is read from unless --data names another.
TSimOptions ParseSimOptions(std::span<const std::string_view> args,
                            const std::string& defaultDataDir);

std::string SimUsage(std::string_view program);

// Game i (from 0) of a run plays with seed + i.
uint64_t GameSeed(uint64_t seed, int64_t index);
// Where --record DIR puts game i's session: DIR/gameIII.replay.
std::string RecordPath(const TSimOptions& options, int64_t index);

// The command line that plays the run's games at one difficulty.
std::string SimCommand(const TSimOptions& options, TPlayMode mode);

}  // namespace quellix::sim
