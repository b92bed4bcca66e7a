// The whole game played with a virtual game controller on the headless back end: the
// stick moves the title's cursor and then the ships, A clicks and fires, B raises the
// shields, X sets off a bomb, Start pauses and resumes, Back returns to the title, and
// controllers come and go. What the main window received (its events and its polls)
// then replays the same game with no controller at all: the game cannot tell them from
// a mouse and keyboard, so recorded games hold controller play as they are.
#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "game/vtSpriteKinds.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "support/vtLinkedGameData.h"
#include "support/vtVirtualPad.h"

namespace quellix::testing {
namespace {

constexpr int16_t Full = TVirtualPad::Full;

// One tick as the main window saw it: the window events before it, then the poll.
struct TTickInput {
  std::vector<std::function<void(IMainWindowEvents&)>> Events;
  bool Polled = false;
  int32_t X = 0, Y = 0;
  bool Button0 = false;
};

// Passes the window events on to the main window and keeps them for the replay.
class TRecorder : public IMainWindowEvents {
 public:
  explicit TRecorder(IMainWindowEvents& target) : fTarget(target) {}
  void FormActivate() override {
    Keep([](IMainWindowEvents& e) { e.FormActivate(); });
  }
  void FormKeyUp(int32_t key) override {
    Keep([key](IMainWindowEvents& e) { e.FormKeyUp(key); });
  }
  void FormMouseDown(TMouseButton b) override {
    Keep([b](IMainWindowEvents& e) { e.FormMouseDown(b); });
  }
  void FormMouseUp(TMouseButton b) override {
    Keep([b](IMainWindowEvents& e) { e.FormMouseUp(b); });
  }
  void FormClose() override {
    Keep([](IMainWindowEvents& e) { e.FormClose(); });
  }
  void TimerEvent(int32_t lag) override { fTarget.TimerEvent(lag); }
  void ApplicationException(const std::exception& error) override {
    fTarget.ApplicationException(error);
  }

  // The events since the last tick, taken by the next.
  std::vector<std::function<void(IMainWindowEvents&)>> Pending;

 private:
  void Keep(std::function<void(IMainWindowEvents&)> event) {
    event(fTarget);
    Pending.push_back(std::move(event));
  }
  IMainWindowEvents& fTarget;
};

// What a run ended with; the replay must agree on all of it.
struct TOutcome {
  int32_t Score, Level, SpareShips, EnemiesLeft, Bombs, ShieldEnergy, ControlX, ControlY;
  int MainSprites, TextSprites;
  TGameState State;
  TColor Probe1, Probe2;
  bool operator==(const TOutcome&) const = default;
};

class TRun {
 public:
  explicit TRun(bool gamepads) : platform(Options(data.Dir(), gamepads)), main(platform) {
    auto owned = std::make_unique<TGame>(main);
    game = owned.get();
    main.AdoptGame(std::move(owned));
    main.FormActivate();
    main.Random().Seed(77);
  }
  static media::THeadlessOptions Options(const std::string& dir, bool gamepads) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    return {.ExeDir = dir, .AudioDriver = "none", .Gamepads = gamepads};
  }

  // The controllers' events since the last tick, then a tick, all recorded.
  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) {
      platform.PumpGamepads(recorder);
      TTickInput& tick = Ticks.emplace_back();
      tick.Events = std::exchange(recorder.Pending, {});
      tick.Polled = !main.Globals.Paused;
      main.TimerEvent(0);
      const IInput& input = platform.Input();
      tick.X = input.MouseX();
      tick.Y = input.MouseY();
      tick.Button0 = input.MouseButton0();
    }
  }
  // A button pressed for a tick, then let go for a tick.
  void Tap(TVirtualPad& pad, SDL_GameControllerButton button) {
    pad.Button(button, true);
    Tick();
    pad.Button(button, false);
    Tick();
  }
  // The recorded ticks played into this run, with the mouse standing in for the polls.
  void Replay(const std::vector<TTickInput>& ticks) {
    for (const TTickInput& tick : ticks) {
      for (const auto& event : tick.Events) event(main);
      if (tick.Polled) platform.SetMouse(tick.X, tick.Y, tick.Button0);
      main.TimerEvent(0);
    }
  }
  int Count(Tvt6Engine& engine, int32_t kind) const {
    int n = 0;
    for (int i = 0; i < engine.SpriteCount(); ++i)
      if (const Tvt6Sprite* s = engine.GetSprite(i); s->Kind == kind && !s->Dead) ++n;
    return n;
  }
  TOutcome Outcome() {
    const TfrmPlayer& p = game->Player;
    return {main.Globals.Score,
            main.Globals.Level,
            main.Globals.SpareShips,
            main.EnemiesLeft(),
            p.Bombs,
            p.ShieldEnergy,
            p.ControlX,
            p.ControlY,
            main.MainEngine()->SpriteCount(),
            main.TextEngine()->SpriteCount(),
            main.Globals.GameState,
            platform.Pixel(400, 300),
            platform.Pixel(100, 450)};
  }

  TLinkedGameData data;
  media::THeadlessPlatform platform;
  TfrmMain main;
  TGame* game = nullptr;
  TRecorder recorder{main};
  std::vector<TTickInput> Ticks;
};

TEST(ControllerGame, AVirtualControllerPlaysTheGameAndItsRecordReplaysWithoutOne) {
  TRun run(true);
  auto pad = std::make_unique<TVirtualPad>();
  run.Tick();
  ASSERT_EQ(run.platform.Gamepads()->Count(), 1);
  ASSERT_EQ(run.main.Globals.GameState, gsTitle);

  // The title: the stick brings the cursor down onto "easy", A clicks it.
  const int32_t cursorX = run.game->Title.CursorX();
  pad->Stick(0, Full / 2);
  while (run.game->Title.CursorY() < 290) run.Tick();
  pad->Stick(0, 0);
  EXPECT_EQ(run.game->Title.CursorX(), cursorX);
  run.Tap(*pad, SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(run.main.Globals.GameState, gsPlaying);

  // The stick steers: five ticks right at full push is 200 pixels.
  TfrmPlayer& player = run.game->Player;
  ASSERT_EQ(player.ControlX, 400);
  pad->Stick(Full, 0);
  run.Tick(5);
  pad->Stick(0, 0);
  EXPECT_EQ(player.ControlX, 600);
  const Tvt6Sprite* top = player.Ship[TfrmPlayer::Top].Get();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->X, 600) << "the top ship follows";

  // A fires volleys; the right trigger too.
  pad->Button(SDL_CONTROLLER_BUTTON_A, true);
  run.Tick(2);
  EXPECT_GT(run.Count(*run.main.MainEngine(), kinds::PlayerShot), 0);
  pad->Button(SDL_CONTROLLER_BUTTON_A, false);
  for (int t = 0; t < 100 && run.Count(*run.main.MainEngine(), kinds::PlayerShot) > 0; ++t)
    run.Tick();
  ASSERT_EQ(run.Count(*run.main.MainEngine(), kinds::PlayerShot), 0) << "firing stopped";
  pad->Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, Full);
  run.Tick(4);  // the volley's cooldown left over from A runs out first
  EXPECT_GT(run.Count(*run.main.MainEngine(), kinds::PlayerShot), 0);
  pad->Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);

  // B holds the shields up.
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  run.Tick(3);
  EXPECT_TRUE(player.ShieldsUp);
  EXPECT_GT(run.Count(*run.main.MainEngine(), kinds::Shield), 0);
  pad->Button(SDL_CONTROLLER_BUTTON_B, false);
  run.Tick();
  EXPECT_FALSE(player.ShieldsUp);

  // X sets off a bomb.
  run.Tap(*pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(player.Bombs, TfrmPlayer::NewGameBombs - 1);
  EXPECT_GT(run.Count(*run.main.MainEngine(), kinds::HorizontalWave), 0);

  // Start pauses, and Start again goes on.
  run.Tap(*pad, SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(run.main.Globals.Paused);
  pad->Stick(Full, 0);
  run.Tick(3);
  EXPECT_EQ(player.ControlX, 600) << "nothing moves while paused";
  pad->Stick(0, 0);
  run.Tap(*pad, SDL_CONTROLLER_BUTTON_START);
  EXPECT_FALSE(run.main.Globals.Paused);

  // The controller is taken away while its shields are up and another is plugged in.
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  run.Tick(2);
  ASSERT_TRUE(player.ShieldsUp);
  pad.reset();
  run.Tick(2);
  EXPECT_FALSE(player.ShieldsUp) << "the shields came down with the controller";
  EXPECT_EQ(run.platform.Gamepads()->Count(), 0);
  TVirtualPad other;
  run.Tick();
  other.Stick(0, -Full);
  run.Tick(2);
  other.Stick(0, 0);
  EXPECT_EQ(player.ControlY, 300 - 80);
  run.Tick(10);

  // Back returns to the title.
  run.Tap(other, SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_EQ(run.main.Globals.GameState, gsTitle);
  const TOutcome played = run.Outcome();

  TRun replay(false);
  replay.Replay(run.Ticks);
  EXPECT_EQ(replay.Outcome(), played);
}

}  // namespace
}  // namespace quellix::testing
