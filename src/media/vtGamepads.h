// Game controllers, turned into the input the game already reads, so that the game,
// and a recording of its events and polls, cannot tell them from a mouse and keyboard:
//
//   left stick            motion of the mouse, at every poll (dead zone, speed curve)
//   A, right trigger      the first mouse button, at every poll (fires; clicks on the title)
//   B, left trigger       the right mouse button (shields)
//   X, Y                  the Space key (a bomb)
//   Start                 the Enter key (pauses like any key but Esc and Space, and
//                         confirms the name in the high-score window)
//   Back                  the Esc key
//
// A, B, X and Start are the default bindings of fire, shields, bomb and pause; any other
// button may take their place (SetBindings), and Y bombs only while nothing else is
// bound to it. Every button also reports itself when let go, as the key-up of
// PadKey(button), after what it is bound to: the menus steer by the pad's directions and
// take a button for an action from it.
//
// Several controllers act as one: a button counts as held while any of them holds it.
// Controllers come and go while the game runs; one taken away lets go of the shields
// and the fire button, but a key it held is dropped without a key-up, since a key-up
// is what sets off a bomb, pauses or leaves the game.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

#include "graphics/vtPlatform.h"
#include "media/vtMouseInput.h"
#include "media/vtPlatformLog.h"
#include "media/vtSdlHandles.h"
#include "media/vtStickCurve.h"

namespace quellix::media {

// Where the controllers' buttons arrive: as the keyboard's keys and the mouse's buttons.
class IPadTarget {
 public:
  virtual ~IPadTarget() = default;
  virtual void PadKey(int32_t key, bool down) = 0;
  virtual void PadMouseButton(TMouseButton button, bool down) = 0;
};

class TGamepads : public IPointerSource {
 public:
  // Starts SDL's game controller support; where it cannot start there are no
  // controllers, and the log says why once.
  explicit TGamepads(TPlatformLog& log);
  ~TGamepads() override;
  TGamepads(const TGamepads&) = delete;
  TGamepads& operator=(const TGamepads&) = delete;

  // A controller's event (true): one plugged in or out, a button, a trigger or the
  // stick. What its buttons mean goes to the target at once; the stick waits for Poll.
  bool HandleEvent(const SDL_Event& event, IPadTarget& target);
  // One tick of the sticks, and whether fire is held or was pressed since the last poll.
  TPoll Poll() override;
  int Count() const { return static_cast<int>(fPads.size()); }
  void SetBindings(const TPadBindings& bindings) { fBindings = bindings; }
  const TPadBindings& Bindings() const { return fBindings; }

 private:
  enum TAction : uint8_t { Fire, Shields, Bomb, Start, Back, ActionCount };
  using TActions = std::array<bool, ActionCount>;

  struct TPad {
    TControllerPtr Controller;
    SDL_JoystickID Id = -1;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> Buttons{};
    bool LeftTrigger = false, RightTrigger = false;
    int16_t StickX = 0, StickY = 0;
    TStickCurve Curve;

    void SetAxis(uint8_t axis, int16_t value);
    TActions Held(const TPadBindings& bindings) const;
  };

  // The key an action stands for (Bomb, Start, Back).
  static int32_t KeyOf(TAction action);
  void Open(int deviceIndex, IPadTarget& target);
  void Close(SDL_JoystickID id, IPadTarget& target);
  TPad* Find(SDL_JoystickID id);
  static bool Unplugged(const TPad& pad);
  // Sends what changed in the actions held by all controllers together. A key let go
  // because its controller went away is dropped (dropKeys).
  void Update(IPadTarget& target, bool dropKeys = false);

  TPlatformLog& fLog;
  TPadBindings fBindings;
  bool fStarted = false;
  std::vector<TPad> fPads;
  TActions fHeld{};
  bool fFirePressedSincePoll = false;
};

}  // namespace quellix::media
