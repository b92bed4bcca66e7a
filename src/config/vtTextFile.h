// Reads a text file as lines, as the data files are read: line ends of either
// convention, no line end needed after the last line.
#pragma once

#include <string>

#include "config/vtCommaList.h"

namespace quellix {

// False when the file cannot be opened; lines then stays empty.
bool ReadTextLines(const std::string& path, TStringList& lines);

}  // namespace quellix
