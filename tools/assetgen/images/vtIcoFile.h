// The Windows icon file: one PNG picture per size (Windows Vista and later read PNG
// entries). The Windows build's executable carries it as its icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quellix::assetgen {

struct TIcoPicture {
  int Size = 0;  // width and height in pixels, 1 to 256
  std::vector<uint8_t> Png;
};

// The bytes of an .ico file holding the pictures in the order given. Throws
// std::invalid_argument for a size outside 1 to 256.
std::string IcoFile(const std::vector<TIcoPicture>& pictures);

}  // namespace quellix::assetgen
