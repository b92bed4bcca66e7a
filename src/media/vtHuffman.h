// The prefix codes of deflate (RFC 1951, 3.2.2): the best code lengths for a count of
// each symbol under a maximum length, and the canonical codes that lengths give.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

// The length of each symbol's code (0 for a symbol never used, none above maxLength)
// that makes the coded total smallest, found by package-merge. Fewer than two used
// symbols get two codes of length 1 all the same (the used one, if any, and the first
// unused ones): some decoders refuse a code of one symbol, and a distance code must
// exist even where no distance is sent. counts holds at least two symbols and at most
// 2^maxLength.
std::vector<uint8_t> CodeLengths(std::span<const uint32_t> counts, int maxLength);

// The canonical code of each symbol for those lengths, its bits in the order deflate
// sends them: the first bit of the code in the lowest place.
std::vector<uint16_t> CanonicalCodes(std::span<const uint8_t> lengths);

}  // namespace quellix::media
