// A bot plays the game as a player would: it reads what is on the screen (the game's
// state) and answers through the same primitives a player's input arrives through: the
// mouse that the next tick polls, the main window's button and key events, and the keys
// and text of the name window. Each bot draws its choices from a generator of its own,
// never from the game's.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "graphics/vtPlatform.h"

namespace quellix {
class TfrmMain;
class TGame;
}  // namespace quellix

namespace quellix::sim {

class TSimPlatform;

// The four ways a game is started from the title screen.
enum class TPlayMode : uint8_t { Child, Easy, Normal, Hard };
enum class TBotKind : uint8_t { Random, Skilled };

std::string_view PlayModeName(TPlayMode mode);
std::string_view BotName(TBotKind bot);

// The game as a bot sees it. Bots read it and never change it.
struct TGameView {
  TfrmMain& Main;
  TGame& Game;
};

// What a bot's input goes through.
class TBotHands {
 public:
  TBotHands(TSimPlatform& platform, IMainWindowEvents& window)
      : fPlatform(platform), fWindow(window) {}

  // Motion and the left button for the next tick's poll.
  void Mouse(int32_t dx, int32_t dy, bool leftButton);
  // Presses or lets go of the right button; nothing happens while it already is so.
  void RightButton(bool down);
  bool RightButtonDown() const { return fRightDown; }
  // A key pressed and released on the main window.
  void Key(int32_t key) { fWindow.FormKeyUp(key); }

 private:
  TSimPlatform& fPlatform;
  IMainWindowEvents& fWindow;
  bool fRightDown = false;
};

class IBot {
 public:
  virtual ~IBot() = default;
  // Before each tick of the game, except beneath the name window.
  virtual void Act(const TGameView& view, TBotHands& hands) = 0;
  // Before each tick beneath the name window: types into it (Enter closes it).
  virtual void Type(IModalWindow& window) = 0;
  // Whether the bot goes on into a new game once a game is over.
  virtual bool PlaysOn() const = 0;
};

// The bot of that kind for a game of that mode; seed is the game's seed.
std::unique_ptr<IBot> MakeBot(TBotKind kind, TPlayMode mode, uint64_t seed);

}  // namespace quellix::sim
