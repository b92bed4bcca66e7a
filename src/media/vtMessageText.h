// A message box is as wide as its longest line, and a box wider than the screen has its
// end cut off: the text is broken into lines that fit before it is shown.
#pragma once

#include <string>
#include <string_view>

namespace quellix::media {

// The characters a line of a message box may hold on a desktop this many pixels wide.
int MessageColumns(int desktopWidth);

// The text with every line longer than `columns` broken at blanks (a word longer than a
// line is broken where the line ends); its own line breaks are kept.
std::string WrapMessage(std::string_view text, int columns);

}  // namespace quellix::media
