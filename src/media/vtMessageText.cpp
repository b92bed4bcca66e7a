#include "media/vtMessageText.h"

#include <algorithm>

namespace quellix::media {

namespace {

// The widest character of the box's font, and what the box adds beside its text.
constexpr int CharacterWidth = 8;
constexpr int BoxMargins = 120;
constexpr int MinColumns = 30, MaxColumns = 110;

void WrapLine(std::string_view line, size_t columns, std::string& out) {
  while (line.size() > columns) {
    size_t cut = line.rfind(' ', columns);
    const bool atBlank = cut != std::string_view::npos && cut > 0;
    if (!atBlank) cut = columns;
    out.append(line.substr(0, cut));
    out += '\n';
    line.remove_prefix(atBlank ? cut + 1 : cut);
  }
  out.append(line);
}

}  // namespace

int MessageColumns(int desktopWidth) {
  return std::clamp((desktopWidth - BoxMargins) / CharacterWidth, MinColumns, MaxColumns);
}

std::string WrapMessage(std::string_view text, int columns) {
  const auto width = static_cast<size_t>(std::max(columns, 1));
  std::string out;
  while (true) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    WrapLine(line, width, out);
    if (end == std::string_view::npos) return out;
    out += '\n';
    text.remove_prefix(end + 1);
  }
}

}  // namespace quellix::media
