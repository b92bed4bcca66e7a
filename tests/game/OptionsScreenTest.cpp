// The options screen played on the headless back end as a recorded session: every
// option changed once by the mouse, the keys or a virtual controller, a key and buttons
// bound by pressing them (keys and buttons the game needs refused with a word), each
// change written to settings.txt at once and read back at the next start; a bad value
// in the file falls back to its default with a log line; and the recorded session
// plays back to the same options without writing any file.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "SilentHeadless.h"
#include "engine/vtEngine.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "shell/vtReplayRecorder.h"
#include "support/vtLinkedGameData.h"
#include "support/vtVirtualPad.h"

namespace quellix::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Where the cursor clicks: the title's options zone, and on the options screen the
// arrows beside a row's value (rows 31 pixels apart from y 108).
struct TPoint {
  int32_t X, Y;
};
constexpr TPoint OptionsZone = {255, 475};
TPoint LeftArrow(int row) {
  return {415, 108 + 31 * row + 15};
}
TPoint RightArrow(int row) {
  return {705, 108 + 31 * row + 15};
}

// One start of the program over a folder, with a virtual controller's events reaching
// the window, behind a recorder of the session or a player of one.
class TOptionsRun {
 public:
  TOptionsRun(const std::string& dir, const TReplay* replay = nullptr) : platform(Options(dir)) {
    IPlatform* inner = &platform;
    if (replay) {
      player = std::make_unique<TReplayPlayer>(platform, *replay, "options session");
      inner = player.get();
    } else {
      recorder = std::make_unique<TReplayRecorder>(platform, TStartOptions{});
      inner = recorder.get();
    }
    main = std::make_unique<TfrmMain>(*inner);
    auto owned = std::make_unique<TGame>(*main);
    game = owned.get();
    main->AdoptGame(std::move(owned));
    if (player) {
      player->Attach(*main);
      events = player.get();
      return;
    }
    recorder->Attach(*main);
    events = recorder.get();
    events->FormActivate();
  }
  ~TOptionsRun() { events->FormClose(); }

  static media::THeadlessOptions Options(const std::string& dir) {
    media::THeadlessOptions options = Silent(dir);
    options.Gamepads = true;
    return options;
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) {
      platform.PumpGamepads(*events);
      events->TimerEvent(0);
    }
  }
  // The cursor moved onto the point in one tick (within the mouse's speed), then a press
  // and a release there.
  void Click(TPoint p) {
    const TfrmTitleScreen& title = game->Title;
    const int32_t speed = platform.Mouse().Speed();
    platform.SetMouse((p.X - title.CursorX()) / speed, (p.Y - title.CursorY()) / speed, false);
    Tick();
    platform.SetMouse(0, 0, true);
    Tick();
    platform.SetMouse(0, 0, false);
    Tick();
  }
  void Key(int32_t key) {
    events->FormKeyUp(key);
    Tick();
  }
  void Tap(TVirtualPad& pad, SDL_GameControllerButton button) {
    pad.Button(button, true);
    Tick();
    pad.Button(button, false);
    Tick();
  }
  std::string Log() const {
    std::string all;
    for (const std::string& line : main->ErrorLog().Lines()) all += line + "\n";
    return all;
  }

  media::THeadlessPlatform platform;
  std::unique_ptr<TReplayRecorder> recorder;
  std::unique_ptr<TReplayPlayer> player;
  std::unique_ptr<TfrmMain> main;
  TGame* game = nullptr;
  IMainWindowEvents* events = nullptr;
};

TEST(OptionsScreen, EachOptionChangedByMouseKeysAndControllerIsSavedAndReadBack) {
  TLinkedGameData data;
  const std::string settingsFile = data.Dir() + "settings.txt";
  TReplay session;
  TGameSettings chosen;
  {
    TOptionsRun run(data.Dir());
    auto pad = std::make_unique<TVirtualPad>();
    run.Tick();
    ASSERT_EQ(run.platform.Gamepads()->Count(), 1);
    run.Click(OptionsZone);
    ASSERT_EQ(run.main->Globals.GameState, gsOptions);
    TOptionsScreen& options = run.game->Options;
    const auto setting = [&] { return run.main->Settings(); };

    // The volume: the mouse on its left arrow, then the Left key, then the pad's left.
    run.Click(LeftArrow(0));
    EXPECT_EQ(setting().Volume, 90);
    EXPECT_EQ(run.platform.SdlSounds().Volume(), 90);
    run.Key(VK_LEFT);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(setting().Volume, 70);
    EXPECT_NE(ReadFile(settingsFile).find("\nvolume = 70\n"), std::string::npos);

    // The display by the keys: a window at once.
    run.Key(VK_DOWN);
    run.Key(VK_RIGHT);
    EXPECT_FALSE(run.platform.DisplayMode().FullScreen);
    // Scaling by the pad: whole multiples, then stretched.
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(run.platform.DisplayMode().Scaling, TScaling::Whole);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    // Filtering by the mouse.
    run.Click(RightArrow(3));
    EXPECT_EQ(run.platform.DisplayMode().Filter, TFilter::Smooth);
    EXPECT_EQ(run.platform.DisplayMode().Scaling, TScaling::Stretch);
    // Motion by the keys: taken with Enter, drawn once per tick from the next tick on.
    run.Key(VK_DOWN);
    EXPECT_EQ(options.OptionRows().at(4).Value(), "SMOOTH");
    EXPECT_EQ(run.platform.MotionStyle(), TMotionStyle::Smooth);
    run.Key(VK_RETURN);
    EXPECT_EQ(options.OptionRows().at(4).Value(), "CLASSIC");
    EXPECT_EQ(run.platform.MotionStyle(), TMotionStyle::Classic);
    // The mouse's speed by the pad: three times what the mouse does moves the cursor
    // (off the list, to the right of the arrows, which leaves the chosen row).
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(setting().MouseSpeed, 3);
    const int32_t cursorX = run.game->Title.CursorX();
    run.platform.SetMouse(10, 0, false);
    run.Tick();
    EXPECT_EQ(run.game->Title.CursorX(), cursorX + 30);

    // The bomb key by the keys: Enter waits for a key; Backspace is needed elsewhere, B
    // it is.
    run.Key(VK_DOWN);
    ASSERT_EQ(run.main->Globals.GameState, gsOptions);
    run.Key(VK_RETURN);
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::BombKey);
    run.Key(VK_BACK);
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::BombKey) << "Backspace is refused";
    run.Key('B');
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::Nothing);
    EXPECT_EQ(run.main->BombKey(), 'B');

    // The controller's fire: Start takes the row, RB is pressed for it.
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::PadButton)
        << "Start's own release is not the answer";
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_EQ(setting().Pad.Fire, TPadButton::RightShoulder);
    // Pause, by a click: the pad's arrows are refused, X is taken from the bomb, which
    // takes Start.
    run.Click({200, 108 + 31 * 10 + 15});
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::PadButton);
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(options.WaitingFor(), TOptionsScreen::TWaitFor::PadButton) << "the pad is refused";
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(setting().Pad.Pause, TPadButton::X);
    EXPECT_EQ(setting().Pad.Bomb, TPadButton::Start);
    EXPECT_EQ(run.platform.Gamepads()->Bindings(), setting().Pad);

    // Back to the title with the controller's Back.
    run.Tap(*pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(run.main->Globals.GameState, gsTitle);
    chosen = setting();
    session = run.recorder->Replay();
  }
  const std::string saved = ReadFile(settingsFile);
  for (const char* line :
       {"\nvolume = 70\n", "\ndisplay = window\n", "\nscaling = stretch\n", "\nfilter = smooth\n",
        "\nmotion = classic\n", "\nmouse_speed = 3\n", "\nbomb_key = b\n",
        "\npad_fire = rightshoulder\n", "\npad_bomb = start\n", "\npad_pause = x\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;

  {
    // The next start reads them back and gives them to the platform.
    TOptionsRun run(data.Dir());
    EXPECT_EQ(run.main->Settings(), chosen);
    EXPECT_EQ(run.main->Motion(), TMotionStyle::Classic);
    EXPECT_EQ(run.main->BombKey(), 'B');
    EXPECT_EQ(run.platform.SdlSounds().Volume(), 70);
    EXPECT_EQ(run.platform.DisplayMode().Scaling, TScaling::Stretch);
    EXPECT_FALSE(run.platform.DisplayMode().FullScreen);
    EXPECT_EQ(run.platform.Mouse().Speed(), 3);
    EXPECT_EQ(run.platform.Gamepads()->Bindings(), chosen.Pad);
    // A session recorded from here holds the bomb key it started with.
    EXPECT_EQ(run.recorder->Replay().Option("bomb-key"), "66");
  }
  {
    // A bad value falls back to its default, with a line in the log; the rest stays.
    std::string text = saved;
    text.replace(text.find("volume = 70"), 11, "volume = loud");
    std::ofstream(settingsFile, std::ios::binary | std::ios::trunc) << text;
    TOptionsRun run(data.Dir());
    EXPECT_NE(run.Log().find(": volume must be a whole number from 0 to 100, not \"loud\""),
              std::string::npos)
        << run.Log();
    EXPECT_EQ(run.main->Settings().Volume, 100);
    EXPECT_EQ(run.platform.SdlSounds().Volume(), 100);
    EXPECT_EQ(run.main->Settings().MouseSpeed, 3);
  }
  {
    // The recorded session plays back to the same options on a folder of its own, and
    // writes nothing there.
    TLinkedGameData other;
    TOptionsRun run(other.Dir(), &session);
    while (!run.player->Done()) run.Tick();
    EXPECT_EQ(run.player->State(), TReplayPlayer::TState::Finished) << run.player->OutOfStep();
    TGameSettings replayed = run.main->Settings();
    replayed.Display.Window = chosen.Display.Window;
    EXPECT_EQ(replayed, chosen);
    EXPECT_FALSE(std::filesystem::exists(other.Dir() + "settings.txt"));
  }
}

}  // namespace
}  // namespace quellix::testing
