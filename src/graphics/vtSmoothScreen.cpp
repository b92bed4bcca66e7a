#include "graphics/vtSmoothScreen.h"

#include <utility>

namespace quellix {

TSmoothScreen::TSmoothScreen(IDisplay& display, IImageList& images, std::function<void()> onFrame)
    : fDisplay(display),
      fImages(images),
      fOnFrame(std::move(onFrame)),
      fRecorder(display, images, [this](TFrame& frame) {
        fFrames.Commit(frame);
        ++fFinished;
        if (fOnFrame) fOnFrame();
      }) {}

std::optional<std::string> TSmoothScreen::Show(double fraction) {
  if (!fFrames.HasFrame()) return std::nullopt;
  std::optional<std::string> failure = fFrames.Draw(fraction, fDisplay, fImages);
  fDisplay.Flip();
  return failure;
}

std::optional<std::string> TSmoothScreen::ShowAgain() {
  if (!fFrames.HasFrame()) return std::nullopt;
  std::optional<std::string> failure = fFrames.DrawAgain(fDisplay, fImages);
  fDisplay.Flip();
  return failure;
}

}  // namespace quellix
