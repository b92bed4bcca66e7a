#include "graphics/vtControls.h"

namespace quellix {

namespace {

struct TPadButtonNames {
  std::string_view Name;
  std::string_view Label;
};

constexpr std::array<TPadButtonNames, PadButtonCount> Names = {{
    {"a", "A"},
    {"b", "B"},
    {"x", "X"},
    {"y", "Y"},
    {"back", "BACK"},
    {"guide", "GUIDE"},
    {"start", "START"},
    {"leftstick", "L3"},
    {"rightstick", "R3"},
    {"leftshoulder", "LB"},
    {"rightshoulder", "RB"},
    {"dpup", "UP"},
    {"dpdown", "DOWN"},
    {"dpleft", "LEFT"},
    {"dpright", "RIGHT"},
    {"misc1", "MISC"},
    {"paddle1", "P1"},
    {"paddle2", "P2"},
    {"paddle3", "P3"},
    {"paddle4", "P4"},
    {"touchpad", "TOUCHPAD"},
}};

}  // namespace

std::string_view PadButtonName(TPadButton button) {
  return Names.at(static_cast<size_t>(button)).Name;
}

std::string_view PadButtonLabel(TPadButton button) {
  return Names.at(static_cast<size_t>(button)).Label;
}

std::optional<TPadButton> ParsePadButton(std::string_view name) {
  for (size_t i = 0; i < Names.size(); ++i)
    if (Names[i].Name == name) return static_cast<TPadButton>(i);
  return std::nullopt;
}

bool PadButtonReserved(TPadButton button) {
  switch (button) {
    case TPadButton::Back:
    case TPadButton::Guide:
    case TPadButton::DpadUp:
    case TPadButton::DpadDown:
    case TPadButton::DpadLeft:
    case TPadButton::DpadRight:
      return true;
    default:
      return false;
  }
}

}  // namespace quellix
