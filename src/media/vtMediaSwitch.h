// The display and image list a platform hands the game, which stay the same objects
// while what they pass on to changes: the real display and list in classic motion, the
// smooth screen's recorders in smooth motion. The game binds them once at start-up, so
// the motion style can change while it runs.
#pragma once

#include "graphics/vtMedia.h"

namespace quellix::media {

class TDisplaySwitch : public IDisplay {
 public:
  explicit TDisplaySwitch(IDisplay& target) : fTarget(&target) {}
  void SwitchTo(IDisplay& target) { fTarget = &target; }

  void Fill(TColor color) override { fTarget->Fill(color); }
  void FillRect(const TRect& rect, TColor color) override { fTarget->FillRect(rect, color); }
  ITextCanvas& Canvas() override { return fTarget->Canvas(); }
  void Flip() override { fTarget->Flip(); }
  void UpdatePalette() override { fTarget->UpdatePalette(); }
  IFrameNotes* FrameNotes() override { return fTarget->FrameNotes(); }

 private:
  IDisplay* fTarget;
};

class TImageListSwitch : public IImageList {
 public:
  explicit TImageListSwitch(IImageList& target) : fTarget(&target) {}
  void SwitchTo(IImageList& target) { fTarget = &target; }

  void LoadFromFile(const std::string& path) override { fTarget->LoadFromFile(path); }
  int32_t Count() const override { return fTarget->Count(); }
  const TImageItem& Item(int32_t index) const override { return fTarget->Item(index); }
  int32_t IndexOf(std::string_view name) const override { return fTarget->IndexOf(name); }
  void Draw(int32_t index, int32_t x, int32_t y) override { fTarget->Draw(index, x, y); }
  void StretchDraw(int32_t index, const TRect& rect) override { fTarget->StretchDraw(index, rect); }
  void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override {
    fTarget->DrawAlpha(index, rect, alpha);
  }
  void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                       double centreX, double centreY, int32_t angle, int32_t alpha) override {
    fTarget->DrawRotateAlpha(index, x, y, width, height, centreX, centreY, angle, alpha);
  }
  TColorTable MakeColorTable() const override { return fTarget->MakeColorTable(); }

 private:
  IImageList* fTarget;
};

}  // namespace quellix::media
