// The input of a session as it is recorded: the main window's events in the order they
// came, each timer event in its place with what its poll of the mouse read (or that it
// did not poll), and runs of timer events that read the same joined into one line. The
// recorder of sessions and the keeper of games both write what they see into one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "graphics/vtPlatform.h"
#include "shell/vtReplayFile.h"

namespace quellix {

// An event of the main window or of its name window, as a log holds it.
TReplayInput InputEvent(TReplayInputKind kind, int32_t key = 0,
                        TMouseButton button = TMouseButton::Left, std::string_view text = {});

class TInputLog {
 public:
  // An event; the timer event before it, if any, is complete.
  void Add(TReplayInput input);
  // A timer event begins; its poll, if it polls, follows.
  void BeginTick();
  // What the poll of the timer event under way read; nothing when none is awaited.
  void Polled(int32_t dx, int32_t dy, bool button0);
  // The timer event under way has ended, polled or not.
  void EndTick() { fAwaitingPoll = false; }

  // The lines so far, every run joined.
  std::vector<TReplayInput> Lines() const;
  int64_t Ticks() const { return fTicks; }

 private:
  std::vector<TReplayInput> fLines;
  int64_t fTicks = 0;
  bool fAwaitingPoll = false;
};

// A modal window (the name entry) as the platform sees it: what is typed into it is
// noted in a log, then passed on.
class TLoggedModal : public IModalWindow {
 public:
  TLoggedModal(TInputLog& log, IModalWindow& window) : fLog(log), fWindow(window) {}
  void TextInput(std::string_view text) override;
  void KeyDown(int32_t key) override;
  void KeyUp(int32_t key) override;
  void Paint(IDisplay& display) override { fWindow.Paint(display); }
  bool Closed() const override { return fWindow.Closed(); }

 private:
  TInputLog& fLog;
  IModalWindow& fWindow;
};

}  // namespace quellix
