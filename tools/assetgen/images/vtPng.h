// PNG bytes of a canvas, and back. The encoder is our own: one fixed-code deflate block
// with a quick match finder, so the same picture always gives the same bytes, fast.
// Decoding goes through SDL2_image, so the tests read what we wrote with a real codec.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "images/vtCanvas.h"

namespace quellix::assetgen {

std::vector<uint8_t> EncodePng(const TCanvas& canvas);
// Decodes a PNG into a canvas; throws std::runtime_error on a bad picture.
TCanvas DecodePng(std::span<const uint8_t> png);

// The zlib stream (RFC 1950) of the bytes, compressed with fixed Huffman codes.
std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes);

}  // namespace quellix::assetgen
