// Reading the game's text files: the whole file at once, then cut into lines the way
// every format of the game counts them (a line ends at CR, LF or CR LF, and a final
// line end does not start another, empty line).
#pragma once

#include <string>
#include <string_view>

#include "config/vtCommaList.h"

namespace quellix {

// The file's bytes; throws std::runtime_error naming the file when it cannot be opened
// or read (a directory included).
std::string ReadTextFile(const std::string& path);

TStringList SplitLines(std::string_view text);

}  // namespace quellix
