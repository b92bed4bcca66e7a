// Names of images, sounds, reels and scenes are matched without regard to ASCII letter
// case. TNameIndex finds a name's first index through a hash map, so a lookup costs
// the same however long the list is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quellix {

constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);

class TNameIndex {
 public:
  void Clear() { fMap.clear(); }
  // Records name at index unless an earlier index holds the same name.
  void Add(std::string_view name, int32_t index);
  // The first index recorded for the name, -1 when none.
  int32_t IndexOf(std::string_view name) const;

 private:
  struct TCaseFreeHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct TCaseFreeEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
  };
  std::unordered_map<std::string, int32_t, TCaseFreeHash, TCaseFreeEqual> fMap;
};

}  // namespace quellix
