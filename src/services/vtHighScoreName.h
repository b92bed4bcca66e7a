// What a name in the high-score table holds: well-formed UTF-8 of printable characters,
// of any length, not trimmed. The name window keeps to it as the player types; a shared
// board applies a length limit of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quellix {

// Appends to name the printable characters of text, in order; control characters and
// malformed UTF-8 are dropped. name must be such a name already.
void AppendToHighScoreName(std::string& name, std::string_view text);
// The name that typing text into an empty name window gives.
std::string CleanHighScoreName(std::string_view text);
// Removes the last character of a name kept by the rules above.
void EraseLastCharacter(std::string& name);
// The characters (code points, not bytes) of a name kept by the rules above.
size_t NameCharacters(std::string_view name);

}  // namespace quellix
