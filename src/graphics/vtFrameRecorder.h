// The display and image list the game draws on when the screen refreshes on its own:
// each draw is checked and measured against the real image list and text canvas as if
// it were drawn, and recorded into the frame being built; Flip hands the finished frame
// on. The game cannot tell it from drawing straight: the same calls answer the same,
// and fail the same way.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtFrame.h"
#include "graphics/vtFrameNotes.h"
#include "graphics/vtMedia.h"

namespace quellix {

class TFrameRecorder : public IDisplay, public IImageList, public IFrameNotes {
 public:
  // onFlip takes the finished frame's contents (by swapping); the recorder starts the
  // next frame empty.
  TFrameRecorder(IDisplay& display, IImageList& images, std::function<void(TFrame&)> onFlip);
  TFrameRecorder(const TFrameRecorder&) = delete;
  TFrameRecorder& operator=(const TFrameRecorder&) = delete;

  // ---- IDisplay
  // A fill covers everything drawn before it, so those draws are dropped.
  void Fill(TColor color) override;
  void FillRect(const TRect& rect, TColor color) override;
  ITextCanvas& Canvas() override { return fCanvas; }
  void Flip() override;
  void UpdatePalette() override;
  IFrameNotes* FrameNotes() override { return this; }

  // ---- IImageList: the real list's items; draws are recorded
  void LoadFromFile(const std::string& path) override { fImages.LoadFromFile(path); }
  int32_t Count() const override { return fImages.Count(); }
  const TImageItem& Item(int32_t index) const override { return fImages.Item(index); }
  int32_t IndexOf(std::string_view name) const override { return fImages.IndexOf(name); }
  void Draw(int32_t index, int32_t x, int32_t y) override;
  void StretchDraw(int32_t index, const TRect& rect) override;
  void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override;
  void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                       double centreX, double centreY, int32_t angle, int32_t alpha) override;
  TColorTable MakeColorTable() const override { return fImages.MakeColorTable(); }

  // ---- IFrameNotes
  void BeginItem(const void* group, uint64_t serial) override;
  void EndItem() override { fItem = 0; }
  void SetPointer(const IInput& input, int32_t x, int32_t y, int32_t maxX, int32_t maxY) override;
  void FollowPointer(const void* group, uint64_t serial, bool alongX, bool alongY, int32_t originX,
                     int32_t originY) override;

  // The frame drawn so far.
  const TFrame& Building() const { return fFrame; }

 private:
  class TCanvas : public ITextCanvas {
   public:
    explicit TCanvas(TFrameRecorder& owner) : fOwner(owner) {}
    void TextOut(int32_t x, int32_t y, std::string_view text) override;
    void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override;
    int32_t TextWidth(std::string_view text) override;
    int32_t TextHeight(std::string_view text) override;
    void Release() override;

   private:
    // The real canvas, in this canvas's style.
    ITextCanvas& Styled();
    TFrameDraw& AddText(TFrameOp op, int32_t x, int32_t y, std::string_view text);
    TFrameRecorder& fOwner;
  };
  struct TFollow {
    TItemIdentity Identity;
    bool AlongX, AlongY;
    int32_t OriginX, OriginY;
  };

  TFrameDraw& Add(TFrameOp op);
  // A recorded image draw, after the real list has vouched for the index.
  TFrameDraw& AddImage(TImageCall call, int32_t index, int32_t x, int32_t y);
  TItemIdentity Identify(const void* group, uint64_t serial);

  IDisplay& fDisplay;
  IImageList& fImages;
  std::function<void(TFrame&)> fOnFlip;
  TCanvas fCanvas{*this};
  TFrame fFrame;
  TItemIdentity fItem = 0;
  std::vector<TFollow> fFollows;
  std::vector<const void*> fGroups;  // a group's number is its place here, from 1
};

}  // namespace quellix
