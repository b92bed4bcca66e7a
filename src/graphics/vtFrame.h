// One tick's picture as the list of draws that made it, in order: fills, images with
// how they were drawn, texts with their style. A display that refreshes faster than the
// ticks draws it again at every refresh. The draws of one moving thing carry its
// identity; the things the hand steers carry where the hand's point was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/vtMedia.h"

namespace quellix {

// The draws of one thing from one tick to the next: a group number (an engine, a
// starfield) in the top 16 bits, the thing's serial in that group below. 0 is none.
using TItemIdentity = uint64_t;
constexpr int ItemGroupShift = 48;

enum class TFrameOp : uint8_t { Fill, FillRect, Image, TextOut, TextRect, Release };
// The image list's drawing operations.
enum class TImageCall : uint8_t { Plain, Stretch, Alpha, RotateAlpha };

struct TFrameDraw {
  TFrameOp Op = TFrameOp::Fill;
  TImageCall Call = TImageCall::Plain;
  // Moved with the hand's point on these axes (FollowX, FollowY), from Origin.
  bool FollowX = false, FollowY = false;
  TItemIdentity Identity = 0;
  // The position that moves: an image's x and y, a rectangle's left and top, a text's
  // top-left; Width and Height of a rectangle or a scaled image.
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  int32_t OriginX = 0, OriginY = 0;
  int32_t Index = 0;  // the image's, or the text style's
  int32_t Alpha = 255, Angle = 0;
  double CenterX = 0, CenterY = 0;
  TColor Color = 0;
  TRect Clip;         // of TextRect
  uint32_t Text = 0;  // index into TFrame::Texts
};

struct TFrameStyle {
  TBrush Brush;
  TPen Pen;
  TFont Font;
  bool operator==(const TFrameStyle&) const = default;
};

// The hand's point after the tick, its range 0..MaxX x 0..MaxY, and the input whose next
// poll moves it.
struct TFramePointer {
  const IInput* Input = nullptr;
  int32_t X = 0, Y = 0, MaxX = 0, MaxY = 0;
};

struct TFrame {
  std::vector<TFrameDraw> Draws;
  std::vector<std::string> Texts;
  std::vector<TFrameStyle> Styles;
  std::optional<TFramePointer> Pointer;

  // Empties the lists, keeping their room.
  void Clear();
  void Swap(TFrame& other) noexcept;
};

}  // namespace quellix
