// How the game's 800 x 600 picture reaches the screen: full screen or in a window of a
// remembered place and size, how the picture fills what it is shown in, and how its
// pixels are filtered when scaled.
#pragma once

#include <cstdint>

#include "graphics/vtMedia.h"

namespace quellix {

enum class TScaling : uint8_t {
  Fit,      // as large as fits with the shape kept, bars beside or above (letterbox)
  Whole,    // the largest whole multiple that fits: every pixel the same size
  Stretch,  // fills all of it, the shape not kept
};

enum class TFilter : uint8_t {
  Sharp,   // the nearest pixel
  Smooth,  // blended between pixels
};

// The window's place on the desktop and its size, when the game is not full screen.
struct TWindowPlace {
  // In the middle of the desktop, at the size below; else at (X, Y).
  bool Centred = true;
  int32_t X = 0, Y = 0;
  int32_t Width = ScreenWidth, Height = ScreenHeight;
  bool operator==(const TWindowPlace&) const = default;
};

struct TDisplayMode {
  bool FullScreen = true;
  TScaling Scaling = TScaling::Fit;
  TFilter Filter = TFilter::Sharp;
  TWindowPlace Window;
  bool operator==(const TDisplayMode&) const = default;
};

}  // namespace quellix
