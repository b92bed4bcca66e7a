// What a name in the high-score table may hold: well-formed UTF-8 of printable
// characters, at most MaxHighScoreName of them. The name window keeps to it as the
// player types, and a shared board takes no other name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quellix {

// Characters (code points), not bytes.
inline constexpr size_t MaxHighScoreName = 20;

// Appends to name the printable characters of text, in order, until name holds
// MaxHighScoreName characters; control characters and malformed UTF-8 are dropped.
// name must be such a name already.
void AppendToHighScoreName(std::string& name, std::string_view text);
// The name that typing text into an empty name window gives.
std::string CleanHighScoreName(std::string_view text);
// Removes the last character of a name kept by the rules above.
void EraseLastCharacter(std::string& name);
// A name as the table keeps it, and not empty or blank.
bool IsShareableName(std::string_view name);

}  // namespace quellix
