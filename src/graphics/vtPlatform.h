// The window system as the game sees it: the main window's events, the progress window
// shown while loading, message boxes, a modal window drawn over the game, the hidden
// pointer and the 40 ms frame timer. Together with the media objects of vtMedia.h this
// is everything the game needs from the platform.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "graphics/vtControls.h"
#include "graphics/vtDisplayMode.h"
#include "graphics/vtMedia.h"

namespace quellix {

// Key codes as the main window receives them (the classic virtual-key numbering:
// letters are their capitals, digits their characters).
enum TVirtualKey : int32_t {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,  // Alt
  VK_PAUSE = 19,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_PRIOR = 33,  // Page Up
  VK_NEXT = 34,   // Page Down
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_DELETE = 46,
  VK_F1 = 112,
};

enum class TMouseButton : uint8_t { Left, Right, Middle };

// Events of the main window, delivered on the one game thread.
class IMainWindowEvents {
 public:
  virtual ~IMainWindowEvents() = default;
  // Activation of the window and a click on the display.
  virtual void FormActivate() = 0;
  virtual void FormKeyUp(int32_t key) = 0;
  virtual void FormMouseDown(TMouseButton button) = 0;
  virtual void FormMouseUp(TMouseButton button) = 0;
  // The window is closing (any means); the platform ends its loop afterwards.
  virtual void FormClose() = 0;
  // The frame timer, every 40 ms while the application is active.
  virtual void TimerEvent(int32_t lagCount) = 0;
  // An exception that reached the application level.
  virtual void ApplicationException(const std::exception& error) = 0;
};

// A window shown modally over the game (the high-score name window). The platform
// routes keys and typed text to it, paints it over every flipped frame and keeps the
// frame timer running beneath it until Closed() answers true.
class IModalWindow {
 public:
  virtual ~IModalWindow() = default;
  // Text typed by the player, UTF-8.
  virtual void TextInput(std::string_view text) = 0;
  virtual void KeyDown(int32_t key) = 0;
  virtual void KeyUp(int32_t key) = 0;
  // Draws the window onto the display's back surface, just before a flip.
  virtual void Paint(IDisplay& display) = 0;
  virtual bool Closed() const = 0;
};

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  // The directory of the executable, with its trailing separator.
  virtual std::string ExeDir() const = 0;
  // Lets the window system handle its pending messages once.
  virtual void ProcessMessages() = 0;
  // Hides the mouse pointer for the whole application.
  virtual void HideCursor() = 0;

  // The progress window (caption "Quellix", 300 x 326): created on first use, shown
  // with the text line and bar position given.
  virtual void ShowProgress(std::string_view text, int32_t position, int32_t maximum) = 0;
  virtual void FreeProgress() = 0;

  // A message box; returns when the player has dismissed it.
  virtual void ShowMessage(std::string_view text) = 0;

  // Shows the window modally; returns once it reports Closed().
  virtual void ShowModal(IModalWindow& window) = 0;

  // Closes the main window: FormClose runs and the message loop ends.
  virtual void CloseMainWindow() = 0;
  // Whether the player has asked to close the program (seen by ProcessMessages or asked
  // by CloseMainWindow): start-up stops loading then. A window system without a close
  // button never is.
  virtual bool Closing() const { return false; }
};

// How the game's drawing reaches the screen.
enum class TMotionStyle : uint8_t {
  // Each tick's picture is kept and drawn at every refresh of the display, everything
  // that moves drawn between where the last two ticks put it.
  Smooth,
  // Each tick's picture is shown as it was drawn, once per tick.
  Classic,
};

// One platform: its window system and its media objects, owned by it.
class IPlatform : public IWindowSystem {
 public:
  // Chosen at start-up, before anything is drawn, and changed between ticks (the display
  // and the image list stay the same objects); a platform that cannot refresh on its
  // own stays classic.
  virtual void SetMotionStyle(TMotionStyle /*style*/) {}
  virtual TMotionStyle MotionStyle() const { return TMotionStyle::Classic; }
  // Smooth motion keeps to this many refreshes a second where vsync does not pace the
  // drawing, instead of the rate the display reports (given before SetMotionStyle).
  virtual void SetRefreshRate(int /*perSecond*/) {}
  // Applied at once: full screen or a window, scaling and filtering.
  virtual void SetDisplayMode(const TDisplayMode& /*mode*/) {}
  // The display as it stands now, the window's place and size as the player left them
  // (Alt+Enter switches, a window can be moved and resized).
  virtual TDisplayMode DisplayMode() const { return {}; }
  // The mouse's motion is multiplied by this whole number (1 or more) before the game
  // reads it; a controller's stick is not.
  virtual void SetMouseSpeed(int32_t /*factor*/) {}
  // Which controller buttons fire, raise the shields, set off a bomb and pause.
  virtual void SetPadBindings(const TPadBindings& /*bindings*/) {}
  // Where the platform reports what it cannot do (no sound device, a font that is
  // missing); the main window points it at the error log.
  virtual void AttachLog(std::function<void(const std::string&)> log) = 0;
  virtual IDisplay& Display() = 0;
  virtual IImageList& ImageList() = 0;
  virtual ISoundList& SoundList() = 0;
  virtual IInput& Input() = 0;
};

}  // namespace quellix
