#include "media/vtStickCurve.h"

#include <algorithm>
#include <cmath>

namespace quellix::media {

namespace {

constexpr double AxisMax = 32767.0;

// Whole pixels of the carried motion; the fraction stays for the next tick.
int32_t TakeWhole(double& carry) {
  const double whole = std::trunc(carry);
  carry -= whole;
  return static_cast<int32_t>(whole);
}

}  // namespace

TStickCurve::TMotion TStickCurve::Tick(int16_t x, int16_t y) {
  const double nx = std::max(x / AxisMax, -1.0), ny = std::max(y / AxisMax, -1.0);
  const double deflection = std::hypot(nx, ny);
  if (deflection <= DeadZone) {
    fCarryX = fCarryY = 0;  // let go: no leftover fraction moves the cursor later
    return {};
  }
  const double push = std::min((deflection - DeadZone) / (1.0 - DeadZone), 1.0);
  const double speed = MaxSpeed * push * push;
  fCarryX += speed * nx / deflection;
  fCarryY += speed * ny / deflection;
  return {TakeWhole(fCarryX), TakeWhole(fCarryY)};
}

}  // namespace quellix::media
