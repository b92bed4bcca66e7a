// Conversions between the game's values and SDL's.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "graphics/vtMedia.h"

namespace quellix::media {

// SDL_Color from the game's colour value (red in the low byte).
inline SDL_Color ToSdlColor(TColor color, uint8_t alpha = 255) {
  return {RedOf(color), GreenOf(color), BlueOf(color), alpha};
}

// The part of the rectangle on the 800 x 600 screen, empty when none; computed in 64
// bits because the game's rectangles may lie anywhere.
inline SDL_Rect ClipToScreen(const TRect& r) {
  const int64_t left = std::max<int64_t>(r.Left, 0), top = std::max<int64_t>(r.Top, 0);
  const int64_t right = std::min<int64_t>(r.Right, ScreenWidth);
  const int64_t bottom = std::min<int64_t>(r.Bottom, ScreenHeight);
  if (right <= left || bottom <= top) return {0, 0, 0, 0};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

}  // namespace quellix::media
