// The look of the menus and of the watching of a replay: the colours of the title's
// art (data/art/art.txt) and the sizes of their texts.
#pragma once

#include "graphics/vtMedia.h"

namespace quellix::MenuLook {

inline constexpr TColor Heading = RGB(0x8a, 0xd2, 0xff);  // caption
inline constexpr TColor Text = RGB(0xc8, 0xd4, 0xec);
inline constexpr TColor LitText = RGB(0xff, 0xf2, 0xa0);  // text_bright
inline constexpr TColor Lit = RGB(0x2a, 0x5a, 0xa0);      // plate_bright
inline constexpr TColor Dim = RGB(0x7a, 0x8a, 0xaa);      // text_dim
inline constexpr TColor Warning = RGB(0xff, 0xb4, 0x3d);

inline TFont Font(int32_t size, TColor color) {
  TFont font;
  font.Size = size;
  font.Color = color;
  return font;
}

}  // namespace quellix::MenuLook
