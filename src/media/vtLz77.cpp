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

// The places of the input, each inserted in turn on a chain of the earlier places with
// the same next four bytes (nearest first) and another of those with the same three.
class TMatchFinder {
 public:
  explicit TMatchFinder(std::span<const uint8_t> bytes)
      : fBytes(bytes),
        fSize(static_cast<int>(bytes.size())),
        fHead3(size_t{1} << HashBits, -1),
        fHead(size_t{1} << HashBits, -1) {
    size_t ring = 1;
    while (ring < bytes.size() && ring < 2 * Window) ring <<= 1;
    fPlaces.resize(ring);
    fMask = ring - 1;
  }

  // Places go in one by one from the first.
  void Insert(int at) {
    TPlace& p = fPlaces[at & fMask];
    const bool repeats = at > 0 && fBytes[at - 1] == fBytes[at];
    if (repeats) {
      p.Run = Place(at - 1).Run - 1;
      p.RunStart = Place(at - 1).RunStart;
    } else {
      for (p.Run = 1; at + p.Run < fSize && fBytes[at + p.Run] == fBytes[at];) ++p.Run;
      p.RunStart = at;
    }
    p.Previous3 = p.Previous = -1;
    if (at + MinMatch > fSize) return;
    const uint32_t three = fBytes[at] | (fBytes[at + 1] << 8u) | (fBytes[at + 2] << 16u);
    p.Previous3 = Link(fHead3, three, at);
    if (at + ChainBytes <= fSize)
      p.Previous = Link(fHead, three | (uint32_t{fBytes[at + 3]} << 24u), at);
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
    const TPlace& place = Place(at);
    if (best.Length < limit && place.Previous3 >= 0 && at - place.Previous3 <= TooFar)
      tryAt(place.Previous3);
    int chain = held >= GoodLength ? MaxChain / 4 : MaxChain;
    for (int c = place.Previous; best.Length < limit && c >= 0 && at - c <= Window && chain-- > 0;
         c = Place(c).Previous) {
      const TPlace& there = Place(c);
      if (place.Run >= ChainBytes && there.Run >= ChainBytes && fBytes[c] == here[0]) {
        // Here and at c start runs of one byte, and so do the places before c down to
        // the start of its run, each run one longer. Of them only the place whose run
        // is as long as ours can match beyond it (or, if none is, the longest run in
        // the window): the chain skips the others, which would fill it in long runs.
        const int start = there.RunStart;
        tryAt(there.Run >= place.Run ? c
                                     : std::max({c - (place.Run - there.Run), start, at - Window}));
        if (at - start > Window) break;
        c = start;
      } else {
        tryAt(c);
      }
    }
    if (best.Distance == 0 || (best.Length == MinMatch && best.Distance > TooFar)) return {};
    return best;
  }

 private:
  // What is known of a place: the places before it on its two chains (or -1), how many
  // times its byte repeats from there, and where that run of one byte starts.
  struct TPlace {
    int32_t Previous3 = -1, Previous = -1, Run = 0, RunStart = 0;
  };
  // The last places are kept, twice the window of them, so that each a match may come
  // from is there.
  const TPlace& Place(int at) const { return fPlaces[at & fMask]; }

  // Makes `at` the newest place of the hash of its next bytes; returns the one before.
  static int Link(std::vector<int32_t>& head, uint32_t bytes, int at) {
    const size_t hash = (bytes * 2654435761u) >> (32 - HashBits);
    const int before = head[hash];
    head[hash] = at;
    return before;
  }

  std::span<const uint8_t> fBytes;
  int fSize;
  std::vector<int32_t> fHead3, fHead;  // the newest place of each hash
  std::vector<TPlace> fPlaces;
  size_t fMask = 0;
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
