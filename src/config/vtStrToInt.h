// Whole numbers as every text format of the game writes them: an optional sign and
// decimal digits, nothing else, within the 32-bit range.
#pragma once

#include <cstdint>
#include <string_view>

namespace quellix {

// Throws std::invalid_argument naming the text when it is not such a number.
int32_t StrToInt(std::string_view text);

}  // namespace quellix
