// Game controllers: the stick's dead zone and speed curve, and SDL's virtual controllers
// on both platforms, whose buttons arrive as the keys and mouse buttons the game reads
// and whose sticks move the mouse of each poll; plugged in and out while running.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <memory>

#include "MediaTestSupport.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlPlatform.h"
#include "media/vtStickCurve.h"
#include "support/vtVirtualPad.h"

namespace quellix::testing {
namespace {

using media::TStickCurve;

constexpr int16_t Full = TVirtualPad::Full;

// The motion of `ticks` ticks with the stick held at (x, y).
TStickCurve::TMotion Held(int16_t x, int16_t y, int ticks, TStickCurve curve = {}) {
  TStickCurve::TMotion sum;
  for (int t = 0; t < ticks; ++t) {
    const TStickCurve::TMotion m = curve.Tick(x, y);
    sum.X += m.X;
    sum.Y += m.Y;
  }
  return sum;
}

TEST(StickCurve, CentreIsStillFineAimIsSlowAndAFullPushCrossesTheScreenInUnderASecond) {
  for (auto [x, y] : {std::pair{0, 0}, {6000, 0}, {-4500, 4500}, {0, -6500}})
    EXPECT_EQ(Held(static_cast<int16_t>(x), static_cast<int16_t>(y), 100), TStickCurve::TMotion{})
        << "inside the dead zone at " << x << "," << y;

  EXPECT_EQ(Held(Full, 0, 1), (TStickCurve::TMotion{40, 0}));
  EXPECT_EQ(Held(-32768, 0, 1), (TStickCurve::TMotion{-40, 0}));
  EXPECT_EQ(Held(0, Full, 19).Y, 760) << "the ships' 750 pixels of travel in 19 ticks";
  const TStickCurve::TMotion diagonal = Held(Full, Full, 10);
  EXPECT_NEAR(std::hypot(diagonal.X, diagonal.Y), 400, 2) << "no faster on a diagonal";

  // A slight push: under a pixel a tick, carried until whole, never more than one.
  const int16_t slight = 9840;  // 0.63 pixels a tick
  TStickCurve curve;
  int total = 0;
  for (int t = 0; t < 8; ++t) {
    const int dx = curve.Tick(slight, 0).X;
    EXPECT_LE(dx, 1);
    total += dx;
  }
  EXPECT_EQ(total, 5);
  curve.Tick(0, 0);
  EXPECT_EQ(curve.Tick(slight, 0).X, 0) << "letting go drops the carried fraction";

  // More push never means less motion, and the stick is the same in every direction.
  int previous = 0;
  for (int x = 0; x <= Full; x += 512) {
    const TStickCurve::TMotion right = Held(static_cast<int16_t>(x), 0, 25);
    EXPECT_GE(right.X, previous);
    previous = right.X;
    EXPECT_EQ(Held(static_cast<int16_t>(-x), 0, 25).X, -right.X);
    EXPECT_EQ(Held(0, static_cast<int16_t>(x), 25).Y, right.X);
  }
}

class HeadlessPads : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDrivers();
    platform = std::make_unique<media::THeadlessPlatform>(
        media::THeadlessOptions{.ExeDir = "./", .AudioDriver = "none", .Gamepads = true});
    platform->AttachLog([this](const std::string& line) { log.push_back(line); });
  }
  // Events of the controllers, then one poll: its motion and button.
  std::tuple<int, int, bool> Poll() {
    platform->PumpGamepads(events);
    IInput& input = platform->Input();
    input.Update();
    return {input.MouseX(), input.MouseY(), input.MouseButton0()};
  }
  // The events of the window since the last call.
  std::vector<std::string> Calls() {
    platform->PumpGamepads(events);
    return std::exchange(events.Calls, {});
  }
  int Pads() const { return platform->Gamepads()->Count(); }

  std::unique_ptr<media::THeadlessPlatform> platform;
  std::vector<std::string> log;
  TRecordingEvents events;
};

using TCalls = std::vector<std::string>;

// A button let go also says which it was, after what it stands for.
std::string Released(TPadButton button) {
  return "keyup " + std::to_string(PadKey(button));
}

TEST_F(HeadlessPads, ButtonsAreTheGamesKeysAndMouseButtonsAndTheStickMovesThePoll) {
  TVirtualPad pad;
  EXPECT_EQ(Calls(), TCalls{});
  EXPECT_EQ(Pads(), 1);
  EXPECT_EQ(log.back(), "Game controller connected: Quellix Test Pad");

  // Shields: B or the left trigger, one press while either holds.
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_EQ(Calls(), TCalls{"down 1"});
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, Full);
  pad.Button(SDL_CONTROLLER_BUTTON_B, false);
  EXPECT_EQ(Calls(), TCalls{Released(TPadButton::B)});
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 12000);
  EXPECT_EQ(Calls(), TCalls{}) << "a trigger between a quarter and a half keeps its state";
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
  EXPECT_EQ(Calls(), TCalls{"up 1"});
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 12000);
  EXPECT_EQ(Calls(), TCalls{}) << "nor does it pull from below";

  // Keys: a bomb (X or Y), Start and Back reach the window as key-ups when let go.
  const std::pair<SDL_GameControllerButton, const char*> keys[] = {
      {SDL_CONTROLLER_BUTTON_X, "keyup 32"},
      {SDL_CONTROLLER_BUTTON_Y, "keyup 32"},
      {SDL_CONTROLLER_BUTTON_START, "keyup 13"},
      {SDL_CONTROLLER_BUTTON_BACK, "keyup 27"}};
  for (const auto& [button, call] : keys) {
    pad.Button(button, true);
    EXPECT_EQ(Calls(), TCalls{});
    pad.Button(button, false);
    EXPECT_EQ(Calls(), (TCalls{call, Released(static_cast<TPadButton>(button))}));
  }

  // Fire: A or the right trigger is the first button of the poll.
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false));
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, true));
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, true)) << "held";
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false));
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, Full);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, true));
  pad.Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false));
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  platform->PumpGamepads(events);
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, true)) << "a tap between two polls is a click";
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false));

  // The stick moves every poll while it is held, added to the mouse's own motion.
  pad.Stick(Full, -32768);
  EXPECT_EQ(Poll(), std::make_tuple(28, -28, false));
  platform->SetMouse(5, 1, false);
  EXPECT_EQ(Poll(), std::make_tuple(28 + 5, -28 + 1, false));
  // Smooth motion draws the ships ahead by the mouse's motion since the last poll; a
  // stick's motion comes only at polls, so while it steers there is none to draw by.
  int32_t dx = 0, dy = 0;
  platform->SetMouse(3, 0, false);
  EXPECT_FALSE(platform->Input().PendingMotion(dx, dy));
  pad.Stick(0, 0);
  EXPECT_EQ(Poll(), std::make_tuple(3, 0, false));
  platform->SetMouse(3, 0, false);
  ASSERT_TRUE(platform->Input().PendingMotion(dx, dy));
  EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(3, 0));
  EXPECT_EQ(Poll(), std::make_tuple(3, 0, false));
  EXPECT_EQ(events.Calls, TCalls(2, Released(TPadButton::A)))
      << "the stick and fire make no window events but A's own";
  events.Calls.clear();

  // Bound anew: RB fires, LB raises the shields, Start sets off a bomb and Y pauses; A
  // and B stand for nothing, and Y no longer bombs.
  platform->SetPadBindings(
      {TPadButton::RightShoulder, TPadButton::LeftShoulder, TPadButton::Start, TPadButton::Y});
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false));
  pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, true));
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  EXPECT_EQ(Calls(), TCalls{"down 1"});
  const std::pair<SDL_GameControllerButton, std::string> bound[] = {
      {SDL_CONTROLLER_BUTTON_START, "keyup 32"}, {SDL_CONTROLLER_BUTTON_Y, "keyup 13"}};
  for (const auto& [button, call] : bound) {
    pad.Button(button, true);
    EXPECT_EQ(Calls(), TCalls{});
    pad.Button(button, false);
    EXPECT_EQ(Calls(), (TCalls{call, Released(static_cast<TPadButton>(button))}));
  }
}

TEST_F(HeadlessPads, ControllersComeAndGoWhileRunningAndOneTakenAwayLetsGoSafely) {
  auto first = std::make_unique<TVirtualPad>();
  TVirtualPad second;
  Calls();
  EXPECT_EQ(Pads(), 2);

  // Both hold the shields; taking one away leaves them up.
  first->Button(SDL_CONTROLLER_BUTTON_B, true);
  second.Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, Full);
  EXPECT_EQ(Calls(), TCalls{"down 1"});
  first->Stick(Full, 0);
  first->Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Poll(), std::make_tuple(40, 0, true));
  first.reset();
  EXPECT_EQ(Calls(), TCalls{});
  EXPECT_EQ(Pads(), 1);
  EXPECT_EQ(log.back(), "Game controller disconnected: Quellix Test Pad");
  EXPECT_EQ(Poll(), std::make_tuple(0, 0, false)) << "its stick and fire went with it";

  // The last one goes while holding the shields and a bomb and Back: the shields come
  // down, but the held keys do nothing.
  second.Button(SDL_CONTROLLER_BUTTON_X, true);
  second.Button(SDL_CONTROLLER_BUTTON_BACK, true);
  EXPECT_EQ(Calls(), TCalls{});
  second.Unplug();
  EXPECT_EQ(Calls(), TCalls{"up 1"});
  EXPECT_EQ(Pads(), 0);

  // A new one works at once.
  TVirtualPad third;
  third.Button(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_EQ(Calls(), TCalls{});
  third.Button(SDL_CONTROLLER_BUTTON_Y, false);
  EXPECT_EQ(Calls(), (TCalls{"keyup 32", Released(TPadButton::Y)}));
  EXPECT_EQ(Pads(), 1);
}

TEST(WindowedPads, StartIsEnterSoItPausesTheGameAndConfirmsTheNameWindow) {
  UseDummyDrivers();
  // The dummy video driver never gives the window the focus that SDL otherwise wants
  // before it passes on a controller's events.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  media::TSdlPlatform platform(WindowedOptions());
  TVirtualPad pad;
  TRecordingEvents events;
  class TNameWindow : public IModalWindow {
   public:
    void TextInput(std::string_view) override {}
    void KeyDown(int32_t key) override { Keys.push_back("down " + std::to_string(key)); }
    void KeyUp(int32_t key) override {
      Keys.push_back("up " + std::to_string(key));
      fClosed = key == VK_RETURN;
    }
    void Paint(IDisplay&) override {}
    bool Closed() const override { return fClosed; }
    std::vector<std::string> Keys;

   private:
    bool fClosed = false;
  } name;
  events.OnTick = [&](int tick) {
    if (tick == 1) {
      pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    } else if (tick == 2) {
      pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    } else if (tick == 3) {
      pad.Button(SDL_CONTROLLER_BUTTON_B, true);
      pad.Button(SDL_CONTROLLER_BUTTON_START, true);
      platform.ShowModal(name, {});
    } else if (tick == 4) {
      pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    } else if (tick == 6) {
      platform.CloseMainWindow();
    }
  };
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = SDL_GetWindowID(platform.Window());
  SDL_PushEvent(&focus);
  platform.Run(events);
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, nullptr);
  EXPECT_EQ(events.Count("keyup 13"), 1) << "Start let go with no name window: a pause key";
  EXPECT_EQ(events.Count("down 1"), 1) << "the shields work under the name window too";
  EXPECT_EQ(name.Keys, (TCalls{"down 13", "up 13"})) << "Start confirms the name";
  EXPECT_EQ(platform.Gamepads().Count(), 1);
}

}  // namespace
}  // namespace quellix::testing
