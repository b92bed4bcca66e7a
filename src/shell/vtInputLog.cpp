#include "shell/vtInputLog.h"

namespace quellix {

namespace {

// A tick that reads the same as the one before it joins that one's run.
void JoinLastTick(std::vector<TReplayInput>& input) {
  if (input.size() >= 2 && input.back().SamePoll(input[input.size() - 2])) {
    input[input.size() - 2].Repeat += input.back().Repeat;
    input.pop_back();
  }
}

}  // namespace

void TInputLog::Add(TReplayInput input) {
  fAwaitingPoll = false;
  // The last input is complete now.
  JoinLastTick(fLines);
  fLines.push_back(std::move(input));
}

void TInputLog::BeginTick() {
  Add(TReplayInput{});
  ++fTicks;
  fAwaitingPoll = true;
}

void TInputLog::Polled(int32_t dx, int32_t dy, bool button0) {
  if (!fAwaitingPoll) return;
  fAwaitingPoll = false;
  TReplayInput& tick = fLines.back();
  tick.Polled = true;
  tick.DX = dx;
  tick.DY = dy;
  tick.Button0 = button0;
}

std::vector<TReplayInput> TInputLog::Lines() const {
  std::vector<TReplayInput> lines = fLines;
  JoinLastTick(lines);
  return lines;
}

}  // namespace quellix
