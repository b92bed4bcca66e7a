// The game's platform on a real window: a borderless main window on the whole desktop,
// or a window of its own place and size, showing 800 x 600 logical pixels (letterboxed,
// in whole multiples or stretched, filtered sharp or smooth), vsync, hidden pointer, the
// game's icon, the mouse in relative mode while the window has focus, game controllers
// standing in for the mouse and keys, and the message loop that turns SDL events into
// the main window's events and runs the 40 ms frame timer on the same thread.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "graphics/vtModalStack.h"
#include "graphics/vtPlatform.h"
#include "graphics/vtSmoothScreen.h"
#include "media/vtGamepads.h"
#include "media/vtKeyMap.h"
#include "media/vtMediaSet.h"
#include "media/vtMediaSwitch.h"
#include "media/vtProgressWindow.h"
#include "media/vtRefreshPacer.h"

namespace quellix::media {

struct TSdlPlatformOptions {
  // Full screen or a window (Alt+Enter switches at run time), scaling and filtering.
  TDisplayMode Display;
  std::string AudioDriver;  // SDL's audio driver; empty lets SDL choose
  std::string DataDir;      // the game's data folder, whose fonts/ is searched first;
                            // empty: the executable's folder
  // An image archive to read and decode in the background from the start, while the
  // window opens and the title shows, for the image list's first load of it, which
  // then does not wait for the pictures; empty: none.
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

  // For a host that runs the loop itself and calls Frame once per display refresh (the
  // browser's animation frames): Start delivers the window's events to `events` from
  // now on; each Frame handles the pending events, runs the frame timer's tick when it
  // is due and, in smooth motion, draws a refresh; Finish closes the main window
  // (FormClose) once Closing() says it is to close.
  void Start(IMainWindowEvents& events);
  void Frame();
  void Finish();

  // What the loop has done so far: timer events run, ticks dropped because they came
  // late (the lag counts summed), refreshes of smooth motion drawn, and the seconds the
  // game has run (had the focus) meanwhile.
  struct TLoopCounts {
    int64_t Ticks = 0;
    int64_t Lag = 0;
    int64_t Refreshes = 0;
    double Seconds = 0;
  };
  TLoopCounts Counts() const;

  std::string ExeDir() const override { return fExeDir; }
  void ProcessMessages() override;
  void HideCursor() override;
  // The progress window opens only once loading has gone on for half a second: a
  // quicker load is over before the window could be read.
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override;
  void FreeProgress() override;
  void ShowMessage(std::string_view text) override;
  void ShowModal(IModalWindow& window, std::function<void()> closed) override;
  void CloseMainWindow() override { fCloseRequested = true; }
  bool Closing() const override { return fCloseRequested; }

  void AttachLog(std::function<void(const std::string&)> log) override;
  // Smooth: the game draws on a recorder and the loop shows its latest frame at every
  // refresh of the display.
  void SetMotionStyle(TMotionStyle style) override;
  TMotionStyle MotionStyle() const override {
    return fSmooth ? TMotionStyle::Smooth : TMotionStyle::Classic;
  }
  void SetRefreshRate(int perSecond) override { fRefreshRate = perSecond; }
  void SetDisplayMode(const TDisplayMode& mode) override;
  TDisplayMode DisplayMode() const override;
  void SetMouseSpeed(int32_t factor) override { fMedia->Input.SetSpeed(factor); }
  void SetPadBindings(const TPadBindings& bindings) override { fPads.SetBindings(bindings); }
  IDisplay& Display() override { return *fDisplay; }
  IImageList& ImageList() override { return *fImages; }
  ISoundList& SoundList() override { return fMedia->Sounds; }
  IInput& Input() override { return fMedia->Input; }

  SDL_Window* Window() const { return fWindow.get(); }
  // The pictures themselves, behind the list the game draws through.
  TSdlImageList& Pictures() { return fMedia->Images; }
  const TGamepads& Gamepads() const { return fPads; }
  bool FullScreen() const { return fFullScreen; }
  bool Smooth() const { return fSmooth != nullptr; }
  // Whether the loop's spare time has still something to prepare (sounds, fonts,
  // pictures): a host may hold back what should not compete with it.
  bool Preparing() const { return fPreparing; }

 protected:
  // Whether the game runs: the frame timer ticks and the mouse is read (relative mode).
  void SetFocus(bool focused);
  bool Focused() const { return fFocused; }
  // The window gained or lost the input focus; the game runs while it has it. A host
  // with its own idea of when the game runs (a page) decides instead.
  virtual void WindowFocus(bool focused) { SetFocus(focused); }
  // Alt+Enter: full screen or an 800 x 600 window.
  virtual void SwitchScreenMode();
  // Full screen, or the window at its place and size, framed so it can be moved.
  virtual void PlaceWindow();

 private:
  // One pass of the loop: pending events, then the frame timer, a refresh, or a wait
  // for whichever comes first.
  void Step();
  // Runs the frame timer's tick if its deadline has passed; true when it ran.
  bool TickIfDue(uint64_t now);
  // Takes down the modal windows that have closed, calling back their owners.
  void EndClosedModals();
  // A modal window has been taken down: the next one down is painted and typed into.
  void ModalTakenDown();
  // A frame not yet shown as it stands at the end of its tick, or a window that lost
  // its picture.
  bool RefreshWanted() const;
  // Gives spare time until `wake` (a slice of it at most) to the sound device and the
  // sounds, the scan of the typefaces, then to the pictures still to be made; false when
  // all are done, and the loop may wait.
  bool UseSpareTime(uint64_t now, uint64_t wake);
  // Shows the latest frame as far into its tick as the clock is at now.
  void Refresh(uint64_t now);
  // Dispatches pending events; stops early when the main window is to close.
  void PumpEvents();
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
  // Brings the main window to the front with the keyboard focus.
  void TakeFocus();
  // How the 800 x 600 picture fills the window, anew after every change of its size.
  void ApplyScaling();
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
  std::unique_ptr<TDisplaySwitch> fDisplay;
  std::unique_ptr<TImageListSwitch> fImages;
  std::unique_ptr<TProgressWindow> fProgress;  // made once loading has gone on for a while
  uint64_t fProgressAsked = 0;                 // when loading first showed progress
  IMainWindowEvents* fEvents = nullptr;
  TModalStack fModals;
  TLoopCounts fCounts;
  bool fPreparing = true;
  uint64_t fFocusedSince = 0;  // performance counter
  TAltEnterFilter fAltEnter;
  bool fFullScreen;
  TDisplayMode fMode;  // its FullScreen follows fFullScreen
  bool fFocused = false;
  bool fFocusedOnce = false;
  bool fCloseRequested = false;
  uint64_t fPeriod;  // of the frame timer, in performance counter units
  uint64_t fDeadline = 0;
  // Smooth motion: the screen, its pacing, when the tick that drew the latest frame was
  // due, and which frame was shown last, how far into its tick.
  std::unique_ptr<TSmoothScreen> fSmooth;
  std::unique_ptr<TRefreshPacer> fPacer;
  uint64_t fTickTime = 0;
  uint64_t fFrameTime = 0;
  uint64_t fShownFrame = 0;
  double fShownFraction = 0;
  bool fPictureLost = false;
  int fRefreshRate = 0;  // chosen by the player; 0: the display's
};

// The directory of the running executable, UTF-8, with the separator at the end.
std::string ExecutableDir();

}  // namespace quellix::media
