// A virtual game controller of SDL's, for tests of the controller support: plugged in
// when made, taken out by Unplug or at the end. SDL reads its buttons and axes when it
// pumps events, so a press and a release between two pumps are never seen. Only for
// test programs that link SDL (the back end's and the game's).
#pragma once

#include <SDL.h>

#include <stdexcept>

namespace quellix::testing {

class TVirtualPad {
 public:
  static constexpr int16_t Full = 32767;

  TVirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Quellix Test Pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) throw std::runtime_error(SDL_GetError());
    fJoystick = SDL_JoystickOpen(index);
    if (!fJoystick) throw std::runtime_error(SDL_GetError());
  }
  ~TVirtualPad() { Unplug(); }
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(fJoystick, button, down ? 1 : 0);
  }
  // The left stick's axes, -32768..32767.
  void Stick(int16_t x, int16_t y) {
    SDL_JoystickSetVirtualAxis(fJoystick, SDL_CONTROLLER_AXIS_LEFTX, x);
    SDL_JoystickSetVirtualAxis(fJoystick, SDL_CONTROLLER_AXIS_LEFTY, y);
  }
  // A trigger's reading from 0 (let go) to 32767 (pulled all the way): a virtual
  // controller's axis spans -32768..32767 and SDL maps that onto the trigger's range.
  void Trigger(SDL_GameControllerAxis axis, int16_t value) {
    SDL_JoystickSetVirtualAxis(fJoystick, axis, static_cast<int16_t>(value * 2 - Full));
  }
  void Unplug() {
    if (!fJoystick) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(fJoystick);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(fJoystick);
    fJoystick = nullptr;
  }

 private:
  SDL_Joystick* fJoystick = nullptr;
};

}  // namespace quellix::testing
