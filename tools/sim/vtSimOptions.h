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
  bool Draw = false;
  // PNG frames of the screen go here, one every FrameEvery ticks, when set.
  std::string FramesDir;
  int64_t FrameEvery = 25;
  std::string DataDir;
};

// Reads the arguments after the program's name; defaultDataDir is the run folder the
// game's data is read from unless --data names another.
TSimOptions ParseSimOptions(std::span<const std::string_view> args,
                            const std::string& defaultDataDir);

std::string SimUsage(std::string_view program);

// Game i (from 0) of a run plays with seed + i.
uint64_t GameSeed(uint64_t seed, int64_t index);

}  // namespace quellix::sim
