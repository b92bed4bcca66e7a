// A layer between a platform and the main window that passes everything on: the
// platform delivers the window's events to the relay, the main window calls the relay
// as its platform. The recorder and the player of replays derive from it and step in
// where the input goes by.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "graphics/vtPlatform.h"

namespace quellix {

class TPlatformRelay : public IPlatform, public IMainWindowEvents {
 public:
  explicit TPlatformRelay(IPlatform& inner) : fInner(inner) {}

  // The window the events go on to; until then they are dropped.
  void SetTarget(IMainWindowEvents* target) { fTarget = target; }

  // ---- IPlatform, passed on
  std::string ExeDir() const override { return fInner.ExeDir(); }
  void ProcessMessages() override { fInner.ProcessMessages(); }
  void HideCursor() override { fInner.HideCursor(); }
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override {
    fInner.ShowProgress(text, position, maximum);
  }
  void FreeProgress() override { fInner.FreeProgress(); }
  void ShowMessage(std::string_view text) override { fInner.ShowMessage(text); }
  void ShowModal(IModalWindow& window) override { fInner.ShowModal(window); }
  void CloseMainWindow() override { fInner.CloseMainWindow(); }
  bool Closing() const override { return fInner.Closing(); }
  void AttachLog(std::function<void(const std::string&)> log) override {
    fInner.AttachLog(std::move(log));
  }
  void SetMotionStyle(TMotionStyle style) override { fInner.SetMotionStyle(style); }
  TMotionStyle MotionStyle() const override { return fInner.MotionStyle(); }
  void SetRefreshRate(int perSecond) override { fInner.SetRefreshRate(perSecond); }
  void SetDisplayMode(const TDisplayMode& mode) override { fInner.SetDisplayMode(mode); }
  TDisplayMode DisplayMode() const override { return fInner.DisplayMode(); }
  void SetMouseSpeed(int32_t factor) override { fInner.SetMouseSpeed(factor); }
  void SetPadBindings(const TPadBindings& bindings) override { fInner.SetPadBindings(bindings); }
  IDisplay& Display() override { return fInner.Display(); }
  IImageList& ImageList() override { return fInner.ImageList(); }
  ISoundList& SoundList() override { return fInner.SoundList(); }
  IInput& Input() override { return fInner.Input(); }

  // ---- IMainWindowEvents, passed on
  void FormActivate() override {
    if (fTarget) fTarget->FormActivate();
  }
  void FormKeyUp(int32_t key) override {
    if (fTarget) fTarget->FormKeyUp(key);
  }
  void FormMouseDown(TMouseButton button) override {
    if (fTarget) fTarget->FormMouseDown(button);
  }
  void FormMouseUp(TMouseButton button) override {
    if (fTarget) fTarget->FormMouseUp(button);
  }
  void FormClose() override {
    if (fTarget) fTarget->FormClose();
  }
  void TimerEvent(int32_t lagCount) override {
    if (fTarget) fTarget->TimerEvent(lagCount);
  }
  void ApplicationException(const std::exception& error) override {
    if (fTarget) fTarget->ApplicationException(error);
  }

 protected:
  IPlatform& Inner() { return fInner; }
  IMainWindowEvents* Target() const { return fTarget; }

  // Shows `shown`, a layer over `window`, on the inner platform; meanwhile OpenModal()
  // is `window`.
  void ShowModalAs(IModalWindow& window, IModalWindow& shown) {
    IModalWindow* outer = fModal;
    fModal = &window;
    struct TRestore {
      IModalWindow*& Modal;
      IModalWindow* Outer;
      ~TRestore() { Modal = Outer; }
    } restore{fModal, outer};
    fInner.ShowModal(shown);
  }
  // The modal window open now, none when there is none.
  IModalWindow* OpenModal() const { return fModal; }

 private:
  IPlatform& fInner;
  IMainWindowEvents* fTarget = nullptr;
  IModalWindow* fModal = nullptr;
};

}  // namespace quellix
