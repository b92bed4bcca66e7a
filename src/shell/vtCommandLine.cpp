#include "shell/vtCommandLine.h"

#include <array>
#include <span>

#include "services/vtGameSettings.h"

#ifndef QUELLIX_VERSION
#define QUELLIX_VERSION "0"
#endif

namespace quellix {

namespace {

using TOption = TOptionRow<TCommandLine>;

std::span<const TOption> Options() {
  static const auto options = std::to_array<TOption>({
      {"--help", "", "show this help and exit",
       [](TCommandLine& c, std::string_view) { c.Help = true; }},
      {"--version", "", "show the version and exit",
       [](TCommandLine& c, std::string_view) { c.Version = true; }},
      {"--window", "", "start in an 800 x 600 window instead of full screen",
       [](TCommandLine& c, std::string_view) { c.Window = true; }},
      {"--data", "DIR", "read the game's data from DIR",
       [](TCommandLine& c, std::string_view dir) { c.DataDir = dir; }},
      {"--motion", "STYLE", "smooth: draw at every refresh of the display; classic: once per tick",
       [](TCommandLine& c, std::string_view style) {
         c.Motion = ParseMotionStyle(style);
         if (!c.Motion) throw TUsageError("--motion must be smooth or classic");
       }},
      {"--record", "FILE", "record the session into FILE, written when the game ends",
       [](TCommandLine& c, std::string_view file) { c.RecordFile = file; }},
      {"--replay", "FILE", "play the session recorded in FILE; Esc stops it",
       [](TCommandLine& c, std::string_view file) { c.ReplayFile = file; }},
  });
  return options;
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::string_view> args) {
  TCommandLine result;
  ParseOptions<TCommandLine>(Options(), args, result);
  if (!result.RecordFile.empty() && !result.ReplayFile.empty())
    throw TUsageError("--record and --replay cannot be used together");
  return result;
}

std::string Usage(std::string_view program) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  text += "Quellix, an arcade shooter: four ships defend the edges of the screen.\n\nOptions:\n";
  text += OptionHelp<TCommandLine>(Options());
  return text;
}

std::string VersionText() {
  return std::string("quellix ") + QUELLIX_VERSION;
}

}  // namespace quellix
