// Comma lists: the one list encoding shared by every text format of the game
// (configuration, patterns, animation lines, high-score lines, frame records).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellix {

using TStringList = std::vector<std::string>;

// Splits a line into items. Commas and white space (codes 1..32) separate items;
// a double-quoted item may hold both, with doubled quotes standing for one.
TStringList Split(std::string_view text);

// Writes items back so that Split returns them unchanged.
std::string Join(const TStringList& items);

}  // namespace quellix
