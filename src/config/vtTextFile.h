// Reading the game's text files: the whole file at once, then cut into lines the way
// every format of the game counts them (a line ends at CR, LF or CR LF, a final line
// end does not start another, empty line, and a UTF-8 byte-order mark at the start of
// the text is skipped).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/vtCommaList.h"

namespace quellix {

// The file's bytes; throws std::runtime_error naming the file when it cannot be opened
// or read (a directory included).
std::string ReadTextFile(const std::string& path);

// Where a loader tells what it could not use of a file (the error log, in the game).
using TLoadLog = std::function<void(const std::string& message)>;

TStringList SplitLines(std::string_view text);

}  // namespace quellix
