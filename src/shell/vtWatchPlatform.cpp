#include "shell/vtWatchPlatform.h"

namespace quellix {

TWatchPlatform::TWatchPlatform(IPlatform& live, std::function<bool()> soundOn,
                               std::function<void(IDisplay&)> beforeFlip,
                               std::function<void(const std::string&)> note)
    : fLive(live),
      fSoundOn(std::move(soundOn)),
      fBeforeFlip(std::move(beforeFlip)),
      fNote(std::move(note)) {}

void TWatchPlatform::ShowModal(IModalWindow& /*window*/) {
  // The window is left unclosed; the game that asked goes on beneath it, and the
  // watcher ends the watching before its next tick.
  fModalAsked = true;
}

// ---- Display ----------------------------------------------------------------

TWatchPlatform::TDisplay::TDisplay(TWatchPlatform& owner)
    : fOwner(owner), fCanvas(owner, owner.fLive.Display().Canvas()) {}

void TWatchPlatform::TDisplay::Fill(TColor color) {
  if (fOwner.fDrawing) fOwner.fLive.Display().Fill(color);
}

void TWatchPlatform::TDisplay::FillRect(const TRect& rect, TColor color) {
  if (fOwner.fDrawing) fOwner.fLive.Display().FillRect(rect, color);
}

void TWatchPlatform::TDisplay::Flip() {
  if (!fOwner.fDrawing) return;
  IDisplay& live = fOwner.fLive.Display();
  fOwner.fBeforeFlip(live);
  live.Flip();
}

IFrameNotes* TWatchPlatform::TDisplay::FrameNotes() {
  return fOwner.fDrawing ? fOwner.fLive.Display().FrameNotes() : nullptr;
}

void TWatchPlatform::TDisplay::TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  if (fOwner.fDrawing) TCanvasRelay::TextOut(x, y, text);
}

void TWatchPlatform::TDisplay::TCanvas::TextRect(const TRect& clip, int32_t x, int32_t y,
                                                 std::string_view text) {
  if (fOwner.fDrawing) TCanvasRelay::TextRect(clip, x, y, text);
}

// ---- Images and sounds -----------------------------------------------------

void TWatchPlatform::TImages::Draw(int32_t index, int32_t x, int32_t y) {
  if (fOwner.fDrawing) Live().Draw(index, x, y);
}

void TWatchPlatform::TImages::StretchDraw(int32_t index, const TRect& rect) {
  if (fOwner.fDrawing) Live().StretchDraw(index, rect);
}

void TWatchPlatform::TImages::DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) {
  if (fOwner.fDrawing) Live().DrawAlpha(index, rect, alpha);
}

void TWatchPlatform::TImages::DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width,
                                              int32_t height, double centreX, double centreY,
                                              int32_t angle, int32_t alpha) {
  if (fOwner.fDrawing)
    Live().DrawRotateAlpha(index, x, y, width, height, centreX, centreY, angle, alpha);
}

TSoundInstance TWatchPlatform::TSounds::Play(int32_t index) {
  // The shown ticks' sounds only, and none while the game is muted.
  if (!fOwner.fDrawing || !fOwner.fSoundOn()) return 0;
  return Live().Play(index);
}

}  // namespace quellix
