// Drawing at the display's refresh rate: the game draws each tick on the recorder, which
// keeps the tick's picture as a frame instead of showing it; the platform shows the
// latest frame at every refresh, moved on by how far the clock is into the next tick.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "graphics/vtFrameRecorder.h"
#include "graphics/vtInterpolatedFrames.h"
#include "graphics/vtMedia.h"

namespace quellix {

class TSmoothScreen {
 public:
  // Shows on display and images; onFrame runs whenever a tick has finished a frame.
  TSmoothScreen(IDisplay& display, IImageList& images, std::function<void()> onFrame = {});
  TSmoothScreen(const TSmoothScreen&) = delete;
  TSmoothScreen& operator=(const TSmoothScreen&) = delete;

  // What the game draws on.
  IDisplay& Display() { return fRecorder; }
  IImageList& Images() { return fRecorder; }

  // Frames the ticks have finished so far.
  uint64_t FramesFinished() const { return fFinished; }
  const TInterpolatedFrames& Frames() const { return fFrames; }

  // Draws the latest frame at fraction (0..1 of the way from the tick before) and shows
  // it with the display's Flip; nothing before the first frame. Answers the first
  // draw that failed, if any.
  std::optional<std::string> Show(double fraction);
  // Shows the last picture again, as it was (the window lost it while the game stands
  // still).
  std::optional<std::string> ShowAgain();

 private:
  IDisplay& fDisplay;
  IImageList& fImages;
  std::function<void()> fOnFrame;
  TInterpolatedFrames fFrames;
  TFrameRecorder fRecorder;
  uint64_t fFinished = 0;
};

}  // namespace quellix
