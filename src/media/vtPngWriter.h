// PNG bytes of an 8-bit RGBA picture. The encoder is our own: one fixed-code deflate
// block with a quick match finder, so the same picture always gives the same bytes, and
// fast enough to write every image of the game at each build.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

// rgba holds width x height pixels, row after row, 4 bytes each (red first).
std::vector<uint8_t> EncodePngRgba(std::span<const uint8_t> rgba, int32_t width, int32_t height);

// The zlib stream (RFC 1950) of the bytes, compressed with fixed Huffman codes.
std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes);

}  // namespace quellix::media
