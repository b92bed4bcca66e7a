#include "shell/vtReplayPlayer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

// Options a replay may carry: how it was drawn, the bomb key it started with, and what
// the list of kept games shows of a game.
constexpr std::array<std::string_view, 9> KnownOptions = {
    "window", "motion", "bomb-key", "recorded", "difficulty", "score", "level", "ticks", "table"};

}  // namespace

std::string ReplayMismatch(const TReplay& replay, const std::string& dir) {
  return ReplayMismatch(replay, DigestGameData(dir));
}

std::string ReplayMismatch(const TReplay& replay, const std::vector<TDataDigest>& current) {
  for (size_t i = 0; i < current.size() && i < replay.Data.size(); ++i)
    if (replay.Data[i] != current[i])
      return "it was recorded with other game data: " + current[i].Name + " differs";
  for (const auto& [key, value] : replay.Options)
    if (std::find(KnownOptions.begin(), KnownOptions.end(), key) == KnownOptions.end())
      return "it needs the start-up option " + key + "=" + value + ", which this game lacks";
  return "";
}

// The modal window as the platform sees it: live typing is dropped, Esc stops the replay.
class TReplayPlayer::TModal : public IModalWindow {
 public:
  TModal(TReplayPlayer& owner, IModalWindow& window) : fOwner(owner), fWindow(window) {}
  void TextInput(std::string_view) override {}
  void KeyDown(int32_t) override {}
  void KeyUp(int32_t key) override { fOwner.FormKeyUp(key); }
  void Paint(IDisplay& display) override { fWindow.Paint(display); }
  bool Closed() const override { return fWindow.Closed(); }

 private:
  TReplayPlayer& fOwner;
  IModalWindow& fWindow;
};

TReplayPlayer::TLoaded TReplayPlayer::Load(const std::string& path) {
  try {
    return LoadReplayFile(path);
  } catch (const TReplayError& e) {
    return std::string(e.what());
  }
}

TReplayPlayer::TLoaded TReplayPlayer::Checked(TReplay replay, const std::string& name) {
  try {
    CheckReplay(replay);
  } catch (const TReplayError& e) {
    return name + ": " + e.what();
  }
  return replay;
}

TReplayPlayer::TReplayPlayer(IPlatform& inner, const std::string& path)
    : TReplayPlayer(inner, Load(path), path) {}

TReplayPlayer::TReplayPlayer(IPlatform& inner, TReplay replay, std::string name)
    : TReplayPlayer(inner, Checked(std::move(replay), name), name) {}

TReplayPlayer::TReplayPlayer(IPlatform& inner, TLoaded loaded, std::string name)
    : TPlatformRelay(inner), fName(std::move(name)) {
  if (auto* problem = std::get_if<std::string>(&loaded)) {
    fProblem = std::move(*problem);
  } else {
    fReplay = std::move(std::get<TReplay>(loaded));
    fTickCount = fReplay.TickCount();
  }
  if (!fProblem.empty()) fState = TState::Refused;
}

void TReplayPlayer::Attach(TfrmMain& main) {
  fMain = &main;
  SetTarget(&main);
  if (fState == TState::Refused) return;
  const std::string mismatch = ReplayMismatch(fReplay, main.DataDir());
  if (!mismatch.empty()) {
    fProblem = fName + ": " + mismatch;
    fState = TState::Refused;
    return;
  }
  int32_t bombKey = VK_SPACE;
  if (const std::string key = fReplay.Option("bomb-key"); !key.empty()) {
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), bombKey);
    if (error != std::errc() || end != key.data() + key.size()) {
      fProblem = fName + ": its option bomb-key=" + key + " is not a key";
      fState = TState::Refused;
      return;
    }
  }
  main.SetFixedSeed(fReplay.Seed);
  main.PresetHighScores(fReplay.HighScores);
  main.PresetBombKey(bombKey);
  if (fReplay.Game) main.PresetGame(*fReplay.Game);
}

void TReplayPlayer::Refuse() {
  const std::string message = "Replay refused: " + fProblem;
  if (fMain) {
    fMain->OpenLog();
    fMain->ErrorLog().Log(message);
  }
  Inner().ShowMessage(message);
}

template <class F>
void TReplayPlayer::Guarded(F&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    fMain->ApplicationException(error);
  }
}

void TReplayPlayer::TInput::Update() {
  // What the player does meanwhile is read and dropped.
  fOwner.Inner().Input().Update();
  const TReplayInput* poll = fOwner.fPendingPoll;
  fOwner.fPendingPoll = nullptr;
  if (!poll) fOwner.NoteOutOfStep("the game read the mouse where the recording did not");
  fX = poll ? poll->DX : 0;
  fY = poll ? poll->DY : 0;
  fButton0 = poll && poll->Button0;
}

void TReplayPlayer::ShowModal(IModalWindow& window) {
  TModal shown(*this, window);
  ShowModalAs(window, shown);
}

void TReplayPlayer::Deliver(const TReplayInput& input) {
  TfrmMain& main = *fMain;
  switch (input.Kind) {
    case TReplayInputKind::Activate:
      Guarded([&] { main.FormActivate(); });
      return;
    case TReplayInputKind::KeyUp:
      Guarded([&] { main.FormKeyUp(input.Key); });
      return;
    case TReplayInputKind::MouseDown:
      Guarded([&] { main.FormMouseDown(input.Button); });
      return;
    case TReplayInputKind::MouseUp:
      Guarded([&] { main.FormMouseUp(input.Button); });
      return;
    case TReplayInputKind::Tick:
      return;
    case TReplayInputKind::ModalText:
    case TReplayInputKind::ModalKeyDown:
    case TReplayInputKind::ModalKeyUp:
      break;
  }
  if (!OpenModal()) {
    NoteOutOfStep("the recording types where no window is open to take it");
    return;
  }
  IModalWindow& modal = *OpenModal();
  if (input.Kind == TReplayInputKind::ModalText)
    Guarded([&] { modal.TextInput(input.Text); });
  else if (input.Kind == TReplayInputKind::ModalKeyDown)
    Guarded([&] { modal.KeyDown(input.Key); });
  else
    Guarded([&] { modal.KeyUp(input.Key); });
}

void TReplayPlayer::TimerEvent(int32_t lagCount) {
  if (fState != TState::Playing || !fMain) return;
  IModalWindow* modal = OpenModal();
  const bool modalOpen = modal && !modal->Closed();
  const std::vector<TReplayInput>& input = fReplay.Input;
  while (fNext < input.size() && !input[fNext].IsTick()) {
    Deliver(input[fNext++]);
    // Input that closes the modal window ended the window's loop when it was recorded:
    // what came after it, and the next tick, came once the window was gone.
    if (modalOpen && modal->Closed()) return;
  }
  if (!TicksLeft()) {
    Finish();
    Inner().CloseMainWindow();
    return;
  }
  const TReplayInput& tick = input[fNext];
  if (++fRunDone == tick.Repeat) {
    fRunDone = 0;
    ++fNext;
  }
  ++fTicksPlayed;
  fPendingPoll = tick.Polled ? &tick : nullptr;
  Guarded([&] { fMain->TimerEvent(lagCount); });
  if (fPendingPoll) NoteOutOfStep("the game did not read the mouse where the recording did");
  fPendingPoll = nullptr;
}

void TReplayPlayer::FormKeyUp(int32_t key) {
  if (key != VK_ESCAPE || fState != TState::Playing || !fMain) return;
  Stop("Esc was pressed");
  Inner().CloseMainWindow();
}

void TReplayPlayer::CloseMainWindow() {
  if (fState == TState::Playing) {
    if (TicksLeft()) {
      NoteOutOfStep("the game closed with recorded ticks left");
      Stop("the game closed");
    } else {
      // The recording ended where the game closed itself.
      Finish();
    }
  }
  Inner().CloseMainWindow();
}

void TReplayPlayer::FormClose() {
  if (fState == TState::Playing && fMain) Stop("the window was closed");
  TPlatformRelay::FormClose();
}

void TReplayPlayer::Finish() {
  fState = TState::Finished;
  fMain->ErrorLog().Log("Replay finished: score " + std::to_string(fMain->Globals.Score) +
                        ", level " + std::to_string(fMain->Globals.Level) + ", tick " +
                        std::to_string(fTicksPlayed));
}

void TReplayPlayer::Stop(const std::string& why) {
  fState = TState::Stopped;
  fMain->ErrorLog().Log("Replay stopped at tick " + std::to_string(fTicksPlayed) + " of " +
                        std::to_string(fTickCount) + ": " + why);
}

void TReplayPlayer::NoteOutOfStep(const std::string& what) {
  if (!fOutOfStep.empty()) return;
  fOutOfStep = what;
  fMain->ErrorLog().Log("Replay out of step at tick " + std::to_string(fTicksPlayed) + ": " + what);
}

int TReplayPlayer::ExitStatus() const {
  const bool clean =
      (fState == TState::Finished || fState == TState::Stopped) && fOutOfStep.empty();
  return clean ? 0 : 1;
}

}  // namespace quellix
