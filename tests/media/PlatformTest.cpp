// Both platforms: the windowed one's message loop on SDL's dummy video driver (events
// pushed into SDL's queue as the window system would deliver them), and the headless
// one's recorded window-system requests, injected mouse and readable screen.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "MediaTestSupport.h"
#include "base/vtFileSystem.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtProgressWindow.h"
#include "media/vtSdlPlatform.h"

namespace quellix::testing {
namespace {

using media::THeadlessPlatform;
using media::TSdlPlatform;

// A name window that records what reaches it and closes on the Enter key-up.
class TRecordingModal : public IModalWindow {
 public:
  void TextInput(std::string_view text) override { Text += text; }
  void KeyDown(int32_t key) override { Keys.push_back("down " + std::to_string(key)); }
  void KeyUp(int32_t key) override {
    Keys.push_back("up " + std::to_string(key));
    if (key == VK_RETURN) fClosed = true;
  }
  void Paint(IDisplay& display) override {
    ++Paints;
    display.FillRect({10, 10, 20, 20}, RGB(0, 255, 0));
  }
  bool Closed() const override { return fClosed; }

  std::string Text;
  std::vector<std::string> Keys;
  int Paints = 0;

 private:
  bool fClosed = false;
};

class Windowed : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDrivers();
    platform = std::make_unique<TSdlPlatform>(WindowedOptions());
    platform->AttachLog([this](const std::string& line) { log.push_back(line); });
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  uint32_t Id() const { return SDL_GetWindowID(platform->Window()); }
  void PushWindow(SDL_WindowEventID what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    e.window.windowID = Id();
    SDL_PushEvent(&e);
  }
  void PushKey(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.windowID = Id();
    SDL_PushEvent(&e);
  }
  void PushButton(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.windowID = Id();
    SDL_PushEvent(&e);
  }
  void PushMotion(int dx, int dy) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    e.motion.windowID = Id();
    SDL_PushEvent(&e);
  }
  void PushText(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", text);
    e.text.windowID = Id();
    SDL_PushEvent(&e);
  }
  void PushQuit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
  }

  std::unique_ptr<TSdlPlatform> platform;
  std::vector<std::string> log;
  TRecordingEvents events;
};

TEST_F(Windowed, EventsReachTheMainWindowAndCloseEndsTheLoop) {
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushKey(SDL_KEYDOWN, SDLK_p);
  PushKey(SDL_KEYUP, SDLK_p);
  PushKey(SDL_KEYUP, SDLK_ESCAPE);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  events.OnTick = [&](int tick) {
    if (tick == 3) platform->CloseMainWindow();
  };
  EXPECT_EQ(platform->Run(events), 0);
  const std::vector<std::string> expected = {"activate", "keyup 80", "keyup 27", "down 1",
                                             "up 1",     "activate", "down 0",   "close"};
  EXPECT_EQ(events.Calls, expected);
  EXPECT_EQ(events.Ticks, 3) << "the loop ends right after the tick that asked";
}

TEST_F(Windowed, AltEnterSwitchesTheScreenModeAndIsNotAKeyOfTheGame) {
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
  PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
  PushKey(SDL_KEYUP, SDLK_RETURN, KMOD_LALT);
  PushKey(SDL_KEYUP, SDLK_LALT);
  PushKey(SDL_KEYUP, SDLK_SPACE);
  events.OnTick = [&](int) { platform->CloseMainWindow(); };
  EXPECT_FALSE(platform->FullScreen());
  platform->Run(events);
  EXPECT_TRUE(platform->FullScreen());
  EXPECT_EQ(events.Count("keyup 13"), 0);
  EXPECT_EQ(events.Count("keyup 18"), 0);
  EXPECT_EQ(events.Count("keyup 32"), 1);
}

TEST_F(Windowed, AnExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  events.ThrowOnKey = 'X';
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushKey(SDL_KEYUP, SDLK_x);
  events.OnTick = [&](int tick) {
    if (tick == 1) throw std::logic_error("tick failed");
    if (tick == 3) platform->CloseMainWindow();
  };
  platform->Run(events);
  EXPECT_EQ(events.Count("exception key handler failed"), 1);
  EXPECT_EQ(events.Count("exception tick failed"), 1);
  EXPECT_EQ(events.Ticks, 3);
  EXPECT_EQ(events.Calls.back(), "close");
}

TEST_F(Windowed, QuitRunsFormCloseOnce) {
  PushQuit();
  platform->Run(events);
  EXPECT_EQ(events.Count("close"), 1);
  EXPECT_EQ(events.Ticks, 0);
}

TEST_F(Windowed, MotionIsGatheredUntilTheNextPollAndOnlyWithFocus) {
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  std::vector<std::tuple<int, int, bool>> polls;
  events.OnTick = [&](int tick) {
    IInput& input = platform->Input();
    input.Update();
    polls.emplace_back(input.MouseX(), input.MouseY(), input.MouseButton0());
    if (tick == 1) {
      PushMotion(5, -3);
      PushMotion(5, -3);
      PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    }
    if (tick == 3) {
      PushWindow(SDL_WINDOWEVENT_FOCUS_LOST);
      PushMotion(7, 7);
      // Without focus no tick comes; the test ends the run from a timer.
      SDL_AddTimer(
          300,
          [](Uint32, void*) -> Uint32 {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return 0;
          },
          nullptr);
    }
  };
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
  platform->Run(events);
  SDL_QuitSubSystem(SDL_INIT_TIMER);
  ASSERT_EQ(polls.size(), 3u) << "no ticks while the window has no focus";
  EXPECT_EQ(polls[0], std::make_tuple(0, 0, false));
  EXPECT_EQ(polls[1], std::make_tuple(10, -6, true));
  EXPECT_EQ(polls[2], std::make_tuple(0, 0, true));
  platform->Input().Update();
  EXPECT_EQ(platform->Input().MouseX(), 0) << "nothing is read without focus";
  EXPECT_FALSE(platform->Input().MouseButton0());
}

TEST_F(Windowed, AModalWindowGetsTheKeysWhileTicksGoOnBeneathIt) {
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  TRecordingModal modal;
  int ticksUnderModal = 0;
  int takenDownAfterTick = 0;
  bool open = false;
  events.OnTick = [&](int tick) {
    if (tick == 1) {
      PushText("Ab");
      PushKey(SDL_KEYDOWN, SDLK_b);
      platform->ShowModal(modal, [&] {
        takenDownAfterTick = events.Ticks;
        open = false;
        platform->Display().Flip();  // taken down: not painted any more
      });
      open = true;
      return;  // the tick ends with the window open
    }
    if (!open) {
      platform->CloseMainWindow();
      return;
    }
    ++ticksUnderModal;
    platform->Display().Flip();
    if (ticksUnderModal == 2) {
      PushKey(SDL_KEYUP, SDLK_b);
      PushKey(SDL_KEYDOWN, SDLK_RETURN);
      PushKey(SDL_KEYUP, SDLK_RETURN);
      PushKey(SDL_KEYUP, SDLK_p);  // comes after the window is gone: the main window's
    }
  };
  platform->Run(events);
  EXPECT_EQ(modal.Text, "Ab");
  const std::vector<std::string> keys = {"down 66", "up 66", "down 13", "up 13"};
  EXPECT_EQ(modal.Keys, keys);
  EXPECT_EQ(ticksUnderModal, 2);
  EXPECT_EQ(takenDownAfterTick, 3) << "taken down at the key, before the next tick";
  EXPECT_EQ(modal.Paints, 2) << "each flip under the modal paints it";
  EXPECT_EQ(events.Count("keyup 13"), 0);
  EXPECT_EQ(events.Count("keyup 66"), 0);
  EXPECT_EQ(events.Count("keyup 80"), 1);
  EXPECT_EQ(events.Ticks, 4);
}

TEST_F(Windowed, AQuitDuringAModalTakesItDownThenClosesTheMainWindow) {
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  TRecordingModal modal;
  std::vector<std::string> order;
  events.OnTick = [&](int tick) {
    if (tick == 1) {
      PushQuit();
      platform->ShowModal(modal, [&] { order.push_back("taken down"); });
      order.push_back("shown");
    }
  };
  platform->Run(events);
  order.push_back(events.Calls.back());
  EXPECT_EQ(order, (std::vector<std::string>{"shown", "taken down", "close"}));
  EXPECT_FALSE(modal.Closed());
  EXPECT_EQ(events.Ticks, 1);
}

TEST_F(Windowed, AHostRunsTheLoopOneFrameAtATime) {
  platform->Start(events);
  PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushKey(SDL_KEYUP, SDLK_p);
  platform->Frame();
  EXPECT_EQ(events.Count("keyup 80"), 1) << "a frame handles the pending events";
  EXPECT_EQ(events.Ticks, 1) << "the first tick comes at the first focus";
  platform->Frame();
  EXPECT_EQ(events.Ticks, 1) << "the next is due a period later";
  SDL_Delay(2 * TSdlPlatform::TickMilliseconds + 5);
  platform->Frame();
  EXPECT_EQ(events.Ticks, 2) << "one late tick, not a burst";
  EXPECT_EQ(platform->Counts().Ticks, 2);
  EXPECT_GE(platform->Counts().Lag, 1) << "the missed one is counted";
  platform->CloseMainWindow();
  platform->Finish();
  EXPECT_EQ(events.Count("close"), 1);
}

TEST_F(Windowed, WindowSystemServicesWithoutARealScreen) {
  // This program's folder, build/<preset>/tests/, with the separator at the end.
  const std::string exeDir = platform->ExeDir();
  EXPECT_EQ(std::filesystem::canonical(PathOf(exeDir)),
            std::filesystem::canonical(std::filesystem::path(QUELLIX_TOOLS_DIR) / "../tests"));
  EXPECT_EQ(exeDir, FolderText(PathOf(exeDir))) << "ends with a separator";
  platform->ShowMessage("Hello");
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "Quellix: Hello") << "no message box on the dummy driver: logged";
  platform->HideCursor();
  platform->ShowProgress("Loading Sprites...", 10, 100);
  platform->ProcessMessages();
  platform->ShowProgress("Loading Animations...", 70, 100);
  platform->FreeProgress();
  platform->FreeProgress();
  platform->ProcessMessages();
}

// A load over before the player could read it shows no progress window; one that goes
// on has it, until loading ends.
TEST_F(Windowed, TheProgressWindowOpensOnlyOnceLoadingHasGoneOnForHalfASecond) {
  const Uint32 progressWindow = Id() + 1;
  platform->ShowProgress("Loading Sprites...", 10, 100);
  platform->ShowProgress("Loading Animations...", 70, 100);
  EXPECT_EQ(SDL_GetWindowFromID(progressWindow), nullptr);
  SDL_Delay(550);
  platform->ShowProgress("Loading Pattern Data...", 80, 100);
  EXPECT_NE(SDL_GetWindowFromID(progressWindow), nullptr);
  platform->FreeProgress();
  EXPECT_EQ(SDL_GetWindowFromID(progressWindow), nullptr);
}

class Headless : public ::testing::Test {
 protected:
  void SetUp() override { UseDummyDrivers(); }
  THeadlessPlatform platform{{.ExeDir = "/some/where/", .AudioDriver = "none"}};
};

TEST_F(Headless, InjectedMouseArrivesWithTheNextPoll) {
  IInput& input = platform.Input();
  platform.SetMouse(4, -2, true);
  platform.SetMouse(1, 1, true);
  EXPECT_EQ(input.MouseX(), 0) << "not before the poll";
  input.Update();
  EXPECT_EQ(input.MouseX(), 5);
  EXPECT_EQ(input.MouseY(), -1);
  EXPECT_TRUE(input.MouseButton0());
  input.Update();
  EXPECT_EQ(input.MouseX(), 0);
  EXPECT_TRUE(input.MouseButton0()) << "held until released";
  platform.SetMouse(0, 0, false);
  input.Update();
  EXPECT_FALSE(input.MouseButton0());
}

TEST_F(Headless, ATapShorterThanATickReadsAsOnePressThenARelease) {
  IInput& input = platform.Input();
  platform.SetMouse(0, 0, true);
  platform.SetMouse(0, 0, false);
  input.Update();
  EXPECT_TRUE(input.MouseButton0()) << "the press between two polls is not lost";
  input.Update();
  EXPECT_FALSE(input.MouseButton0());
  platform.SetMouse(0, 0, true);
  platform.SetMouse(0, 0, false);
  platform.SetMouse(0, 0, true);
  input.Update();
  input.Update();
  EXPECT_TRUE(input.MouseButton0()) << "pressed again and still held";
}

TEST_F(Headless, TheScreenCanBeReadAndSaved) {
  platform.Display().Fill(RGB(10, 20, 30));
  platform.Display().FillRect({5, 6, 7, 8}, RGB(200, 100, 50));
  EXPECT_EQ(platform.Pixel(5, 6), RGB(200, 100, 50));
  EXPECT_EQ(platform.Pixel(799, 599), RGB(10, 20, 30));
  EXPECT_THROW(platform.Pixel(800, 0), std::out_of_range);
  EXPECT_THROW(platform.Pixel(0, -1), std::out_of_range);
  TTempDir dir;
  platform.SavePng(dir.File("shot.png"));
  media::TSurfacePtr shot(IMG_Load(dir.File("shot.png").c_str()));
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->w, 800);
  EXPECT_EQ(shot->h, 600);
  Uint8 r, g, b;
  SDL_LockSurface(shot.get());
  const auto* px =
      static_cast<const Uint8*>(shot->pixels) + 6 * shot->pitch + 5 * shot->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value, px, shot->format->BytesPerPixel);
  SDL_GetRGB(value, shot->format, &r, &g, &b);
  SDL_UnlockSurface(shot.get());
  EXPECT_EQ(RGB(r, g, b), RGB(200, 100, 50));
  EXPECT_THROW(platform.SavePng(dir.File("no/such/folder/shot.png")), std::runtime_error);
}

TEST_F(Headless, TheDefaultModalScriptTypesTesterAndPressesEnter) {
  TRecordingModal modal;
  bool takenDown = false;
  platform.ShowModal(modal, [&] { takenDown = true; });
  EXPECT_EQ(modal.Text, "Tester");
  const std::vector<std::string> keys = {"down 13", "up 13"};
  EXPECT_EQ(modal.Keys, keys);
  EXPECT_TRUE(modal.Closed());
  EXPECT_TRUE(takenDown) << "at once, the script having closed it";
  EXPECT_EQ(platform.Modal(), nullptr);
  EXPECT_EQ(modal.Paints, 1);
  EXPECT_EQ(platform.Pixel(15, 15), RGB(0, 255, 0));
}

TEST_F(Headless, FlipsDuringAModalPaintItOverTheFrame) {
  TRecordingModal modal;
  platform.ModalScript = [&](IModalWindow& window) {
    platform.Display().Fill(0);
    platform.Display().Flip();
    EXPECT_EQ(platform.Pixel(15, 15), RGB(0, 255, 0));
    window.KeyUp(VK_RETURN);
  };
  platform.ShowModal(modal, {});
  EXPECT_EQ(modal.Paints, 2);
  platform.Display().Fill(0);
  platform.Display().Flip();
  EXPECT_EQ(modal.Paints, 2) << "closed: not painted any more";
  EXPECT_EQ(platform.Pixel(15, 15), 0u);
}

TEST_F(Headless, WithoutAScriptTheDriverTypesAndTakesTheWindowDown) {
  platform.ModalScript = nullptr;
  TRecordingModal outer, inner;
  std::vector<std::string> takenDown;
  platform.ShowModal(outer, [&] { takenDown.push_back("outer"); });
  platform.ShowModal(inner, [&] { takenDown.push_back("inner"); });
  ASSERT_EQ(platform.Modal(), &inner) << "the newest on top";
  platform.Modal()->TextInput("x");
  platform.EndClosedModals();
  EXPECT_TRUE(takenDown.empty()) << "open windows stay";
  platform.Modal()->KeyUp(VK_RETURN);
  platform.EndClosedModals();
  EXPECT_EQ(takenDown, (std::vector<std::string>{"inner"}));
  ASSERT_EQ(platform.Modal(), &outer);
  platform.CloseMainWindow();
  platform.EndClosedModals();
  EXPECT_EQ(takenDown, (std::vector<std::string>{"inner", "outer"})) << "closing ends them all";
  EXPECT_EQ(inner.Text, "x");
  EXPECT_EQ(outer.Text, "");
}

TEST_F(Headless, WindowSystemRequestsAreRecorded) {
  EXPECT_EQ(platform.ExeDir(), "/some/where/");
  platform.SetExeDir("/else/");
  EXPECT_EQ(platform.ExeDir(), "/else/");
  platform.ShowMessage("one");
  platform.ShowMessage("two");
  EXPECT_EQ(platform.Messages, (std::vector<std::string>{"one", "two"}));
  platform.ProcessMessages();
  platform.ProcessMessages();
  EXPECT_EQ(platform.MessagePumps, 2);
  platform.ShowProgress("Loading Sprites...", 10, 100);
  EXPECT_TRUE(platform.ProgressShown);
  platform.FreeProgress();
  EXPECT_FALSE(platform.ProgressShown);
  ASSERT_EQ(platform.Progress.size(), 1u);
  EXPECT_EQ(platform.Progress[0].Text, "Loading Sprites...");
  EXPECT_FALSE(platform.CloseRequested);
  platform.CloseMainWindow();
  EXPECT_TRUE(platform.CloseRequested);
}

TEST_F(Headless, TheSplashPictureIsAPicture) {
  SDL_Renderer* renderer = platform.SdlDisplay().Renderer();
  platform.Display().Fill(0);
  media::DrawSplashPicture(renderer, {0, 0, 300, 300}, nullptr);
  std::set<TColor> colours;
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 300; x += 7) colours.insert(platform.Pixel(x, y));
  EXPECT_GT(colours.size(), 50u);
  EXPECT_EQ(platform.Pixel(300, 150), 0u) << "stays inside its area";
}

}  // namespace
}  // namespace quellix::testing
