// Keys by name: how a virtual-key code is written in settings.txt ("space", "b", "f1")
// and shown on screen ("SPACE", "B", "F1"), and which keys the game keeps for itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Every code has a name: those without a word of their own are "key" and the number.
std::string KeyName(int32_t key);
std::string KeyLabel(int32_t key);
std::optional<int32_t> ParseKeyName(std::string_view name);
// Keys another part of the game needs, which cannot set off a bomb: Esc (back), Enter
// (choose, and the name window's end), Backspace (the name window), Alt (Alt+Enter),
// the arrows and Page Up and Down (the menus) and a controller's buttons.
bool KeyReserved(int32_t key);

}  // namespace quellix
