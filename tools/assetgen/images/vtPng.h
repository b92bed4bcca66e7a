// PNG bytes of a canvas, encoded by SDL2_image (which writes no time stamps, so the
// same picture always gives the same bytes), and back.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "images/vtCanvas.h"

namespace quellix::assetgen {

// Throws std::runtime_error when SDL2_image fails.
std::vector<uint8_t> EncodePng(const TCanvas& canvas);
// Decodes a PNG into a canvas; throws std::runtime_error on a bad picture.
TCanvas DecodePng(std::span<const uint8_t> png);

}  // namespace quellix::assetgen
