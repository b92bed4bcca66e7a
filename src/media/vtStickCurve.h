// A thumbstick as mouse motion: what one tick of a stick held at (x, y) moves the
// cursor. A dead zone round the centre keeps a worn stick from drifting; beyond it the
// speed grows with the square of the deflection, so a slight push aims a pixel at a
// time and a full one crosses the screen in under a second. Fractions of a pixel are
// carried to the next tick, so the motion depends on the stick's positions alone.
#pragma once

#include <cstdint>

namespace quellix::media {

class TStickCurve {
 public:
  // Deflection (of a full push) inside which the stick counts as centred.
  static constexpr double DeadZone = 0.2;
  // Pixels a tick at full deflection: 750 pixels, the ships' whole travel, in 19 ticks.
  static constexpr double MaxSpeed = 40.0;

  struct TMotion {
    int32_t X = 0, Y = 0;
    bool operator==(const TMotion&) const = default;
  };

  // One tick with the stick's axes at x and y (SDL's -32768..32767, y growing down).
  TMotion Tick(int16_t x, int16_t y);

 private:
  double fCarryX = 0, fCarryY = 0;
};

}  // namespace quellix::media
