// The game's platform on a real window: a borderless main window on the whole desktop
// showing 800 x 600 logical pixels (aspect kept, letterboxed), vsync, hidden pointer,
// the mouse in relative mode while the window has focus, game controllers standing in
// for the mouse and keys, and the message loop that turns SDL events into the main
// window's events and runs the 40 ms frame timer on the same thread.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "graphics/vtPlatform.h"
#include "media/vtGamepads.h"
#include "media/vtKeyMap.h"
#include "media/vtMediaSet.h"
#include "media/vtProgressWindow.h"

namespace quellix::media {

struct TSdlPlatformOptions {
  bool FullScreen = true;   // else an 800 x 600 window; Alt+Enter switches at run time
  std::string AudioDriver;  // SDL's audio driver; empty lets SDL choose
  std::string DataDir;      // the game's data folder, whose fonts/ is searched first;
                            // empty: the executable's folder
  // An image archive to read and decode in the background from the start, while the
  // window opens, for the image list's first load of it; empty: none.
  std::string ImageArchive;
};

class TSdlPlatform : public IPlatform, private IPadTarget {
 public:
  static constexpr uint32_t TickMilliseconds = 40;

  // Opens the window and the sound device; throws TSdlError when there is no video.
  explicit TSdlPlatform(const TSdlPlatformOptions& options = {});
  ~TSdlPlatform() override;

  // The message loop: returns once the main window has closed (FormClose has run).
  int Run(IMainWindowEvents& events);

  std::string ExeDir() const override { return fExeDir; }
  void ProcessMessages() override;
  void HideCursor() override;
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override;
  void FreeProgress() override;
  void ShowMessage(std::string_view text) override;
  void ShowModal(IModalWindow& window) override;
  void CloseMainWindow() override { fCloseRequested = true; }
  bool Closing() const override { return fCloseRequested; }

  void AttachLog(std::function<void(const std::string&)> log) override;
  IDisplay& Display() override { return fMedia->Display; }
  IImageList& ImageList() override { return fMedia->Images; }
  ISoundList& SoundList() override { return fMedia->Sounds; }
  IInput& Input() override { return fMedia->Input; }

  SDL_Window* Window() const { return fWindow.get(); }
  const TGamepads& Gamepads() const { return fPads; }
  bool FullScreen() const { return fFullScreen; }

 private:
  // One pass of the loop: pending events, then the frame timer or a wait for either.
  void Step();
  // Dispatches pending events; stops early when the running loop is to end.
  void PumpEvents();
  bool LoopEnds() const;
  void Dispatch(const SDL_Event& event);
  void DispatchWindowEvent(const SDL_WindowEvent& event);
  void DispatchKey(const SDL_KeyboardEvent& event);
  void DispatchButton(const SDL_MouseButtonEvent& event);
  // A key or mouse button, from its device or from a game controller: keys go to the
  // modal window while one is shown, else their key-ups to the main window.
  void RouteKey(int32_t key, bool down);
  void RouteButton(TMouseButton button, bool down);
  void PadKey(int32_t key, bool down) override { RouteKey(key, down); }
  void PadMouseButton(TMouseButton button, bool down) override { RouteButton(button, down); }
  void SetFocus(bool focused);
  // Brings the main window to the front with the keyboard focus.
  void TakeFocus();
  void SwitchScreenMode();
  // Runs a handler of the game; an exception goes to ApplicationException.
  template <class F>
  void Guarded(F&& handler);
  void Report(const std::exception& error) noexcept;

  TSdlSubsystems fVideo;
  TPlatformLog fLog;
  std::string fExeDir;
  TWindowPtr fWindow;
  TRendererPtr fRenderer;
  TGamepads fPads{fLog};
  std::unique_ptr<TMediaSet> fMedia;
  std::unique_ptr<TProgressWindow> fProgress;
  IMainWindowEvents* fEvents = nullptr;
  IModalWindow* fModal = nullptr;
  TAltEnterFilter fAltEnter;
  bool fFullScreen;
  bool fFocused = false;
  bool fCloseRequested = false;
  uint64_t fPeriod;  // of the frame timer, in performance counter units
  uint64_t fDeadline = 0;
};

// The directory of the running executable with a trailing '/'.
std::string ExecutableDir();

}  // namespace quellix::media
