// The input of a session as it is recorded: the main window's events in the order they
// came, each timer event in its place with what its poll of the mouse read (or that it
// did not poll), and runs of timer events that read the same joined into one line. The
// recorder of sessions and the keeper of games both write what they see into one.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/vtReplayFile.h"

namespace quellix {

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

}  // namespace quellix
