// A text canvas that passes every call on to another, its style (brush, pen and font)
// first. A wrapper derives from it and overrides only what it does differently.
#pragma once

#include "graphics/vtMedia.h"

namespace quellix {

class TCanvasRelay : public ITextCanvas {
 public:
  explicit TCanvasRelay(ITextCanvas& inner) : fInner(inner) {}

  void TextOut(int32_t x, int32_t y, std::string_view text) override {
    PassStyle();
    fInner.TextOut(x, y, text);
  }
  void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override {
    PassStyle();
    fInner.TextRect(clip, x, y, text);
  }
  int32_t TextWidth(std::string_view text) override {
    PassStyle();
    return fInner.TextWidth(text);
  }
  int32_t TextHeight(std::string_view text) override {
    PassStyle();
    return fInner.TextHeight(text);
  }
  void Release() override { fInner.Release(); }

 private:
  void PassStyle() {
    fInner.Brush = Brush;
    fInner.Pen = Pen;
    fInner.Font = Font;
  }

  ITextCanvas& fInner;
};

}  // namespace quellix
