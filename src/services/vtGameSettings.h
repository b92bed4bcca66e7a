// The player's settings, kept in "settings.txt" in the user folder: one "name = value"
// a line, "#" starting a comment. Each setting is one row of a table (vtGameSettings.cpp)
// with its name, a comment for the file, how its value is read and written: motion,
// refresh, the effects' volume, the display (full screen or window, scaling, filtering,
// the window's place and size), the mouse's speed, the bomb key and the controller's
// buttons. A missing file is written with the defaults and a word on each, so that the
// player finds what can be set; saving keeps every line the game does not know.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/vtPlatform.h"

namespace quellix {

inline constexpr const char* SettingsFileName = "settings.txt";

struct TGameSettings {
  static constexpr int MaxRefresh = 1000;
  static constexpr int32_t MaxMouseSpeed = 8;
  static constexpr int32_t VolumeStep = 10;

  TMotionStyle Motion = TMotionStyle::Smooth;
  // Refreshes a second where vsync does not pace the drawing; 0: the display's own.
  int32_t Refresh = 0;
  // The sound effects' loudness, 0 to 100 per cent.
  int32_t Volume = 100;
  TDisplayMode Display;
  // The mouse's motion is multiplied by this, 1 to MaxMouseSpeed.
  int32_t MouseSpeed = 1;
  // The key that sets off a bomb (its virtual-key code).
  int32_t BombKey = VK_SPACE;
  TPadBindings Pad;
  bool operator==(const TGameSettings&) const = default;
};

// "smooth" or "classic"; none for anything else.
std::optional<TMotionStyle> ParseMotionStyle(std::string_view name);
const char* MotionStyleName(TMotionStyle style);

// The settings of the text; each line it cannot use goes to report (naming the line
// and what is wrong) and leaves that setting at its default.
TGameSettings ParseGameSettings(std::string_view text,
                                const std::function<void(const std::string&)>& report);
// The file's text for the settings: `previous` (the file as it was) with the value of
// every known setting replaced and every other line kept; the settings it lacks are
// added, each with its comment. Without a previous text, the whole file anew.
std::string GameSettingsText(const TGameSettings& settings, std::string_view previous = {});

// Reads the file; when it is missing, writes it with the defaults first unless told not
// to (a failure to write goes to report). An unreadable file goes to report and gives
// the defaults.
TGameSettings LoadGameSettings(const std::string& path,
                               const std::function<void(const std::string&)>& report,
                               bool writeMissing = true);
// Writes the settings into the file, keeping the lines of it that the game does not
// know; throws std::runtime_error when it cannot be written.
void SaveGameSettings(const std::string& path, const TGameSettings& settings);

}  // namespace quellix
