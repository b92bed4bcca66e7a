// When to draw the next refresh of the screen. With vsync a present waits for the
// display, so a refresh is drawn whenever one is wanted and the display paces the loop.
// Without it, or once the presents turn out not to wait (a virtual screen, a driver that
// ignores the request), refreshes keep to the display's rate on a grid of absolute
// deadlines, and the loop sleeps in between: never a busy loop.
#pragma once

#include <cstdint>

namespace quellix::media {

class TRefreshPacer {
 public:
  // Refreshes watched before judging whether vsync holds them back.
  static constexpr int Sample = 30;
  // The rate assumed when the display does not tell its own.
  static constexpr int DefaultRate = 60;

  // frequency: counter units per second; rate: the display's refreshes per second (0 or
  // less: unknown); vsync: the renderer says its presents wait for the display.
  TRefreshPacer(uint64_t frequency, int rate, bool vsync);

  int Rate() const { return fRate; }
  // Counter units between two refreshes.
  uint64_t Period() const { return fPeriod; }
  bool Vsync() const { return fVsync; }
  // The earliest time the next refresh may be drawn; now with vsync.
  uint64_t NextRefresh(uint64_t now) const;
  // A refresh has been shown at now. True the one time this finds that vsync does not
  // hold the presents back; pacing goes over to deadlines then.
  bool Shown(uint64_t now);

 private:
  uint64_t fPeriod;
  int fRate;
  bool fVsync;
  uint64_t fNext = 0;  // the next deadline, without vsync; 0 before the first refresh
  uint64_t fSampleStart = 0;
  int fSampled = 0;
};

}  // namespace quellix::media
