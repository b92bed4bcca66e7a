#include "graphics/vtFrameRecorder.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quellix {

namespace {

constexpr uint64_t SerialMask = (uint64_t{1} << ItemGroupShift) - 1;
constexpr size_t MaxGroups = (size_t{1} << (64 - ItemGroupShift)) - 1;

}  // namespace

TFrameRecorder::TFrameRecorder(IDisplay& display, IImageList& images,
                               std::function<void(TFrame&)> onFlip)
    : fDisplay(display), fImages(images), fOnFlip(std::move(onFlip)) {}

TFrameDraw& TFrameRecorder::Add(TFrameOp op) {
  TFrameDraw& draw = fFrame.Draws.emplace_back();
  draw.Op = op;
  draw.Identity = fItem;
  return draw;
}

void TFrameRecorder::Fill(TColor color) {
  fFrame.Draws.clear();
  fFrame.Texts.clear();
  fFrame.Styles.clear();
  Add(TFrameOp::Fill).Color = color;
}

void TFrameRecorder::FillRect(const TRect& rect, TColor color) {
  TFrameDraw& draw = Add(TFrameOp::FillRect);
  draw.X = rect.Left;
  draw.Y = rect.Top;
  draw.Width = rect.Width();
  draw.Height = rect.Height();
  draw.Color = color;
}

void TFrameRecorder::Flip() {
  for (const TFollow& follow : fFollows)
    for (TFrameDraw& draw : fFrame.Draws)
      if (draw.Identity == follow.Identity) {
        draw.FollowX = follow.AlongX;
        draw.FollowY = follow.AlongY;
        draw.OriginX = follow.OriginX;
        draw.OriginY = follow.OriginY;
      }
  fFollows.clear();
  fItem = 0;
  if (fOnFlip) fOnFlip(fFrame);
  fFrame.Clear();
}

void TFrameRecorder::UpdatePalette() {
  fDisplay.ColorTable = ColorTable;
  fDisplay.DefColorTable = DefColorTable;
  fDisplay.UpdatePalette();
}

TFrameDraw& TFrameRecorder::AddImage(TImageCall call, int32_t index, int32_t x, int32_t y) {
  fImages.Item(index);  // a bad index fails here as the real draw would
  TFrameDraw& draw = Add(TFrameOp::Image);
  draw.Call = call;
  draw.Index = index;
  draw.X = x;
  draw.Y = y;
  return draw;
}

void TFrameRecorder::Draw(int32_t index, int32_t x, int32_t y) {
  AddImage(TImageCall::Plain, index, x, y);
}

void TFrameRecorder::StretchDraw(int32_t index, const TRect& rect) {
  TFrameDraw& draw = AddImage(TImageCall::Stretch, index, rect.Left, rect.Top);
  draw.Width = rect.Width();
  draw.Height = rect.Height();
}

void TFrameRecorder::DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) {
  TFrameDraw& draw = AddImage(TImageCall::Alpha, index, rect.Left, rect.Top);
  draw.Width = rect.Width();
  draw.Height = rect.Height();
  draw.Alpha = alpha;
}

void TFrameRecorder::DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width,
                                     int32_t height, double centreX, double centreY, int32_t angle,
                                     int32_t alpha) {
  TFrameDraw& draw = AddImage(TImageCall::RotateAlpha, index, x, y);
  draw.Width = width;
  draw.Height = height;
  draw.CenterX = centreX;
  draw.CenterY = centreY;
  draw.Angle = angle;
  draw.Alpha = alpha;
}

TItemIdentity TFrameRecorder::Identify(const void* group, uint64_t serial) {
  auto found = std::find(fGroups.begin(), fGroups.end(), group);
  if (found == fGroups.end()) {
    // Groups are engines and starfields, a handful for a whole run.
    if (fGroups.size() >= MaxGroups) throw std::length_error("too many groups of things drawn");
    fGroups.push_back(group);
    found = fGroups.end() - 1;
  }
  const auto number = static_cast<uint64_t>(found - fGroups.begin()) + 1;
  return (number << ItemGroupShift) | (serial & SerialMask);
}

void TFrameRecorder::BeginItem(const void* group, uint64_t serial) {
  fItem = Identify(group, serial);
}

void TFrameRecorder::SetPointer(const IInput& input, int32_t x, int32_t y, int32_t maxX,
                                int32_t maxY) {
  fFrame.Pointer = TFramePointer{&input, x, y, maxX, maxY};
}

void TFrameRecorder::FollowPointer(const void* group, uint64_t serial, bool alongX, bool alongY,
                                   int32_t originX, int32_t originY) {
  fFollows.push_back({Identify(group, serial), alongX, alongY, originX, originY});
}

// ---- The text canvas ---------------------------------------------------------------

ITextCanvas& TFrameRecorder::TCanvas::Styled() {
  ITextCanvas& real = fOwner.fDisplay.Canvas();
  real.Brush = Brush;
  real.Pen = Pen;
  real.Font = Font;
  return real;
}

TFrameDraw& TFrameRecorder::TCanvas::AddText(TFrameOp op, int32_t x, int32_t y,
                                             std::string_view text) {
  TFrame& frame = fOwner.fFrame;
  const TFrameStyle style{Brush, Pen, Font};
  if (frame.Styles.empty() || !(frame.Styles.back() == style)) frame.Styles.push_back(style);
  frame.Texts.emplace_back(text);
  TFrameDraw& draw = fOwner.Add(op);
  draw.X = x;
  draw.Y = y;
  draw.Index = static_cast<int32_t>(frame.Styles.size() - 1);
  draw.Text = static_cast<uint32_t>(frame.Texts.size() - 1);
  return draw;
}

void TFrameRecorder::TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  AddText(TFrameOp::TextOut, x, y, text);
}

void TFrameRecorder::TCanvas::TextRect(const TRect& clip, int32_t x, int32_t y,
                                       std::string_view text) {
  AddText(TFrameOp::TextRect, x, y, text).Clip = clip;
}

int32_t TFrameRecorder::TCanvas::TextWidth(std::string_view text) {
  return Styled().TextWidth(text);
}

int32_t TFrameRecorder::TCanvas::TextHeight(std::string_view text) {
  return Styled().TextHeight(text);
}

void TFrameRecorder::TCanvas::Release() {
  fOwner.Add(TFrameOp::Release);
}

}  // namespace quellix
