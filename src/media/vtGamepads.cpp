#include "media/vtGamepads.h"

#include <algorithm>
#include <string>

namespace quellix::media {

namespace {

static_assert(PadButtonCount == SDL_CONTROLLER_BUTTON_MAX &&
                  static_cast<int>(TPadButton::Start) == SDL_CONTROLLER_BUTTON_START &&
                  static_cast<int>(TPadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT &&
                  static_cast<int>(TPadButton::Touchpad) == SDL_CONTROLLER_BUTTON_TOUCHPAD,
              "TPadButton follows SDL's numbering of the buttons");

// A trigger counts as pulled past half way and as let go below a quarter, so one
// resting near the middle does not chatter.
constexpr int16_t TriggerPressed = 16384;
constexpr int16_t TriggerReleased = 8192;

std::string NameOf(SDL_GameController* controller) {
  const char* name = SDL_GameControllerName(controller);
  return name ? name : "unnamed controller";
}

}  // namespace

TGamepads::TGamepads(TPlatformLog& log) : fLog(log) {
  fStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!fStarted)
    fLog.Once("gamepads", std::string("Game controllers are not available: ") + SDL_GetError());
}

TGamepads::~TGamepads() {
  fPads.clear();
  if (fStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int32_t TGamepads::KeyOf(TAction action) {
  switch (action) {
    case Bomb:
      return VK_SPACE;
    case Start:
      return VK_RETURN;
    case Back:
      return VK_ESCAPE;
    default:
      return 0;
  }
}

void TGamepads::TPad::SetAxis(uint8_t axis, int16_t value) {
  const auto trigger = [value](bool& pulled) {
    if (value > TriggerPressed) pulled = true;
    if (value < TriggerReleased) pulled = false;
  };
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
      StickX = value;
      break;
    case SDL_CONTROLLER_AXIS_LEFTY:
      StickY = value;
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
      trigger(LeftTrigger);
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
      trigger(RightTrigger);
      break;
    default:
      break;
  }
}

TGamepads::TActions TGamepads::TPad::Held(const TPadBindings& bindings) const {
  const auto down = [this](TPadButton button) { return Buttons[static_cast<size_t>(button)]; };
  const bool yFree = bindings.Fire != TPadButton::Y && bindings.Shields != TPadButton::Y &&
                     bindings.Pause != TPadButton::Y;
  TActions held{};
  held[Fire] = down(bindings.Fire) || RightTrigger;
  held[Shields] = down(bindings.Shields) || LeftTrigger;
  held[Bomb] = down(bindings.Bomb) || (yFree && down(TPadButton::Y));
  held[Start] = down(bindings.Pause);
  held[Back] = down(TPadButton::Back);
  return held;
}

// SDL lets go of every button of a controller taken away just before it reports it
// gone; by the time those events are handled, the controller reads as detached.
bool TGamepads::Unplugged(const TPad& pad) {
  return !SDL_GameControllerGetAttached(pad.Controller.get());
}

TGamepads::TPad* TGamepads::Find(SDL_JoystickID id) {
  const auto pad =
      std::find_if(fPads.begin(), fPads.end(), [id](const TPad& p) { return p.Id == id; });
  return pad == fPads.end() ? nullptr : &*pad;
}

bool TGamepads::HandleEvent(const SDL_Event& event, IPadTarget& target) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which, target);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which, target);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (TPad* pad = Find(event.cbutton.which);
          pad && event.cbutton.button < pad->Buttons.size()) {
        const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
        const bool unplugged = Unplugged(*pad);
        pad->Buttons[event.cbutton.button] = down;
        Update(target, unplugged);
        if (!down && !unplugged && event.cbutton.button < PadButtonCount)
          target.PadKey(PadKey(static_cast<TPadButton>(event.cbutton.button)), false);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (TPad* pad = Find(event.caxis.which)) {
        pad->SetAxis(event.caxis.axis, event.caxis.value);
        Update(target, Unplugged(*pad));
      }
      return true;
    case SDL_CONTROLLERDEVICEREMAPPED:
      return true;
    default:
      return false;
  }
}

void TGamepads::Open(int deviceIndex, IPadTarget& target) {
  if (Find(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;  // already open
  TPad pad;
  pad.Controller.reset(SDL_GameControllerOpen(deviceIndex));
  if (!pad.Controller) {
    fLog.Write(std::string("A game controller could not be opened: ") + SDL_GetError());
    return;
  }
  SDL_GameController* c = pad.Controller.get();
  pad.Id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
    pad.Buttons[b] = SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)) != 0;
  for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
    pad.SetAxis(static_cast<uint8_t>(a),
                SDL_GameControllerGetAxis(c, static_cast<SDL_GameControllerAxis>(a)));
  fLog.Write("Game controller connected: " + NameOf(c));
  fPads.push_back(std::move(pad));
  Update(target);
}

void TGamepads::Close(SDL_JoystickID id, IPadTarget& target) {
  const TPad* pad = Find(id);
  if (!pad) return;
  fLog.Write("Game controller disconnected: " + NameOf(pad->Controller.get()));
  fPads.erase(fPads.begin() + (pad - fPads.data()));
  Update(target, true);
}

void TGamepads::Update(IPadTarget& target, bool dropKeys) {
  TActions now{};
  for (const TPad& pad : fPads) {
    const TActions held = pad.Held(fBindings);
    for (size_t a = 0; a < now.size(); ++a) now[a] = now[a] || held[a];
  }
  const TActions was = fHeld;
  fHeld = now;
  if (now[Fire] && !was[Fire]) fFirePressedSincePoll = true;
  if (now[Shields] != was[Shields]) target.PadMouseButton(TMouseButton::Right, now[Shields]);
  for (const TAction key : {Bomb, Start, Back})
    if (now[key] != was[key] && (now[key] || !dropKeys)) target.PadKey(KeyOf(key), now[key]);
}

IPointerSource::TPoll TGamepads::Poll() {
  TPoll poll;
  for (TPad& pad : fPads) {
    const TStickCurve::TMotion motion = pad.Curve.Tick(pad.StickX, pad.StickY);
    poll.X += motion.X;
    poll.Y += motion.Y;
  }
  poll.Button0 = fHeld[Fire] || fFirePressedSincePoll;
  fFirePressedSincePoll = false;
  return poll;
}

}  // namespace quellix::media
