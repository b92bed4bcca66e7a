#include "images/vtIcoFile.h"

#include <stdexcept>

namespace quellix::assetgen {

namespace {

constexpr int MaxIcoSize = 256;
constexpr uint32_t HeaderBytes = 6, EntryBytes = 16;

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string IcoFile(const std::vector<TIcoPicture>& pictures) {
  // Little-endian: the header (reserved, type 1 = icon, count), then one entry per
  // picture, then the pictures.
  std::string out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(pictures.size()));
  uint32_t offset = HeaderBytes + EntryBytes * static_cast<uint32_t>(pictures.size());
  for (const TIcoPicture& picture : pictures) {
    if (picture.Size < 1 || picture.Size > MaxIcoSize)
      throw std::invalid_argument("an icon file holds sizes 1 to 256, not " +
                                  std::to_string(picture.Size));
    // A side of 256 is written as 0.
    const auto side = static_cast<char>(picture.Size == MaxIcoSize ? 0 : picture.Size);
    out += side;
    out += side;
    out += '\0';  // no palette
    out += '\0';
    Put16(out, 1);   // colour planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<uint32_t>(picture.Png.size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(picture.Png.size());
  }
  for (const TIcoPicture& picture : pictures) out.append(picture.Png.begin(), picture.Png.end());
  return out;
}

}  // namespace quellix::assetgen
