// The game controller as the game sees it beyond the mouse and keys it stands in for:
// its buttons by name, the actions they are bound to (fire, shields, bomb, pause), and
// the key code a button's release arrives with, so that menus can be steered with the
// pad and a button can be chosen for an action by pressing it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quellix {

// In the order of SDL's game controller buttons (the back end checks it).
enum class TPadButton : uint8_t {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
  Misc1,
  Paddle1,
  Paddle2,
  Paddle3,
  Paddle4,
  Touchpad,
};
inline constexpr int32_t PadButtonCount = 21;

// A controller button released reaches the main window as a key-up of this code plus
// the button's number, beside what the button is bound to. Outside the menus the game
// takes no notice of these keys.
inline constexpr int32_t VK_PAD = 0x1000;
constexpr int32_t PadKey(TPadButton button) {
  return VK_PAD + static_cast<int32_t>(button);
}
constexpr bool IsPadKey(int32_t key) {
  return key >= VK_PAD && key < VK_PAD + PadButtonCount;
}
constexpr TPadButton PadButtonOfKey(int32_t key) {
  return static_cast<TPadButton>(key - VK_PAD);
}

// The buttons that stand for the mouse's buttons and the keys. The right trigger fires
// and the left one raises the shields whatever is bound; Y sets off a bomb unless it is
// bound to something else; Back is Esc.
struct TPadBindings {
  TPadButton Fire = TPadButton::A;
  TPadButton Shields = TPadButton::B;
  TPadButton Bomb = TPadButton::X;
  TPadButton Pause = TPadButton::Start;
  bool operator==(const TPadBindings&) const = default;
};

// The button's name in settings.txt ("a", "leftshoulder", "dpup": SDL's names) and on
// screen ("A", "LB", "UP").
std::string_view PadButtonName(TPadButton button);
std::string_view PadButtonLabel(TPadButton button);
std::optional<TPadButton> ParsePadButton(std::string_view name);
// Buttons the game needs for itself: Back (Esc), Guide and the pad's four directions,
// which steer the menus.
bool PadButtonReserved(TPadButton button);

}  // namespace quellix
