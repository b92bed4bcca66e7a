#include "media/vtMouseInput.h"

#include <algorithm>
#include <limits>

namespace quellix::media {

namespace {
int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}
}  // namespace

void TMouseInput::Update() {
  const IPointerSource::TPoll source = fSource ? fSource->Poll() : IPointerSource::TPoll{};
  fX = fActive ? Saturate(fPendingX + source.X) : 0;
  fY = fActive ? Saturate(fPendingY + source.Y) : 0;
  fButton0 = fActive && (fHeld || fPressedSincePoll || source.Button0);
  fSourceMoved = source.X != 0 || source.Y != 0;
  fPressedSincePoll = false;
  fPendingX = fPendingY = 0;
}

bool TMouseInput::PendingMotion(int32_t& dx, int32_t& dy) const {
  // A stick moves the pointer only at polls, so nothing between polls shows where it is
  // heading: while one steers, the ships are drawn between their tick places instead.
  if (fSourceMoved) return false;
  dx = Saturate(fPendingX);
  dy = Saturate(fPendingY);
  return true;
}

void TMouseInput::SetButton0(bool down) {
  if (down && fActive) fPressedSincePoll = true;
  fHeld = down;
}

void TMouseInput::AddMotion(int32_t dx, int32_t dy) {
  if (!fActive) return;
  // Gathered in 64 bits and saturated only when handed over: no factor overflows it.
  fPendingX += int64_t{dx} * fSpeed;
  fPendingY += int64_t{dy} * fSpeed;
}

void TMouseInput::SetSpeed(int32_t factor) {
  fSpeed = std::clamp(factor, 1, MaxSpeed);
}

void TMouseInput::SetActive(bool active) {
  fActive = active;
  if (active) return;
  fHeld = fPressedSincePoll = false;
  fPendingX = fPendingY = 0;
}

}  // namespace quellix::media
