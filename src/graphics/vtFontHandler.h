// Named text styles. A style is a brush, a pen and a font that are copied onto the
// display's text canvas before a text is drawn; the glyphs come from a TrueType face,
// not from the image archive. Style names match exactly, letter case included.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

class Tvt6AnimationEngine;

class Tvt6FontItem {
 public:
  std::string Name;
  TBrush Brush;
  TFont Font;
  TPen Pen;
};

class Tvt6FontEngine {
 public:
  // Appends a style with default brush, font and pen; the caller then styles it. The
  // item keeps its address until it is deleted.
  Tvt6FontItem& AddFont(std::string name);
  int32_t FontCount() const { return static_cast<int32_t>(fFonts.size()); }
  // Both throw std::out_of_range for an index outside the list.
  Tvt6FontItem& Font(int32_t index);
  void DeleteFont(int32_t index);
  void Clear();
  // The first style of that exact name, or none.
  Tvt6FontItem* FindFont(std::string_view name);

  // Draws text with its top-left at (x, y) in the named style; an unknown style draws
  // nothing. The canvas is released also when drawing fails, and the error passes on.
  void DrawText(std::string_view fontName, int32_t x, int32_t y, std::string_view text);

  void SetDisplay(IDisplay* display) { fDisplay = display; }

 private:
  std::vector<std::unique_ptr<Tvt6FontItem>> fFonts;
  IDisplay* fDisplay = nullptr;
};

// What the number display draws with; the sprite engine fills it in at set-up.
struct TvtDisplayNumber {
  IDisplay* Display = nullptr;
  IImageList* ImageList = nullptr;
  Tvt6AnimationEngine* AnimationEngine = nullptr;
};

}  // namespace quellix
