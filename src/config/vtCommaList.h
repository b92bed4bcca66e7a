// Comma lists: the one list encoding shared by every text format of the game
// (configuration, patterns, animation lines, high-score lines, frame records).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellix {

using TStringList = std::vector<std::string>;

// Some editors begin a UTF-8 file with it; the readers of files skip it.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Splits a line into items. Commas and white space (codes 1..32) separate items;
// a double-quoted item may hold both, with doubled quotes standing for one.
TStringList Split(std::string_view text);

// Writes items back so that Split returns them unchanged. An item that begins with a
// byte-order mark is quoted, so that it survives as the first item of a file.
std::string Join(const TStringList& items);

}  // namespace quellix
