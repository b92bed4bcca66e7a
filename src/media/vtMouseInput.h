// The mouse as the game polls it. The window's events (or a test) feed motion and the
// left button in; Update hands over what arrived since the previous poll. While the
// window is not active nothing is read: zero motion, button up. A press is kept until the
// next poll even when the button is already up again, so a tap shorter than a tick still
// reads as down once and then as released. A pointer source (the game controllers) adds
// its own motion and button at each poll. The mouse's motion (not the source's) is
// multiplied by the speed factor as it arrives, so the game reads it, and a recording
// of what the game read holds it, already multiplied.
#pragma once

#include "graphics/vtMedia.h"

namespace quellix::media {

// A second device that points like the mouse, read once at every poll (the game
// controllers): its motion for this tick and whether it holds the first button.
class IPointerSource {
 public:
  struct TPoll {
    int32_t X = 0, Y = 0;
    bool Button0 = false;
  };
  virtual ~IPointerSource() = default;
  virtual TPoll Poll() = 0;
};

class TMouseInput : public IInput {
 public:
  static constexpr int32_t MaxSpeed = 64;

  void Update() override;
  bool MouseButton0() const override { return fButton0; }
  int32_t MouseX() const override { return fX; }
  int32_t MouseY() const override { return fY; }
  bool PendingMotion(int32_t& dx, int32_t& dy) const override;

  // Adds the source's motion and button to every poll's (none: the mouse alone).
  void SetPointerSource(IPointerSource* source) { fSource = source; }
  void AddMotion(int32_t dx, int32_t dy);
  // A whole number, 1 or more; what arrives from now on is multiplied by it.
  void SetSpeed(int32_t factor);
  int32_t Speed() const { return fSpeed; }
  void SetButton0(bool down);
  // Leaving the active state drops what was gathered and lets go of the button.
  void SetActive(bool active);
  bool Active() const { return fActive; }

 private:
  IPointerSource* fSource = nullptr;
  bool fActive = true;
  int32_t fSpeed = 1;
  bool fHeld = false;
  bool fPressedSincePoll = false;
  bool fSourceMoved = false;  // the source moved the pointer at the last poll
  int64_t fPendingX = 0, fPendingY = 0;
  bool fButton0 = false;
  int32_t fX = 0, fY = 0;
};

}  // namespace quellix::media
