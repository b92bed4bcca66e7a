// A small stroke font drawn by code: every letter is a few lines and arcs on a grid six
// units high, thickened into a shape, so texts can be bevelled, outlined and lit like
// any other sprite. Upper-case letters, digits and  ! . : + - ' / and space; lower case
// is drawn as upper case; other characters are left out.
#pragma once

#include <string_view>

#include "images/vtShape.h"

namespace quellix::assetgen {

struct TTextStyle {
  float CapHeight = 20.0f;  // pixels, from the top of a capital to its foot
  float Weight = 2.0f;      // stroke radius in pixels
  float Spacing = 1.4f;     // gap between letters, in grid units
  float Slant = 0.0f;       // italic shear (0.2 leans to the right)
};

// The text's ink width in pixels, strokes included.
float TextWidth(std::string_view text, const TTextStyle& style);
// The text as one shape, its ink box's top-left at origin.
TShape TextShape(std::string_view text, const TTextStyle& style, TVec origin);
// The largest style of the given weight ratio and slant whose text fits width x height.
TTextStyle FitText(std::string_view text, float width, float height, float weightRatio,
                   float slant);

}  // namespace quellix::assetgen
