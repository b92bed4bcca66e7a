// A command line read by a table: each option is one row with its name, the name of its
// value if it takes one, its line in the usage text and what it sets in the result. A
// wrong option is a TUsageError whose message says what was wrong.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellix {

class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

template <class T>
struct TOptionRow {
  std::string_view Name;
  // Empty for a switch; else the option takes the next argument as its value.
  std::string_view ValueName;
  std::string_view Help;
  std::function<void(T&, std::string_view)> Apply;
};

// Applies the arguments (after the program's name) to result in order; throws
// TUsageError on an unknown option, a missing or empty value or a stray argument.
template <class T>
void ParseOptions(std::span<const TOptionRow<T>> rows, std::span<const std::string_view> args,
                  T& result) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [arg](const TOptionRow<T>& r) { return r.Name == arg; });
    if (row == rows.end()) {
      if (arg.starts_with("-")) throw TUsageError("unknown option " + std::string(arg));
      throw TUsageError("unexpected argument " + std::string(arg));
    }
    std::string_view value;
    if (!row->ValueName.empty()) {
      if (i + 1 >= args.size() || args[i + 1].empty())
        throw TUsageError(std::string(arg) + " needs " + std::string(row->ValueName));
      value = args[++i];
    }
    row->Apply(result, value);
  }
}

// An option's value as a whole number from low to high; throws TUsageError otherwise.
inline uint64_t OptionNumber(std::string_view option, std::string_view text, uint64_t low,
                             uint64_t high) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw TUsageError(std::string(option) + " takes a whole number from " + std::to_string(low) +
                      " to " + std::to_string(high) + ", not \"" + std::string(text) + "\"");
  return value;
}

// One line per option: its name and value, then its help, lined up.
template <class T>
std::string OptionHelp(std::span<const TOptionRow<T>> rows) {
  std::string text;
  for (const TOptionRow<T>& row : rows) {
    std::string left = "  ";
    left += row.Name;
    if (!row.ValueName.empty()) (left += " ") += row.ValueName;
    left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
    text += left + std::string(row.Help) + "\n";
  }
  return text;
}

}  // namespace quellix
