#include "services/vtGameSettings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <filesystem>
#include <vector>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "config/vtTextFile.h"
#include "services/vtKeyNames.h"

namespace quellix {

namespace {

constexpr int32_t MinWindowSide = 320, MaxWindowSide = 16384;
constexpr int32_t MaxWindowOffset = 100000;
constexpr std::string_view Centred = "centred";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<int32_t> Whole(std::string_view text, int32_t min, int32_t max) {
  text = Trim(text);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
      value > max)
    return std::nullopt;
  return value;
}

// Two whole numbers separated by `separator`.
bool WholePair(std::string_view text, char separator, int32_t min, int32_t max, int32_t& a,
               int32_t& b) {
  const size_t at = text.find(separator);
  if (at == std::string_view::npos) return false;
  const std::optional<int32_t> first = Whole(text.substr(0, at), min, max);
  const std::optional<int32_t> second = Whole(text.substr(at + 1), min, max);
  if (!first || !second) return false;
  a = *first;
  b = *second;
  return true;
}

// A setting whose value is one of a few words.
template <class T, size_t N>
struct TWords {
  std::array<std::pair<T, std::string_view>, N> Words;
  std::optional<T> Parse(std::string_view word) const {
    for (const auto& [value, name] : Words)
      if (name == word) return value;
    return std::nullopt;
  }
  std::string_view Name(T value) const {
    for (const auto& [v, name] : Words)
      if (v == value) return name;
    return Words[0].second;
  }
  // "fit, whole or stretch".
  std::string Choices() const {
    std::string text;
    for (size_t i = 0; i < N; ++i)
      text += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(Words[i].second);
    return text;
  }
};

constexpr TWords<TMotionStyle, 2> MotionWords{
    {{{TMotionStyle::Smooth, "smooth"}, {TMotionStyle::Classic, "classic"}}}};
constexpr TWords<bool, 2> ScreenWords{{{{true, "fullscreen"}, {false, "window"}}}};
constexpr TWords<TScaling, 3> ScalingWords{
    {{{TScaling::Fit, "fit"}, {TScaling::Whole, "whole"}, {TScaling::Stretch, "stretch"}}}};
constexpr TWords<bool, 2> OnOffWords{{{{true, "on"}, {false, "off"}}}};
constexpr TWords<TFilter, 2> FilterWords{
    {{{TFilter::Sharp, "sharp"}, {TFilter::Smooth, "smooth"}}}};

std::optional<TPadButton> UsablePadButton(std::string_view name) {
  const std::optional<TPadButton> button = ParsePadButton(name);
  if (button && PadButtonReserved(*button)) return std::nullopt;
  return button;
}

// One setting: its name, the comment written above it, what its value must be (for the
// report of a wrong one), how it is read (false: not a value of it) and written.
struct TSettingRow {
  std::string_view Name;
  std::string_view Comment;
  std::string Expected;
  std::function<bool(std::string_view value, TGameSettings& settings)> Read;
  std::function<std::string(const TGameSettings& settings)> Write;
};

// A whole number from min to max.
TSettingRow WholeRow(std::string_view name, std::string_view comment, int32_t min, int32_t max,
                     int32_t TGameSettings::*field) {
  return {name, comment,
          "a whole number from " + std::to_string(min) + " to " + std::to_string(max),
          [=](std::string_view v, TGameSettings& s) {
            const std::optional<int32_t> value = Whole(v, min, max);
            if (value) s.*field = *value;
            return value.has_value();
          },
          [field](const TGameSettings& s) { return std::to_string(s.*field); }};
}

// One of a few words; field finds the value in the settings.
template <class T, size_t N>
TSettingRow WordRow(std::string_view name, std::string_view comment, const TWords<T, N>& words,
                    T& (*field)(TGameSettings&)) {
  return {name, comment, words.Choices(),
          [&words, field](std::string_view v, TGameSettings& s) {
            const std::optional<T> value = words.Parse(v);
            if (value) field(s) = *value;
            return value.has_value();
          },
          [&words, field](const TGameSettings& s) {
            TGameSettings copy = s;
            return std::string(words.Name(field(copy)));
          }};
}

// The controller button bound to an action.
TSettingRow PadRow(std::string_view name, TPadButton TPadBindings::*action,
                   std::string_view comment = {}) {
  return {name, comment, "a controller button other than back, guide and the pad's arrows",
          [action](std::string_view v, TGameSettings& s) {
            const std::optional<TPadButton> button = UsablePadButton(v);
            if (button) s.Pad.*action = *button;
            return button.has_value();
          },
          [action](const TGameSettings& s) { return std::string(PadButtonName(s.Pad.*action)); }};
}

const std::vector<TSettingRow>& Rows() {
  static const std::vector<TSettingRow> rows = {
      WordRow(
          "motion",
          "motion: smooth (drawn at every refresh of the display) or classic (drawn once\n"
          "per 40 ms tick, as the game always was). --motion on the command line wins.",
          MotionWords, +[](TGameSettings& s) -> TMotionStyle& { return s.Motion; }),
      WholeRow("refresh",
               "refresh: refreshes a second where vsync does not pace the drawing (0: the rate\n"
               "the display reports, 60 when it reports none).",
               0, TGameSettings::MaxRefresh, &TGameSettings::Refresh),
      WholeRow("volume",
               "volume: the sound effects' loudness, 0 to 100 per cent (the title's sound\n"
               "switch mutes them).",
               0, 100, &TGameSettings::Volume),
      WordRow(
          "display", "display: fullscreen or window (Alt+Enter switches while playing).",
          ScreenWords, +[](TGameSettings& s) -> bool& { return s.Display.FullScreen; }),
      WordRow(
          "scaling",
          "scaling: fit (as large as fits, bars beside), whole (whole multiples of the\n"
          "picture: sharp pixels) or stretch (fills the screen, the shape not kept).",
          ScalingWords, +[](TGameSettings& s) -> TScaling& { return s.Display.Scaling; }),
      WordRow(
          "filter", "filter: sharp or smooth pixels when the picture is scaled.", FilterWords,
          +[](TGameSettings& s) -> TFilter& { return s.Display.Filter; }),
      {"window_size", "window_size: the window's size, WIDTH x HEIGHT.",
       "WIDTH x HEIGHT, each from 320 to 16384",
       [](std::string_view v, TGameSettings& s) {
         return WholePair(v, 'x', MinWindowSide, MaxWindowSide, s.Display.Window.Width,
                          s.Display.Window.Height);
       },
       [](const TGameSettings& s) {
         return std::to_string(s.Display.Window.Width) + " x " +
                std::to_string(s.Display.Window.Height);
       }},
      {"window_place", "window_place: centred, or where the window's corner stands: X, Y.",
       "centred or X, Y",
       [](std::string_view v, TGameSettings& s) {
         TWindowPlace& place = s.Display.Window;
         if (v == Centred) {
           place = {true, 0, 0, place.Width, place.Height};
           return true;
         }
         if (!WholePair(v, ',', -MaxWindowOffset, MaxWindowOffset, place.X, place.Y)) return false;
         place.Centred = false;
         return true;
       },
       [](const TGameSettings& s) {
         const TWindowPlace& place = s.Display.Window;
         return place.Centred ? std::string(Centred)
                              : std::to_string(place.X) + ", " + std::to_string(place.Y);
       }},
      WholeRow("mouse_speed", "mouse_speed: the mouse's motion is multiplied by this, 1 to 8.", 1,
               TGameSettings::MaxMouseSpeed, &TGameSettings::MouseSpeed),
      {"bomb_key",
       "bomb_key: the key that sets off a bomb: space, a letter, a digit, f1 to f24, tab,\n"
       "shift, control, insert, delete, home, end, numpad0 to numpad9, ...",
       "a key other than escape, enter, backspace, alt, the arrows, pageup and pagedown",
       [](std::string_view v, TGameSettings& s) {
         const std::optional<int32_t> key = ParseKeyName(v);
         if (!key || KeyReserved(*key)) return false;
         s.BombKey = *key;
         return true;
       },
       [](const TGameSettings& s) { return KeyName(s.BombKey); }},
      PadRow("pad_fire", &TPadBindings::Fire,
             "pad_fire, pad_shields, pad_bomb, pad_pause: the controller's buttons that fire,\n"
             "raise the shields, set off a bomb and pause: a, b, x, y, start, leftshoulder,\n"
             "rightshoulder, leftstick, rightstick, misc1, paddle1 to paddle4, touchpad."),
      PadRow("pad_shields", &TPadBindings::Shields),
      PadRow("pad_bomb", &TPadBindings::Bomb),
      PadRow("pad_pause", &TPadBindings::Pause),
      WordRow(
          "share_scores",
          "share_scores: on or off: whether the games that enter the high-score table are\n"
          "sent to the board below (the options screen's SHARE SCORES).",
          OnOffWords, +[](TGameSettings& s) -> bool& { return s.ShareScores; }),
      {"board",
       "board: the address of a shared high-score board (http://host:port), whose table\n"
       "the high-score screen shows and where share_scores sends games; empty: none.",
       "an address such as http://host:8080",
       [](std::string_view v, TGameSettings& s) {
         if (!v.empty() && !IsBoardAddress(v)) return false;
         s.Board = v;
         return true;
       },
       [](const TGameSettings& s) { return s.Board; }},
  };
  return rows;
}

const TSettingRow* FindRow(std::string_view name) {
  for (const TSettingRow& row : Rows())
    if (row.Name == name) return &row;
  return nullptr;
}

std::string CommentLines(std::string_view comment) {
  std::string text;
  while (!comment.empty()) {
    const size_t end = comment.find('\n');
    text += "# " + std::string(comment.substr(0, end)) + "\n";
    if (end == std::string_view::npos) break;
    comment.remove_prefix(end + 1);
  }
  return text;
}

std::string SettingLine(const TSettingRow& row, const TGameSettings& settings) {
  return std::string(row.Name) + " = " + row.Write(settings);
}

// The name of the setting a line sets, empty for a blank line, a comment or no "=".
std::string_view LineName(std::string_view line) {
  line = Trim(line);
  const size_t equals = line.find('=');
  if (line.empty() || line.front() == '#' || equals == std::string_view::npos) return {};
  return Trim(line.substr(0, equals));
}

}  // namespace

std::optional<TMotionStyle> ParseMotionStyle(std::string_view name) {
  return MotionWords.Parse(name);
}

const char* MotionStyleName(TMotionStyle style) {
  return MotionWords.Name(style).data();
}

bool IsBoardAddress(std::string_view text) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (!text.starts_with(scheme)) continue;
    const std::string_view rest = text.substr(scheme.size());
    const std::string_view host = rest.substr(0, rest.find_first_of(":/"));
    const bool visible =
        std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 127; });
    return visible && !host.empty();
  }
  return false;
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
    const TSettingRow* row = FindRow(name);
    if (!row) {
      report(where + ": unknown setting \"" + std::string(name) + "\" ignored");
    } else if (TGameSettings read = settings; row->Read(value, read)) {
      settings = read;
    } else {
      report(where + ": " + std::string(name) + " must be " + row->Expected + ", not \"" +
             std::string(value) + "\"");
    }
  }
  return settings;
}

std::string GameSettingsText(const TGameSettings& settings, std::string_view previous) {
  std::string text;
  std::vector<std::string_view> written;
  if (previous.empty()) {
    text =
        "# Quellix settings: one \"name = value\" a line; the game keeps lines it does not\n"
        "# know. The options screen of the title changes them.\n";
  } else {
    for (const std::string& line : SplitLines(previous)) {
      const TSettingRow* row = FindRow(LineName(line));
      text += row ? SettingLine(*row, settings) : line;
      text += '\n';
      if (row) written.push_back(row->Name);
    }
  }
  for (const TSettingRow& row : Rows()) {
    if (std::find(written.begin(), written.end(), row.Name) != written.end()) continue;
    text += CommentLines(row.Comment) + SettingLine(row, settings) + "\n";
  }
  return text;
}

TGameSettings LoadGameSettings(const std::string& path,
                               const std::function<void(const std::string&)>& report,
                               bool writeMissing) {
  std::error_code error;
  if (!std::filesystem::exists(PathOf(path), error)) {
    const TGameSettings defaults;
    if (!writeMissing) return defaults;
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

void SaveGameSettings(const std::string& path, const TGameSettings& settings) {
  std::string previous;
  std::error_code error;
  // A file that cannot be read is written anew rather than left as it was.
  if (std::filesystem::exists(PathOf(path), error)) {
    try {
      previous = ReadTextFile(path);
    } catch (const std::exception&) {
    }
  }
  WriteFileAtomically(path, GameSettingsText(settings, previous));
}

}  // namespace quellix
