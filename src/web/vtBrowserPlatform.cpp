#include "web/vtBrowserPlatform.h"

#include "web/vtPage.h"

namespace quellix::web {

namespace {

media::TSdlPlatformOptions PageOptions() {
  media::TSdlPlatformOptions options;
  // The canvas is the window; the page scales it to the browser's and has its own
  // full-screen button.
  options.Display.FullScreen = false;
  options.DataDir = TBrowserPlatform::DataFolder;
  // Without threads the pictures are decoded in the loop's spare time and at their first
  // draw: start-up, and a replay's first tick, do not wait for all of them.
  options.ImageArchive = options.DataDir + "sprites.vtg";
  return options;
}

}  // namespace

TBrowserPlatform::TBrowserPlatform(bool needsPointerLock)
    : TSdlPlatform(PageOptions()), fNeedsPointerLock(needsPointerLock) {}

void TBrowserPlatform::ShowProgress(std::string_view text, int32_t position, int32_t maximum) {
  PageProgress(std::string(text), position, maximum);
}

void TBrowserPlatform::ShowMessage(std::string_view text) {
  PageMessage(std::string(text));
}

void TBrowserPlatform::AnimationFrame() {
  const bool active = PageActive(fNeedsPointerLock);
  if (active != Focused()) SetFocus(active);
  Frame();
}

}  // namespace quellix::web
