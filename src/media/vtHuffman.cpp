#include "media/vtHuffman.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quellix::media {

std::vector<uint8_t> CodeLengths(std::span<const uint32_t> counts, int maxLength) {
  std::vector<uint8_t> lengths(counts.size(), 0);
  std::vector<size_t> used;
  for (size_t s = 0; s < counts.size(); ++s)
    if (counts[s] > 0) used.push_back(s);
  if (used.size() < 2) {
    for (size_t s = 0; used.size() < 2; ++s)
      if (counts[s] == 0) used.push_back(s);
    for (size_t s : used) lengths[s] = 1;
    return lengths;
  }
  // Package-merge: the leaves, lightest first; at each further level the list is the
  // leaves merged with the pairs of the level before. A symbol's code length is how
  // often its leaf is among the first 2n - 2 items of the last list.
  std::stable_sort(used.begin(), used.end(),
                   [&](size_t a, size_t b) { return counts[a] < counts[b]; });
  const size_t n = used.size();
  if (n > (size_t{1} << maxLength)) throw std::invalid_argument("too many symbols for the length");
  struct TItem {
    uint64_t Weight;
    uint32_t Left, Right;  // the items of a pair; a leaf (index < n) has none
  };
  std::vector<TItem> items;
  std::vector<uint32_t> list;
  for (size_t k = 0; k < n; ++k) {
    items.push_back({counts[used[k]], 0, 0});
    list.push_back(static_cast<uint32_t>(k));
  }
  for (int level = 1; level < maxLength; ++level) {
    std::vector<uint32_t> merged;
    merged.reserve(2 * n);
    size_t leaf = 0;
    for (size_t p = 0; p + 1 < list.size(); p += 2) {
      const TItem pair = {items[list[p]].Weight + items[list[p + 1]].Weight, list[p], list[p + 1]};
      while (leaf < n && items[leaf].Weight <= pair.Weight) merged.push_back(leaf++);
      merged.push_back(static_cast<uint32_t>(items.size()));
      items.push_back(pair);
    }
    while (leaf < n) merged.push_back(leaf++);
    list = std::move(merged);
  }
  std::vector<uint32_t> open(list.begin(), list.begin() + (2 * n - 2));
  while (!open.empty()) {
    const uint32_t item = open.back();
    open.pop_back();
    if (item < n) {
      ++lengths[used[item]];
    } else {
      open.push_back(items[item].Left);
      open.push_back(items[item].Right);
    }
  }
  return lengths;
}

std::vector<uint16_t> CanonicalCodes(std::span<const uint8_t> lengths) {
  constexpr int MaxBits = 16;
  std::array<uint32_t, MaxBits + 1> perLength{};
  for (uint8_t l : lengths) ++perLength[l];
  perLength[0] = 0;
  std::array<uint32_t, MaxBits + 1> next{};
  for (int l = 1; l <= MaxBits; ++l) next[l] = (next[l - 1] + perLength[l - 1]) << 1u;
  std::vector<uint16_t> codes(lengths.size(), 0);
  for (size_t s = 0; s < lengths.size(); ++s) {
    const int l = lengths[s];
    if (l == 0) continue;
    const uint32_t code = next[l]++;
    uint32_t reversed = 0;
    for (int i = 0; i < l; ++i) reversed |= ((code >> i) & 1u) << (l - 1 - i);
    codes[s] = static_cast<uint16_t>(reversed);
  }
  return codes;
}

}  // namespace quellix::media
