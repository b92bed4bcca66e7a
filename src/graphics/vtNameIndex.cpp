#include "graphics/vtNameIndex.h"

namespace quellix {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

size_t TNameIndex::TCaseFreeHash::operator()(std::string_view s) const {
  // FNV-1a over the lower-cased bytes.
  uint64_t h = 14695981039346656037ULL;
  for (char c : s) {
    h ^= static_cast<unsigned char>(LowerAscii(c));
    h *= 1099511628211ULL;
  }
  return static_cast<size_t>(h);
}

void TNameIndex::Add(std::string_view name, int32_t index) {
  fMap.try_emplace(std::string(name), index);
}

int32_t TNameIndex::IndexOf(std::string_view name) const {
  const auto it = fMap.find(name);
  return it == fMap.end() ? -1 : it->second;
}

}  // namespace quellix
