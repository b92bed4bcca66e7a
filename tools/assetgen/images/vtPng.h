// PNG bytes of a canvas, and back. Encoding is the media layer's own deterministic
// writer; decoding goes through SDL2_image, so the tests read what we wrote with a real
// codec.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "images/vtCanvas.h"

namespace quellix::assetgen {

std::vector<uint8_t> EncodePng(const TCanvas& canvas);
// Decodes a PNG into a canvas; throws std::runtime_error on a bad picture.
TCanvas DecodePng(std::span<const uint8_t> png);

}  // namespace quellix::assetgen
