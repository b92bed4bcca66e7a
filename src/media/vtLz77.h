// The LZ77 half of deflate: bytes as literals and back-references into the 32 KiB
// before them, found on hash chains with one step of lazy matching.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

// A literal byte (Distance 0) or a copy of Length bytes (3 to 258) from Distance bytes
// back (1 to 32768).
struct TLz77Token {
  uint16_t Length;  // the byte itself for a literal
  uint16_t Distance;
};

std::vector<TLz77Token> Lz77Tokens(std::span<const uint8_t> bytes);

}  // namespace quellix::media
