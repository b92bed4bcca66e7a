// What the drawing of a tick tells a display that draws at its own refresh rate, beyond
// the draws themselves: which draws belong to one moving thing (a sprite, a star), so
// that it can be drawn between where it was drawn the tick before and where it is now,
// and which things the hand steers, so that they can be drawn where the latest mouse
// motion will put them. None of it changes what the game does.
#pragma once

#include <cstdint>

namespace quellix {

class IInput;

class IFrameNotes {
 public:
  virtual ~IFrameNotes() = default;

  // The draws until EndItem belong to the thing numbered serial among the things of
  // group (an engine, a starfield). A serial is never given to two things of a group.
  virtual void BeginItem(const void* group, uint64_t serial) = 0;
  virtual void EndItem() = 0;

  // The point the hand steers stands at (x, y) after this tick, kept within 0..maxX and
  // 0..maxY, and input's next poll adds its pending motion to it.
  virtual void SetPointer(const IInput& input, int32_t x, int32_t y, int32_t maxX,
                          int32_t maxY) = 0;
  // The thing's draws of this tick were made with the point at (originX, originY); it
  // is drawn moved along with the point on the axes given.
  virtual void FollowPointer(const void* group, uint64_t serial, bool alongX, bool alongY,
                             int32_t originX, int32_t originY) = 0;
};

// Brackets the draws of one thing; does nothing without notes.
class TItemScope {
 public:
  TItemScope(IFrameNotes* notes, const void* group, uint64_t serial) : fNotes(notes) {
    if (fNotes) fNotes->BeginItem(group, serial);
  }
  ~TItemScope() {
    if (fNotes) fNotes->EndItem();
  }
  TItemScope(const TItemScope&) = delete;
  TItemScope& operator=(const TItemScope&) = delete;

 private:
  IFrameNotes* fNotes;
};

}  // namespace quellix
