#include "media/vtRefreshPacer.h"

namespace quellix::media {

TRefreshPacer::TRefreshPacer(uint64_t frequency, int rate, bool vsync)
    : fPeriod(frequency / static_cast<uint64_t>(rate > 0 ? rate : DefaultRate)),
      fRate(rate > 0 ? rate : DefaultRate),
      fVsync(vsync) {
  if (fPeriod == 0) fPeriod = 1;
}

uint64_t TRefreshPacer::NextRefresh(uint64_t now) const {
  return fVsync || fNext == 0 ? now : fNext;
}

bool TRefreshPacer::Shown(uint64_t now) {
  if (!fVsync) {
    // A refresh a little late keeps the grid; one that fell a whole period behind (the
    // game stood still) starts it anew. One drawn before its deadline (the window asked
    // to be drawn again) leaves it as it is.
    if (fNext == 0 || now >= fNext + fPeriod)
      fNext = now + fPeriod;
    else if (now >= fNext)
      fNext += fPeriod;
    return false;
  }
  if (fSampled == 0) fSampleStart = now;
  if (++fSampled <= Sample) return false;
  // Waiting presents cannot come three times faster than the display, even when it
  // misreports its rate as 60 for a 144 Hz screen.
  const bool waited = now - fSampleStart >= Sample * fPeriod / 3;
  fSampled = 0;
  if (waited) return false;
  fVsync = false;
  fNext = now + fPeriod;
  return true;
}

}  // namespace quellix::media
