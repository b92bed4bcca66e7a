#include "shell/vtReplayRecorder.h"

#include "engine/vtEngine.h"
#include "shell/vtMainWindow.h"

namespace quellix {

TReplayRecorder::TReplayRecorder(IPlatform& inner, TStartOptions options) : TPlatformRelay(inner) {
  fReplay.Options = std::move(options);
}

void TReplayRecorder::Attach(TfrmMain& main) {
  fMain = &main;
  main.NoteSessionRecorded();
  SetTarget(&main);
  // The data the window will read: beside the executable, chosen, or an installed
  // game's.
  fReplay.Data = DigestGameData(main.DataDir());
}

void TReplayRecorder::TInput::Update() {
  IInput& live = fOwner.Inner().Input();
  live.Update();
  fOwner.fLog.Polled(live.MouseX(), live.MouseY(), live.MouseButton0());
}

TReplayRecorder::~TReplayRecorder() = default;

void TReplayRecorder::ShowModal(IModalWindow& window, std::function<void()> closed) {
  // Windows are taken down newest first, so the newest layer goes with each.
  fShown.push_back(std::make_unique<TLoggedModal>(fLog, window));
  ShowModalAs(window, *fShown.back(), [this, closed = std::move(closed)] {
    fShown.pop_back();
    if (closed) closed();
  });
}

void TReplayRecorder::FormActivate() {
  if (!fMain || fMain->ActivationDone()) {
    TPlatformRelay::FormActivate();
    return;
  }
  fLog.Add(InputEvent(TReplayInputKind::Activate));
  // The table the session starts with, however start-up ends.
  struct TTakeTable {
    TfrmMain& Main;
    std::vector<Tvt6HighScoreRecord>& Table;
    ~TTakeTable() {
      Tvt6Engine* engine = Main.MainEngine();
      if (!engine || !engine->HighScoreEngine()) return;
      Tvt6HighScoreEngine& scores = *engine->HighScoreEngine();
      for (int32_t i = 0; i < scores.Count(); ++i) Table.push_back(*scores.Record(i));
    }
  } take{*fMain, fReplay.HighScores};
  TPlatformRelay::FormActivate();
}

void TReplayRecorder::FormKeyUp(int32_t key) {
  fLog.Add(InputEvent(TReplayInputKind::KeyUp, key));
  TPlatformRelay::FormKeyUp(key);
}

void TReplayRecorder::FormMouseDown(TMouseButton button) {
  fLog.Add(InputEvent(TReplayInputKind::MouseDown, 0, button));
  TPlatformRelay::FormMouseDown(button);
}

void TReplayRecorder::FormMouseUp(TMouseButton button) {
  fLog.Add(InputEvent(TReplayInputKind::MouseUp, 0, button));
  TPlatformRelay::FormMouseUp(button);
}

void TReplayRecorder::TimerEvent(int32_t lagCount) {
  if (OpenModal() && OpenModal()->Closed()) return;
  fLog.BeginTick();
  struct TEnd {
    TInputLog& Log;
    ~TEnd() { Log.EndTick(); }
  } end{fLog};
  TPlatformRelay::TimerEvent(lagCount);
}

TReplay TReplayRecorder::Replay() const {
  TReplay replay = fReplay;
  if (fMain) replay.Seed = fMain->Seed();
  // The key that sets off a bomb is the player's choice, which play depends on.
  if (fMain && fMain->SessionBombKey() != VK_SPACE)
    replay.Options.emplace_back("bomb-key", std::to_string(fMain->SessionBombKey()));
  replay.Input = fLog.Lines();
  return replay;
}

}  // namespace quellix
