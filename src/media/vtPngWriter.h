// PNG bytes of an 8-bit RGBA picture. The encoder is our own, deflate included
// (vtDeflate.h), so the same picture always gives the same bytes on every platform.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quellix::media {

// rgba holds width x height pixels, row after row, 4 bytes each (red first).
std::vector<uint8_t> EncodePngRgba(std::span<const uint8_t> rgba, int32_t width, int32_t height);

}  // namespace quellix::media
