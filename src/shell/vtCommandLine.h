// The program's command line. Every option is one row of a table (vtCommandLine.cpp):
// its name, the name of its value if it takes one, its line in the usage text and what
// it sets. A wrong option is a TUsageError whose message says what was wrong.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "graphics/vtPlatform.h"
#include "shell/vtOptionTable.h"

namespace quellix {

struct TCommandLine {
  bool Help = false;
  bool Version = false;
  // Start in an 800 x 600 window instead of full screen.
  bool Window = false;
  // The folder of the game's data instead of the one found beside the executable.
  std::string DataDir;
  // How the drawing reaches the screen, over the settings file's choice.
  std::optional<TMotionStyle> Motion;
  // Record the session into this file; empty: no recording.
  std::string RecordFile;
  // Play the session recorded in this file; empty: play live.
  std::string ReplayFile;
};

// Reads the arguments after the program's name; throws TUsageError on an unknown
// option, a missing value, a stray argument or options that exclude each other.
TCommandLine ParseCommandLine(std::span<const std::string_view> args);

// The usage text: one line of synopsis, then one line per option.
std::string Usage(std::string_view program);

// "quellix <version>".
std::string VersionText();

}  // namespace quellix
