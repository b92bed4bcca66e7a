#include "graphics/vtInterpolatedFrames.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

#include "config/vtSaturate.h"

namespace quellix {

namespace {

int32_t Between(int32_t from, int32_t to, double fraction) {
  return Saturate32(from + std::llround((int64_t{to} - from) * fraction));
}

}  // namespace

void TInterpolatedFrames::Commit(TFrame& frame) {
  fPrevious.Swap(fLatest);
  fLatest.Swap(frame);
  frame.Clear();
  ++fCommitted;
  MatchStarts();
}

void TInterpolatedFrames::CollectKeys(const TFrame& frame, TKeys& keys) {
  keys.clear();
  for (size_t i = 0; i < frame.Draws.size(); ++i)
    if (frame.Draws[i].Identity != 0)
      keys.emplace_back(frame.Draws[i].Identity, static_cast<uint32_t>(i));
  std::sort(keys.begin(), keys.end());
}

// A thing is matched when it made exactly one draw in each frame: a thing drawn twice
// cannot tell which draw went where, and is drawn where it is.
void TInterpolatedFrames::MatchStarts() {
  fStarts.assign(fLatest.Draws.size(), TStart{});
  CollectKeys(fLatest, fLatestKeys);
  CollectKeys(fPrevious, fPreviousKeys);
  const auto once = [](const TKeys& keys, size_t i) {
    return (i == 0 || keys[i - 1].first != keys[i].first) &&
           (i + 1 == keys.size() || keys[i + 1].first != keys[i].first);
  };
  size_t p = 0;
  for (size_t l = 0; l < fLatestKeys.size(); ++l) {
    const TItemIdentity identity = fLatestKeys[l].first;
    while (p < fPreviousKeys.size() && fPreviousKeys[p].first < identity) ++p;
    if (p == fPreviousKeys.size() || fPreviousKeys[p].first != identity) continue;
    if (!once(fLatestKeys, l) || !once(fPreviousKeys, p)) continue;
    const TFrameDraw& now = fLatest.Draws[fLatestKeys[l].second];
    const TFrameDraw& before = fPrevious.Draws[fPreviousKeys[p].second];
    if (std::abs(int64_t{now.X} - before.X) > JumpDistance ||
        std::abs(int64_t{now.Y} - before.Y) > JumpDistance)
      continue;
    fStarts[fLatestKeys[l].second] = {before.X, before.Y, true};
  }
}

std::optional<TInterpolatedFrames::TPoint> TInterpolatedFrames::LatestPointer() const {
  const std::optional<TFramePointer>& pointer = fLatest.Pointer;
  int32_t dx = 0, dy = 0;
  if (!pointer || !pointer->Input || !pointer->Input->PendingMotion(dx, dy)) return std::nullopt;
  return TPoint{Saturate32(std::clamp<int64_t>(int64_t{pointer->X} + dx, 0, pointer->MaxX)),
                Saturate32(std::clamp<int64_t>(int64_t{pointer->Y} + dy, 0, pointer->MaxY))};
}

TInterpolatedFrames::TPoint TInterpolatedFrames::Place(size_t index, double fraction,
                                                       const std::optional<TPoint>& pointer) const {
  const TFrameDraw& draw = fLatest.Draws[index];
  if (pointer && (draw.FollowX || draw.FollowY)) {
    TPoint at{draw.X, draw.Y};
    if (draw.FollowX) at.X = Saturate32(int64_t{draw.X} + pointer->X - draw.OriginX);
    if (draw.FollowY) at.Y = Saturate32(int64_t{draw.Y} + pointer->Y - draw.OriginY);
    return at;
  }
  const TStart& start = fStarts[index];
  if (!start.Slides) return {draw.X, draw.Y};
  const double f = std::clamp(fraction, 0.0, 1.0);
  return {Between(start.X, draw.X, f), Between(start.Y, draw.Y, f)};
}

TInterpolatedFrames::TPoint TInterpolatedFrames::PositionOf(size_t index, double fraction) const {
  return Place(index, fraction, LatestPointer());
}

void TInterpolatedFrames::DrawOne(const TFrameDraw& draw, TPoint at, IDisplay& display,
                                  IImageList& images) const {
  switch (draw.Op) {
    case TFrameOp::Fill:
      display.Fill(draw.Color);
      break;
    case TFrameOp::FillRect:
      display.FillRect(Bounds(at.X, at.Y, draw.Width, draw.Height), draw.Color);
      break;
    case TFrameOp::Image:
      switch (draw.Call) {
        case TImageCall::Plain:
          images.Draw(draw.Index, at.X, at.Y);
          break;
        case TImageCall::Stretch:
          images.StretchDraw(draw.Index, Bounds(at.X, at.Y, draw.Width, draw.Height));
          break;
        case TImageCall::Alpha:
          images.DrawAlpha(draw.Index, Bounds(at.X, at.Y, draw.Width, draw.Height), draw.Alpha);
          break;
        case TImageCall::RotateAlpha:
          images.DrawRotateAlpha(draw.Index, at.X, at.Y, draw.Width, draw.Height, draw.CenterX,
                                 draw.CenterY, draw.Angle, draw.Alpha);
          break;
      }
      break;
    case TFrameOp::TextOut:
    case TFrameOp::TextRect: {
      ITextCanvas& canvas = display.Canvas();
      const TFrameStyle& style = fLatest.Styles[static_cast<size_t>(draw.Index)];
      canvas.Brush = style.Brush;
      canvas.Pen = style.Pen;
      canvas.Font = style.Font;
      const std::string& text = fLatest.Texts[draw.Text];
      if (draw.Op == TFrameOp::TextOut)
        canvas.TextOut(at.X, at.Y, text);
      else
        canvas.TextRect(draw.Clip, at.X, at.Y, text);
      break;
    }
    case TFrameOp::Release:
      display.Canvas().Release();
      break;
  }
}

std::optional<std::string> TInterpolatedFrames::Draw(double fraction, IDisplay& display,
                                                     IImageList& images) {
  fDrawnFraction = fraction;
  fDrawnPointer = LatestPointer();
  return DrawAll(fraction, fDrawnPointer, display, images);
}

std::optional<std::string> TInterpolatedFrames::DrawAgain(IDisplay& display,
                                                          IImageList& images) const {
  return DrawAll(fDrawnFraction, fDrawnPointer, display, images);
}

std::optional<std::string> TInterpolatedFrames::DrawAll(double fraction,
                                                        const std::optional<TPoint>& pointer,
                                                        IDisplay& display,
                                                        IImageList& images) const {
  std::optional<std::string> failure;
  for (size_t i = 0; i < fLatest.Draws.size(); ++i) {
    try {
      DrawOne(fLatest.Draws[i], Place(i, fraction, pointer), display, images);
    } catch (const std::exception& e) {
      if (!failure) failure = e.what();
    }
  }
  return failure;
}

}  // namespace quellix
