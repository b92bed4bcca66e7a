// Plays a replay (vtReplayFile.h) back: a layer between the platform and the main
// window that gives the window the recorded session instead of the live one. Each
// timer event of the platform delivers the recorded events up to the next recorded
// tick, in order, then runs that tick with the recorded poll of the mouse. Live input
// is dropped, but Esc stops the replay and closes the window. The main window starts
// with the recorded seed and high-score table and never writes the player's table.
// When the recorded input runs out the log gets "Replay finished: score S, level L,
// tick T" and the window closes.
//
// Use: make the player over the platform, the main window over the player, Attach it
// (before start-up, once the window knows its data folder), and unless Problem() says
// why not, have the platform deliver the window's events to the player. The recorded first
// activation starts the game. Under a modal window (the name entry) the platform must keep calling
// TimerEvent, as the SDL platform's nested loop does; a headless driver sets that up with
// THeadlessPlatform::TickBeneathModals.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "shell/vtPlatformRelay.h"
#include "shell/vtReplayFile.h"

namespace quellix {

class TfrmMain;

// Why the replay cannot be played on the data in dir: a data file that differs from the
// recorded one, or a start-up option this game does not know. Empty when it can.
std::string ReplayMismatch(const TReplay& replay, const std::string& dir);
// The same against the digests of the data in use.
std::string ReplayMismatch(const TReplay& replay, const std::vector<TDataDigest>& data);

class TReplayPlayer : public TPlatformRelay {
 public:
  enum class TState : uint8_t { Playing, Finished, Stopped, Refused };

  // Loads the file.
  TReplayPlayer(IPlatform& inner, const std::string& path);
  // A replay read already; name says which in messages.
  TReplayPlayer(IPlatform& inner, TReplay replay, std::string name);

  // Checks the replay against the main window's data folder and gives the window the
  // recorded seed and high-score table; before start-up.
  void Attach(TfrmMain& main);
  // Empty when the replay can be played; else why not, the file named.
  const std::string& Problem() const { return fProblem; }
  // Says Problem() in the main window's log and in a message box.
  void Refuse();

  IInput& Input() override { return fInput; }
  void ShowModal(IModalWindow& window) override;
  void CloseMainWindow() override;

  // Live input: dropped, but for Esc.
  void FormActivate() override {}
  void FormKeyUp(int32_t key) override;
  void FormMouseDown(TMouseButton) override {}
  void FormMouseUp(TMouseButton) override {}
  void FormClose() override;
  void TimerEvent(int32_t lagCount) override;

  TState State() const { return fState; }
  // Finished, stopped or refused: no more timer events are played.
  bool Done() const { return fState != TState::Playing; }
  // Timer events played so far, and all there are.
  int64_t TicksPlayed() const { return fTicksPlayed; }
  int64_t TickCount() const { return fTickCount; }
  // What first showed that the game did not do what the recording did; empty while it
  // follows the recording.
  const std::string& OutOfStep() const { return fOutOfStep; }
  // The program's exit status: 0 when the replay ran in step to its end or the player
  // stopped it, else 1.
  int ExitStatus() const;

 private:
  // The recorded poll of the tick under way.
  class TInput : public IInput {
   public:
    explicit TInput(TReplayPlayer& owner) : fOwner(owner) {}
    void Update() override;
    bool MouseButton0() const override { return fButton0; }
    int32_t MouseX() const override { return fX; }
    int32_t MouseY() const override { return fY; }

   private:
    TReplayPlayer& fOwner;
    bool fButton0 = false;
    int32_t fX = 0, fY = 0;
  };
  class TModal;

  // The replay read, or why it could not be.
  using TLoaded = std::variant<TReplay, std::string>;
  static TLoaded Load(const std::string& path);
  static TLoaded Checked(TReplay replay, const std::string& name);
  TReplayPlayer(IPlatform& inner, TLoaded loaded, std::string name);

  void Deliver(const TReplayInput& input);
  // Runs a handler of the main window; an exception goes to its application handler,
  // as the platform would do, and the replay goes on.
  template <class F>
  void Guarded(F&& handler);
  bool TicksLeft() const { return fTicksPlayed < fTickCount; }
  // Log the end of the replay; the caller closes the window.
  void Finish();
  void Stop(const std::string& why);
  void NoteOutOfStep(const std::string& what);

  TReplay fReplay;
  std::string fName;
  std::string fProblem;
  TfrmMain* fMain = nullptr;
  TInput fInput{*this};
  TState fState = TState::Playing;
  // The next input to deliver, and how many ticks of its run have been played.
  size_t fNext = 0;
  uint32_t fRunDone = 0;
  int64_t fTicksPlayed = 0;
  int64_t fTickCount = 0;
  // The recorded poll of the tick under way, until the game polls.
  const TReplayInput* fPendingPoll = nullptr;
  std::string fOutOfStep;
};

}  // namespace quellix
