#include "services/vtGameSettings.h"

#include <charconv>
#include <exception>
#include <filesystem>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "config/vtTextFile.h"

namespace quellix {

namespace {

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<TMotionStyle> ParseMotionStyle(std::string_view name) {
  if (name == "smooth") return TMotionStyle::Smooth;
  if (name == "classic") return TMotionStyle::Classic;
  return std::nullopt;
}

const char* MotionStyleName(TMotionStyle style) {
  return style == TMotionStyle::Classic ? "classic" : "smooth";
}

TGameSettings ParseGameSettings(std::string_view text,
                                const std::function<void(const std::string&)>& report) {
  TGameSettings settings;
  const TStringList lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = std::string(SettingsFileName) + " line " + std::to_string(i + 1);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      report(where + " has no \"name = value\": ignored");
      continue;
    }
    const std::string_view name = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (name == "refresh") {
      int rate = -1;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), rate);
      if (error == std::errc() && end == value.data() + value.size() && rate >= 0 &&
          rate <= TGameSettings::MaxRefresh)
        settings.Refresh = rate;
      else
        report(where + ": refresh must be a whole number from 0 to " +
               std::to_string(TGameSettings::MaxRefresh) + ", not \"" + std::string(value) + "\"");
    } else if (name != "motion") {
      report(where + ": unknown setting \"" + std::string(name) + "\" ignored");
    } else if (const std::optional<TMotionStyle> style = ParseMotionStyle(value)) {
      settings.Motion = *style;
    } else {
      report(where + ": motion must be smooth or classic, not \"" + std::string(value) + "\"");
    }
  }
  return settings;
}

std::string GameSettingsText(const TGameSettings& settings) {
  return std::string("# Quellix settings: one \"name = value\" a line.\n") +
         "# motion: smooth (drawn at every refresh of the display) or classic (drawn once\n"
         "# per 40 ms tick, as the game always was). --motion on the command line wins.\n" +
         "motion = " + MotionStyleName(settings.Motion) + "\n" +
         "# refresh: refreshes a second where vsync does not pace the drawing (0: the rate\n"
         "# the display reports, 60 when it reports none).\n" +
         "refresh = " + std::to_string(settings.Refresh) + "\n";
}

TGameSettings LoadGameSettings(const std::string& path,
                               const std::function<void(const std::string&)>& report) {
  std::error_code error;
  if (!std::filesystem::exists(PathOf(path), error)) {
    const TGameSettings defaults;
    try {
      WriteFileAtomically(path, GameSettingsText(defaults));
    } catch (const std::exception& e) {
      report(std::string("Writing the settings failed: ") + e.what());
    }
    return defaults;
  }
  try {
    return ParseGameSettings(ReadTextFile(path), report);
  } catch (const std::exception& e) {
    report(std::string("Reading the settings failed: ") + e.what());
    return {};
  }
}

}  // namespace quellix
