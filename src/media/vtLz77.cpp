#include "media/vtLz77.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quellix::media {

namespace {

constexpr int MinMatch = 3, MaxMatch = 258, Window = 32768;
// The chains link places whose next four bytes agree; a match of three bytes comes from
// the nearest place whose next three agree.
constexpr int ChainBytes = 4;
constexpr int HashBits = 15;
// How many earlier places of a chain are tried: the bound on time.
constexpr int MaxChain = 256;
// Past a held match this long a quarter of the chain will do.
constexpr int GoodLength = 32;
// A match of three bytes farther back than this costs more than the three literals.
constexpr int TooFar = 4096;

struct TMatch {
  int Length = 0, Distance = 0;
};

// How many bytes from a and b agree, up to limit, compared eight at a time: the first
// that differs is the lowest set byte of their difference in memory order.
int CommonLength(const uint8_t* a, const uint8_t* b, int limit) {
  int length = 0;
  for (; length + 8 <= limit; length += 8) {
    uint64_t x = 0, y = 0;
    std::memcpy(&x, a + length, 8);
    std::memcpy(&y, b + length, 8);
    if (x == y) continue;
    const uint64_t differ = x ^ y;
    return length + (std::endian::native == std::endian::little ? std::countr_zero(differ)
                                                                : std::countl_zero(differ)) /
                        8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

class TMatchFinder {
 public:
  explicit TMatchFinder(std::span<const uint8_t> bytes)
      : fBytes(bytes),
        fSize(static_cast<int>(bytes.size())),
        fHead3(size_t{1} << HashBits, -1),
        fHead(size_t{1} << HashBits, -1),
        fPrevious3(bytes.size(), -1),
        fPrevious(bytes.size(), -1),
        fRun(bytes.size()),
        fRunStart(bytes.size()) {
    for (int i = fSize - 1; i >= 0; --i)
      fRun[i] = i + 1 < fSize && bytes[i + 1] == bytes[i] ? fRun[i + 1] + 1 : 1;
    for (int i = 0; i < fSize; ++i)
      fRunStart[i] = i > 0 && bytes[i - 1] == bytes[i] ? fRunStart[i - 1] : i;
  }

  void Insert(int at) {
    if (at + MinMatch > fSize) return;
    Link(fHead3, fPrevious3, Hash(at, MinMatch), at);
    if (at + ChainBytes <= fSize) Link(fHead, fPrevious, Hash(at, ChainBytes), at);
  }

  // The longest match at `at` (inserted already) longer than `held`, or none.
  TMatch Longest(int at, int held) const {
    const int limit = std::min(MaxMatch, fSize - at);
    TMatch best{std::max(held, MinMatch - 1), 0};
    const uint8_t* here = fBytes.data() + at;
    auto tryAt = [&](int candidate) {
      const uint8_t* there = fBytes.data() + candidate;
      if (there[best.Length] != here[best.Length] || there[0] != here[0]) return;
      const int length = CommonLength(there, here, limit);
      if (length > best.Length) best = {length, at - candidate};
    };
    if (best.Length < limit && fPrevious3[at] >= 0 && at - fPrevious3[at] <= TooFar)
      tryAt(fPrevious3[at]);
    int chain = held >= GoodLength ? MaxChain / 4 : MaxChain;
    const int run = fRun[at];
    for (int c = fPrevious[at]; best.Length < limit && c >= 0 && at - c <= Window && chain-- > 0;
         c = fPrevious[c]) {
      if (run >= ChainBytes && fRun[c] >= ChainBytes && fBytes[c] == here[0]) {
        // Here and at c start runs of one byte, and so do the places before c down to
        // the start of its run, each run one longer. Of them only the place whose run
        // is as long as ours can match beyond it (or, if none is, the longest run in
        // the window): the chain skips the others, which would fill it in long runs.
        const int start = fRunStart[c];
        tryAt(fRun[c] >= run ? c : std::max({c - (run - fRun[c]), start, at - Window}));
        c = start;
      } else {
        tryAt(c);
      }
    }
    if (best.Distance == 0 || (best.Length == MinMatch && best.Distance > TooFar)) return {};
    return best;
  }

 private:
  // The hash of the next three or four bytes.
  size_t Hash(int at, int count) const {
    uint32_t v = fBytes[at] | (fBytes[at + 1] << 8u) | (fBytes[at + 2] << 16u);
    if (count == 4) v |= uint32_t{fBytes[at + 3]} << 24u;
    return static_cast<size_t>((v * 2654435761u) >> (32 - HashBits));
  }
  static void Link(std::vector<int32_t>& head, std::vector<int32_t>& previous, size_t hash,
                   int at) {
    previous[at] = head[hash];
    head[hash] = at;
  }

  std::span<const uint8_t> fBytes;
  int fSize;
  std::vector<int32_t> fHead3, fHead;  // the nearest place of each hash
  std::vector<int32_t> fPrevious3;     // the place before on the three bytes' chain, or -1
  std::vector<int32_t> fPrevious;      // the same on the chain of four
  std::vector<int32_t> fRun;           // how many times the byte at each place repeats from there
  std::vector<int32_t> fRunStart;      // where that run of one byte starts
};

}  // namespace

std::vector<TLz77Token> Lz77Tokens(std::span<const uint8_t> bytes) {
  std::vector<TLz77Token> tokens;
  TMatchFinder finder(bytes);
  const int n = static_cast<int>(bytes.size());
  auto literal = [&](int at) { tokens.push_back({bytes[at], 0}); };
  // The match found at the place before, kept back while the next place may hold a
  // longer one; its first byte is not yet written.
  TMatch held;
  bool holding = false;
  for (int at = 0; at < n;) {
    finder.Insert(at);
    const TMatch here = finder.Longest(at, held.Length);
    if (held.Length >= MinMatch && here.Length <= held.Length) {
      tokens.push_back({static_cast<uint16_t>(held.Length), static_cast<uint16_t>(held.Distance)});
      const int end = at - 1 + held.Length;
      while (++at < end) finder.Insert(at);
      held = {};
      holding = false;
      continue;
    }
    if (holding) literal(at - 1);
    held = here;
    holding = true;
    ++at;
  }
  if (holding) literal(n - 1);
  return tokens;
}

}  // namespace quellix::media
