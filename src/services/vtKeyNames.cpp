#include "services/vtKeyNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "graphics/vtPlatform.h"

namespace quellix {

namespace {

struct TNamedKey {
  int32_t Key;
  std::string_view Name;
};

constexpr std::array<TNamedKey, 32> NamedKeys = {{
    {VK_BACK, "backspace"},  {VK_TAB, "tab"},     {VK_RETURN, "enter"}, {VK_SHIFT, "shift"},
    {VK_CONTROL, "control"}, {VK_MENU, "alt"},    {VK_PAUSE, "pause"},  {20, "capslock"},
    {VK_ESCAPE, "escape"},   {VK_SPACE, "space"}, {VK_PRIOR, "pageup"}, {VK_NEXT, "pagedown"},
    {VK_END, "end"},         {VK_HOME, "home"},   {VK_LEFT, "left"},    {VK_UP, "up"},
    {VK_RIGHT, "right"},     {VK_DOWN, "down"},   {44, "printscreen"},  {45, "insert"},
    {VK_DELETE, "delete"},   {91, "leftwindows"}, {92, "rightwindows"}, {93, "menu"},
    {106, "multiply"},       {107, "add"},        {109, "subtract"},    {110, "decimal"},
    {111, "divide"},         {186, "semicolon"},  {188, "comma"},       {190, "period"},
}};

constexpr std::string_view NumberPrefix = "key";

}  // namespace

std::string KeyName(int32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    return std::string(1, static_cast<char>(std::tolower(key)));
  if (key >= VK_F1 && key < VK_F1 + 24) return "f" + std::to_string(key - VK_F1 + 1);
  if (key >= 96 && key <= 105) return "numpad" + std::to_string(key - 96);
  for (const TNamedKey& named : NamedKeys)
    if (named.Key == key) return std::string(named.Name);
  return std::string(NumberPrefix) + std::to_string(key);
}

std::string KeyLabel(int32_t key) {
  std::string label = KeyName(key);
  std::transform(label.begin(), label.end(), label.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return label;
}

std::optional<int32_t> ParseKeyName(std::string_view name) {
  for (int32_t key = 0; key < VK_PAD; ++key)
    if (KeyName(key) == name && !name.starts_with(NumberPrefix)) return key;
  if (!name.starts_with(NumberPrefix)) return std::nullopt;
  const std::string_view digits = name.substr(NumberPrefix.size());
  int32_t key = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), key);
  if (error != std::errc() || end != digits.data() + digits.size() || key <= 0 || key >= VK_PAD)
    return std::nullopt;
  return key;
}

bool KeyReserved(int32_t key) {
  switch (key) {
    case VK_ESCAPE:
    case VK_RETURN:
    case VK_BACK:
    case VK_MENU:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    default:
      return key <= 0 || key >= VK_PAD;
  }
}

}  // namespace quellix
