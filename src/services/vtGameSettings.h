// The player's settings, kept in "settings.txt" in the user folder: one "name = value"
// a line, "#" starting a comment. Today one setting: motion, "smooth" (drawn at every
// refresh of the display) or "classic" (drawn once per 40 ms tick, as the game always
// was); refresh, the refreshes a second where vsync does not pace the drawing (0, the
// default: the rate the display reports); board, the address of a shared high-score
// board that games entering the table are sent to (empty, the default: none). A missing
// file is written with the defaults and a word on each, so that the player finds what
// can be set.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/vtPlatform.h"

namespace quellix {

inline constexpr const char* SettingsFileName = "settings.txt";

struct TGameSettings {
  static constexpr int MaxRefresh = 1000;
  TMotionStyle Motion = TMotionStyle::Smooth;
  // Refreshes a second where vsync does not pace the drawing; 0: the display's own.
  int Refresh = 0;
  // A shared high-score board, "http://host[:port][/path]" or https; empty: none.
  std::string Board;
  bool operator==(const TGameSettings&) const = default;
};

// "smooth" or "classic"; none for anything else.
std::optional<TMotionStyle> ParseMotionStyle(std::string_view name);
const char* MotionStyleName(TMotionStyle style);

// Whether text is a board address as Board above holds it.
bool IsBoardAddress(std::string_view text);

// The settings of the text; each line it cannot use goes to report (naming the line
// and what is wrong) and leaves that setting at its default.
TGameSettings ParseGameSettings(std::string_view text,
                                const std::function<void(const std::string&)>& report);
// The file's text for the settings, a comment above each.
std::string GameSettingsText(const TGameSettings& settings);

// Reads the file; when it is missing, writes it with the defaults first (a failure to
// write goes to report). An unreadable file goes to report and gives the defaults.
TGameSettings LoadGameSettings(const std::string& path,
                               const std::function<void(const std::string&)>& report);

// The file's settings without a word or a write: the defaults when it is missing or
// unreadable, and a line it cannot use leaves its default (start-up's load reports it).
TGameSettings PeekGameSettings(const std::string& path);

}  // namespace quellix
