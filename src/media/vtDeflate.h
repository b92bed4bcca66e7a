// Our own deflate (RFC 1951) in a zlib stream (RFC 1950), with no library: the same
// bytes give the same stream on every platform. Each block of tokens is sent with
// whichever of its own Huffman codes, the fixed codes or no compression is shortest.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes);

}  // namespace quellix::media
