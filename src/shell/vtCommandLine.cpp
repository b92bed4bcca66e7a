#include "shell/vtCommandLine.h"

#include <algorithm>
#include <array>
#include <functional>
#include <span>

#include "services/vtGameSettings.h"

#ifndef QUELLIX_VERSION
#define QUELLIX_VERSION "0"
#endif

namespace quellix {

namespace {

struct TOption {
  std::string_view Name;
  // Empty for a switch; else the option takes the next argument as its value.
  std::string_view ValueName;
  std::string_view Help;
  std::function<void(TCommandLine&, std::string_view)> Apply;
};

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

const TOption* FindOption(std::string_view name) {
  for (const TOption& option : Options())
    if (option.Name == name) return &option;
  return nullptr;
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::string_view> args) {
  TCommandLine result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const TOption* option = FindOption(arg);
    if (!option) {
      if (arg.starts_with("-")) throw TUsageError("unknown option " + std::string(arg));
      throw TUsageError("unexpected argument " + std::string(arg));
    }
    std::string_view value;
    if (!option->ValueName.empty()) {
      if (i + 1 >= args.size() || args[i + 1].empty())
        throw TUsageError(std::string(arg) + " needs " + std::string(option->ValueName));
      value = args[++i];
    }
    option->Apply(result, value);
  }
  if (!result.RecordFile.empty() && !result.ReplayFile.empty())
    throw TUsageError("--record and --replay cannot be used together");
  return result;
}

std::string Usage(std::string_view program) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  text += "Quellix, an arcade shooter: four ships defend the edges of the screen.\n\nOptions:\n";
  for (const TOption& option : Options()) {
    std::string left = "  " + std::string(option.Name);
    if (!option.ValueName.empty()) left += " " + std::string(option.ValueName);
    left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
    text += left + std::string(option.Help) + "\n";
  }
  return text;
}

std::string VersionText() {
  return std::string("quellix ") + QUELLIX_VERSION;
}

}  // namespace quellix
