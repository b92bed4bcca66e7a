// The game's platform without a window, for tests and the simulator: the same display,
// image list and sound list as on screen, drawing with SDL's software renderer into an
// 800 x 600 surface whose pixels can be read and saved. The caller drives time (it
// calls the game's TimerEvent itself) and injects the mouse or pumps the game
// controllers; window-system requests are recorded instead of shown. A modal window runs
// ModalScript, or, for a driver that types into it between ticks (a replay, a bot), the
// ticks beneath it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/vtPlatform.h"
#include "graphics/vtSmoothScreen.h"
#include "media/vtGamepads.h"
#include "media/vtMediaSet.h"
#include "media/vtMediaSwitch.h"

namespace quellix::media {

struct THeadlessOptions {
  std::string ExeDir = "./";
  // SDL's "dummy" driver plays in real time without hardware; a driver that cannot open
  // (say "none") leaves the game silent; empty lets SDL choose.
  std::string AudioDriver = "dummy";
  // Game controllers (SDL's virtual ones among them), delivered by PumpGamepads.
  bool Gamepads = false;
};

class THeadlessPlatform : public IPlatform {
 public:
  explicit THeadlessPlatform(const THeadlessOptions& options = {});
  ~THeadlessPlatform() override;

  std::string ExeDir() const override { return fExeDir; }
  void SetExeDir(const std::string& dir);
  void ProcessMessages() override { ++MessagePumps; }
  void HideCursor() override { CursorHidden = true; }
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override;
  void FreeProgress() override { ProgressShown = false; }
  void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
  // Runs ModalScript on the window, or the ticks beneath it (TickBeneathModals); Flip
  // paints it meanwhile, and it is painted once more at the end.
  void ShowModal(IModalWindow& window) override;
  void CloseMainWindow() override { CloseRequested = true; }
  bool Closing() const override { return CloseRequested; }

  void AttachLog(std::function<void(const std::string&)> log) override;
  // Smooth: the game draws on a recorder; each finished frame is drawn at once as it
  // stands at the end of its tick (the pixels of a classic frame), and Refresh draws it
  // again at any moment into the next tick.
  void SetMotionStyle(TMotionStyle style) override;
  TMotionStyle MotionStyle() const override {
    return fSmooth ? TMotionStyle::Smooth : TMotionStyle::Classic;
  }
  IDisplay& Display() override { return fDisplay; }
  IImageList& ImageList() override { return fImages; }
  ISoundList& SoundList() override { return fMedia.Sounds; }
  IInput& Input() override { return fMedia.Input; }
  // Without a window the mode is only kept, to be asked back.
  void SetDisplayMode(const TDisplayMode& mode) override { fMode = mode; }
  TDisplayMode DisplayMode() const override { return fMode; }
  void SetMouseSpeed(int32_t factor) override { fMedia.Input.SetSpeed(factor); }
  void SetPadBindings(const TPadBindings& bindings) override;

  // The pixel of the back surface (after everything drawn so far); throws
  // std::out_of_range outside the screen.
  TColor Pixel(int32_t x, int32_t y);
  // The back surface as a PNG file; throws TSdlError when it cannot be written.
  void SavePng(const std::string& path);
  // The back surface (800 x 600, ARGB8888) with everything drawn so far.
  const SDL_Surface& Screen();
  // Motion and the left button, delivered by the next Input().Update().
  void SetMouse(int32_t dx, int32_t dy, bool button0);
  // What the game controllers did since the last pump (plugged in or out, buttons,
  // triggers) reaches the events as keys and mouse buttons; their sticks and fire move
  // and press the mouse of the next Input().Update(). Without THeadlessOptions::Gamepads
  // nothing happens.
  void PumpGamepads(IMainWindowEvents& events);
  const TGamepads* Gamepads() const { return fPads.get(); }
  // Smooth motion only: draws the latest frame `fraction` (0..1) of the way into the
  // next tick, as a refresh of a real display would.
  void Refresh(double fraction);
  const TSmoothScreen* Smooth() const { return fSmooth.get(); }

  TSdlDisplay& SdlDisplay() { return fMedia.Display; }
  TSdlImageList& SdlImages() { return fMedia.Images; }
  TSdlSoundList& SdlSounds() { return fMedia.Sounds; }
  TMouseInput& Mouse() { return fMedia.Input; }
  bool SoundDeviceOpen() const { return fMedia.Audio.Open(); }

  // The default script types "Tester" and presses and releases Enter.
  static void TypeTester(IModalWindow& window);
  std::function<void(IModalWindow&)> ModalScript = TypeTester;

  // From now on a modal window runs, in place of ModalScript, the timer events of
  // `events` one after another, as a real window's nested message loop does, until it
  // closes or CloseMainWindow is called: the driver of `events` must bring one of the
  // two about, typing into Modal() between ticks. Null goes back to ModalScript.
  void TickBeneathModals(IMainWindowEvents* events) { fTicksBeneathModal = events; }
  // The modal window shown now, none when there is none.
  IModalWindow* Modal() { return fMedia.Display.Overlay(); }

  struct TProgress {
    std::string Text;
    int32_t Position = 0, Maximum = 0;
  };
  std::vector<TProgress> Progress;
  bool ProgressShown = false;
  std::vector<std::string> Messages;
  int MessagePumps = 0;
  int ModalsShown = 0;
  bool CursorHidden = false;
  bool CloseRequested = false;

 private:
  TPlatformLog fLog;
  std::string fExeDir;
  TSurfacePtr fSurface;
  TRendererPtr fRenderer;
  std::unique_ptr<TGamepads> fPads;
  TMediaSet fMedia;
  TDisplaySwitch fDisplay{fMedia.Display};
  TImageListSwitch fImages{fMedia.Images};
  std::unique_ptr<TSmoothScreen> fSmooth;
  IMainWindowEvents* fTicksBeneathModal = nullptr;
  TDisplayMode fMode;
};

}  // namespace quellix::media
