#include "media/vtPngWriter.h"

#include <cstdint>
#include <stdexcept>

#include "graphics/vtArchive.h"
#include "media/vtDeflate.h"

namespace quellix::media {

namespace {

constexpr int BytesPerPixel = 4;

void PutU32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> data) {
  PutU32BigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32BigEndian(out, Crc32({out.data() + start, out.size() - start}));
}

// The rows with a filter byte before each: unfiltered, or each row with whichever of
// None, Sub and Up leaves the bytes smallest in sum (read as signed: small differences
// are what deflate codes shortest).
std::vector<uint8_t> FilterRows(std::span<const uint8_t> rgba, size_t stride, bool adaptive) {
  enum : uint8_t { None, Sub, Up, FilterCount };
  std::vector<uint8_t> filtered;
  filtered.reserve(rgba.size() + rgba.size() / stride);
  std::vector<uint8_t> candidate[FilterCount];
  for (size_t y = 0; y < rgba.size() / stride; ++y) {
    const uint8_t* row = rgba.data() + y * stride;
    const uint8_t* above = y > 0 ? row - stride : nullptr;
    uint8_t bestFilter = None;
    uint64_t bestCost = UINT64_MAX;
    for (uint8_t f = None; f < (adaptive ? FilterCount : Sub); ++f) {
      candidate[f].resize(stride);
      uint64_t cost = 0;
      for (size_t i = 0; i < stride; ++i) {
        const uint8_t left = i >= BytesPerPixel ? row[i - BytesPerPixel] : 0;
        const uint8_t up = above ? above[i] : 0;
        const uint8_t v = static_cast<uint8_t>(row[i] - (f == Sub ? left : f == Up ? up : 0));
        candidate[f][i] = v;
        cost += v < 128 ? v : 256 - v;
      }
      if (cost < bestCost) bestCost = cost, bestFilter = f;
    }
    filtered.push_back(bestFilter);
    filtered.insert(filtered.end(), candidate[bestFilter].begin(), candidate[bestFilter].end());
  }
  return filtered;
}

}  // namespace

std::vector<uint8_t> EncodePngRgba(std::span<const uint8_t> rgba, int32_t width, int32_t height) {
  const size_t stride = static_cast<size_t>(width) * BytesPerPixel;
  if (width <= 0 || height <= 0 || rgba.size() != stride * static_cast<size_t>(height))
    throw std::invalid_argument("PNG pixels do not match the picture size");
  // Filtered rows compress best as a rule, but pictures of few colours (flat art,
  // text) often do better unfiltered, where their repeats stay whole: both are
  // tried. Average and Paeth filters, tried too, made the game's pictures larger.
  std::vector<uint8_t> data = Deflate(FilterRows(rgba, stride, true));
  std::vector<uint8_t> unfiltered = Deflate(FilterRows(rgba, stride, false));
  if (unfiltered.size() < data.size()) data = std::move(unfiltered);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32BigEndian(header, static_cast<uint32_t>(width));
  PutU32BigEndian(header, static_cast<uint32_t>(height));
  for (uint8_t b : {8, 6, 0, 0, 0}) header.push_back(b);  // 8-bit RGBA, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", data);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace quellix::media
