#include "shell/vtReplayRecorder.h"

#include "engine/vtEngine.h"
#include "shell/vtMainWindow.h"

namespace quellix {

namespace {

TReplayInput Recorded(TReplayInputKind kind, int32_t key = 0,
                      TMouseButton button = TMouseButton::Left, std::string_view text = {}) {
  TReplayInput input;
  input.Kind = kind;
  input.Key = key;
  input.Button = button;
  input.Text = text;
  return input;
}

}  // namespace

// The modal window as the platform sees it: what is typed is noted, then passed on.
class TReplayRecorder::TModal : public IModalWindow {
 public:
  TModal(TReplayRecorder& owner, IModalWindow& window) : fOwner(owner), fWindow(window) {}
  void TextInput(std::string_view text) override {
    fOwner.fLog.Add(Recorded(TReplayInputKind::ModalText, 0, TMouseButton::Left, text));
    fWindow.TextInput(text);
  }
  void KeyDown(int32_t key) override {
    fOwner.fLog.Add(Recorded(TReplayInputKind::ModalKeyDown, key));
    fWindow.KeyDown(key);
  }
  void KeyUp(int32_t key) override {
    fOwner.fLog.Add(Recorded(TReplayInputKind::ModalKeyUp, key));
    fWindow.KeyUp(key);
  }
  void Paint(IDisplay& display) override { fWindow.Paint(display); }
  bool Closed() const override { return fWindow.Closed(); }

 private:
  TReplayRecorder& fOwner;
  IModalWindow& fWindow;
};

TReplayRecorder::TReplayRecorder(IPlatform& inner, TStartOptions options) : TPlatformRelay(inner) {
  fReplay.Data = DigestGameData(inner.ExeDir());
  fReplay.Options = std::move(options);
}

void TReplayRecorder::Attach(TfrmMain& main) {
  fMain = &main;
  main.NoteSessionRecorded();
  SetTarget(&main);
}

void TReplayRecorder::TInput::Update() {
  IInput& live = fOwner.Inner().Input();
  live.Update();
  fOwner.fLog.Polled(live.MouseX(), live.MouseY(), live.MouseButton0());
}

void TReplayRecorder::ShowModal(IModalWindow& window) {
  TModal recording(*this, window);
  ShowModalAs(window, recording);
}

void TReplayRecorder::FormActivate() {
  if (!fMain || fMain->ActivationDone()) {
    TPlatformRelay::FormActivate();
    return;
  }
  fLog.Add(Recorded(TReplayInputKind::Activate));
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
  fLog.Add(Recorded(TReplayInputKind::KeyUp, key));
  TPlatformRelay::FormKeyUp(key);
}

void TReplayRecorder::FormMouseDown(TMouseButton button) {
  fLog.Add(Recorded(TReplayInputKind::MouseDown, 0, button));
  TPlatformRelay::FormMouseDown(button);
}

void TReplayRecorder::FormMouseUp(TMouseButton button) {
  fLog.Add(Recorded(TReplayInputKind::MouseUp, 0, button));
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
