#include "config/vtStrToInt.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace quellix {

int32_t StrToInt(std::string_view text) {
  // from_chars takes a minus sign but no plus sign; a second sign is still refused below.
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, 10);
  const bool signedTwice = text.size() > 1 && text[0] == '+' && text[1] == '-';
  if (digits.empty() || error != std::errc{} || stop != end || signedTwice)
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

}  // namespace quellix
