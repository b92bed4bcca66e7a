// The standard text-to-integer conversion of every number the game reads from its
// text files: decimal digits with an optional sign, the whole text, within 32 bits.
#pragma once

#include <cstdint>
#include <string_view>

namespace quellix {

// Throws std::invalid_argument for anything else, the empty text included.
int32_t StrToInt(std::string_view text);

}  // namespace quellix
