// A drawing display and image list behind a switch: while it is on every call goes
// through; while it is off nothing is drawn (an image is still looked up, so a bad index
// fails alike), but names, sizes and text measures still come from the drawing media.
// As drawing never changes the game's state, a run may draw only the frames it wants.
#pragma once

#include "graphics/vtCanvasRelay.h"
#include "graphics/vtMedia.h"

namespace quellix::sim {

class TGatedCanvas : public TCanvasRelay {
 public:
  TGatedCanvas(ITextCanvas& inner, const bool& on) : TCanvasRelay(inner), fOn(on) {}
  void TextOut(int32_t x, int32_t y, std::string_view text) override {
    if (fOn) TCanvasRelay::TextOut(x, y, text);
  }
  void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override {
    if (fOn) TCanvasRelay::TextRect(clip, x, y, text);
  }

 private:
  const bool& fOn;
};

class TGatedDisplay : public IDisplay {
 public:
  TGatedDisplay(IDisplay& inner, const bool& on)
      : fInner(inner), fOn(on), fCanvas(inner.Canvas(), on) {}
  void Fill(TColor color) override {
    if (fOn) fInner.Fill(color);
  }
  void FillRect(const TRect& rect, TColor color) override {
    if (fOn) fInner.FillRect(rect, color);
  }
  ITextCanvas& Canvas() override { return fCanvas; }
  void Flip() override {
    if (fOn) fInner.Flip();
  }

 private:
  IDisplay& fInner;
  const bool& fOn;
  TGatedCanvas fCanvas;
};

class TGatedImageList : public IImageList {
 public:
  TGatedImageList(IImageList& inner, const bool& on) : fInner(inner), fOn(on) {}
  void LoadFromFile(const std::string& path) override { fInner.LoadFromFile(path); }
  int32_t Count() const override { return fInner.Count(); }
  const TImageItem& Item(int32_t index) const override { return fInner.Item(index); }
  int32_t IndexOf(std::string_view name) const override { return fInner.IndexOf(name); }
  void Draw(int32_t index, int32_t x, int32_t y) override;
  void StretchDraw(int32_t index, const TRect& rect) override;
  void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override;
  void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                       double centreX, double centreY, int32_t angle, int32_t alpha) override;
  TColorTable MakeColorTable() const override { return fInner.MakeColorTable(); }

 private:
  IImageList& fInner;
  const bool& fOn;
};

}  // namespace quellix::sim
