// Records a session: a layer between the platform and the main window that notes, in
// the order they come, the main window's first activation, its key-up and mouse-button
// events, what is typed in a modal window, and for every timer event what its poll of
// the mouse read (or that it did not poll), then passes each on unchanged. Together
// with the seed and the high-score table the session started with, that is a replay
// (vtReplayFile.h) which vtReplayPlayer.h plays back exactly.
//
// Use: make the recorder over the platform, the main window over the recorder, Attach
// it, and have the platform deliver the window's events to the recorder. A timer event
// that comes after input has closed a modal window, before its loop has ended, is
// dropped: a real window's loop ends first, and a replay runs that tick after the loop.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "shell/vtInputLog.h"
#include "shell/vtPlatformRelay.h"
#include "shell/vtReplayFile.h"

namespace quellix {

class TfrmMain;

using TStartOptions = std::vector<std::pair<std::string, std::string>>;

class TReplayRecorder : public TPlatformRelay {
 public:
  TReplayRecorder(IPlatform& inner, TStartOptions options);

  // Before start-up, once the main window knows its data folder: the data is digested
  // now.
  void Attach(TfrmMain& main);

  IInput& Input() override { return fInput; }
  void ShowModal(IModalWindow& window) override;

  void FormActivate() override;
  void FormKeyUp(int32_t key) override;
  void FormMouseDown(TMouseButton button) override;
  void FormMouseUp(TMouseButton button) override;
  void TimerEvent(int32_t lagCount) override;

  // Timer events recorded so far.
  int64_t Ticks() const { return fLog.Ticks(); }
  // The session so far (SaveReplayFile writes it), with the bomb key it started with
  // among its options when that is not Space.
  TReplay Replay() const;

 private:
  // The poll passed on, its result noted on the tick being recorded.
  class TInput : public IInput {
   public:
    explicit TInput(TReplayRecorder& owner) : fOwner(owner) {}
    void Update() override;
    bool MouseButton0() const override { return fOwner.Inner().Input().MouseButton0(); }
    int32_t MouseX() const override { return fOwner.Inner().Input().MouseX(); }
    int32_t MouseY() const override { return fOwner.Inner().Input().MouseY(); }
    bool PendingMotion(int32_t& dx, int32_t& dy) const override {
      return fOwner.Inner().Input().PendingMotion(dx, dy);
    }

   private:
    TReplayRecorder& fOwner;
  };
  class TModal;

  TfrmMain* fMain = nullptr;
  TInput fInput{*this};
  // The header; the input is in fLog.
  TReplay fReplay;
  TInputLog fLog;
};

}  // namespace quellix
