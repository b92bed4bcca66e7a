// Keys as the game knows them: SDL key codes turned into the classic virtual-key
// numbering, and the Alt+Enter full-screen switch, which the game must never see.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <set>

namespace quellix::media {

// The virtual-key code of an SDL key (letters as their capitals, digits as their
// characters, Esc 27, F1 112, ...); 0 for a key that has none.
int32_t VirtualKeyOf(SDL_Keycode key);

// Tells Alt+Enter apart and swallows its key-ups (Enter's and the Alt key's that
// belongs to it), so switching the screen mode is not taken for a pause key.
class TAltEnterFilter {
 public:
  // A key went down with the given modifiers. True when it is Alt+Enter and the screen
  // mode is to switch (a held key's repeats are swallowed without switching again).
  bool Switches(SDL_Keycode key, uint16_t modifiers, bool repeat);
  // True when this key is Alt+Enter's own and must not reach the game; false for
  // anything else.
  bool SwallowsKeyDown(SDL_Keycode key, uint16_t modifiers) const;
  // A key went up. True when the key-up belongs to an Alt+Enter.
  bool SwallowsKeyUp(SDL_Keycode key);

 private:
  std::set<SDL_Keycode> fPendingUps;
};

}  // namespace quellix::media
