#include "config/vtStrToInt.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace quellix {

int32_t StrToInt(std::string_view text) {
  // from_chars reads an optional minus and digits; a plus sign is ours to take off.
  const bool plus = !text.empty() && text.front() == '+';
  const std::string_view rest = plus ? text.substr(1) : text;
  int32_t value = 0;
  const char* end = rest.data() + rest.size();
  const auto [ptr, ec] = std::from_chars(rest.data(), end, value);
  if (rest.empty() || (plus && rest.front() == '-') || ec != std::errc() || ptr != end)
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

}  // namespace quellix
