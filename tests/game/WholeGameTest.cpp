// The whole game on the headless back end and the real data: started from the title
// screen with the mouse, played by a simple bot that steers, fires, raises shields and
// drops bombs, and replayed from the same seed and input.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>

#include "SilentHeadless.h"
#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {
namespace {

// What a run ended with; two runs of the same seed and input must agree on all of it.
struct TOutcome {
  int32_t Score, Level, SpareShips, EnemiesLeft, MainSprites, TextSprites;
  TGameState State;
  TColor Probe1, Probe2, Probe3;
  bool operator==(const TOutcome&) const = default;
};

class TGameRun {
 public:
  TGameRun() : platform(Silent(data.Dir())), main(platform) {
    auto owned = std::make_unique<TGame>(main);
    game = owned.get();
    main.AdoptGame(std::move(owned));
    main.FormActivate();
    main.Random().Seed(2024);
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) main.TimerEvent(0);
  }
  // Moves the title's cursor onto a point and clicks there.
  void ClickTitleAt(int32_t x, int32_t y) {
    platform.SetMouse(x - game->Title.CursorX(), y - game->Title.CursorY(), false);
    Tick();
    platform.SetMouse(0, 0, true);
    Tick();
    platform.SetMouse(0, 0, false);
    Tick();
  }
  // Steers, fires, raises shields now and then and drops a bomb from time to time; its
  // choices come from a generator of its own, so the game's draws are untouched.
  void PlayBot(int ticks, uint64_t seed) {
    TRandom bot(seed);
    for (int t = 0; t < ticks; ++t) {
      platform.SetMouse(bot.Random(41) - 20, bot.Random(41) - 20, bot.Random(10) < 8);
      if (t % 200 == 100) main.FormMouseDown(TMouseButton::Right);
      if (t % 200 == 130) main.FormMouseUp(TMouseButton::Right);
      if (t % 500 == 250) main.FormKeyUp(VK_SPACE);
      Tick();
    }
  }
  TOutcome Outcome() {
    return {main.Globals.Score,
            main.Globals.Level,
            main.Globals.SpareShips,
            main.EnemiesLeft(),
            main.MainEngine()->SpriteCount(),
            main.TextEngine()->SpriteCount(),
            main.Globals.GameState,
            platform.Pixel(400, 300),
            platform.Pixel(100, 450),
            platform.Pixel(700, 120)};
  }
  // Log entries past the start-up lines: errors caught while playing.
  std::string ErrorsLogged() {
    std::string all;
    bool started = false;
    for (const std::string& line : main.ErrorLog().Lines()) {
      if (line == "Going into Game Running Mode...")
        started = true;
      else if (started && line.find("report") != std::string::npos)
        all += line + "\n";
    }
    return all;
  }

  TLinkedGameData data;
  media::THeadlessPlatform platform;
  TfrmMain main;
  TGame* game = nullptr;
};

std::string Shot(const char* name) {
  return std::string(QUELLIX_RUN_DIR) + "/../" + name;
}

TEST(WholeGame, StartsFromTheTitleAndPlaysALevelWithoutErrors) {
  TGameRun run;
  ASSERT_EQ(run.main.Globals.GameState, gsTitle);
  run.Tick(3);
  run.platform.SavePng(Shot("whole-game-title.png"));

  run.ClickTitleAt(120, 290);  // "easy"
  ASSERT_EQ(run.main.Globals.GameState, gsPlaying);
  EXPECT_EQ(run.main.Globals.Level, 1);
  EXPECT_GT(run.main.EnemiesLeft(), 0);

  run.PlayBot(400, 7);
  run.platform.SavePng(Shot("whole-game-play.png"));
  EXPECT_GT(run.main.Globals.Score, 0);
  EXPECT_EQ(run.ErrorsLogged(), "");

  // Play on until the first level is won or the game is over.
  for (int i = 0; i < 20 && run.main.Globals.Level == 1 && run.main.Globals.GameState != gsTitle;
       ++i)
    run.PlayBot(250, 100 + i);
  EXPECT_TRUE(run.main.Globals.Level >= 2 || run.main.Globals.GameState != gsPlaying)
      << "level " << run.main.Globals.Level << ", enemies left " << run.main.EnemiesLeft();
  EXPECT_EQ(run.ErrorsLogged(), "");

  // Esc goes back to the title from anywhere.
  run.main.FormKeyUp(VK_ESCAPE);
  run.Tick(2);
  EXPECT_EQ(run.main.Globals.GameState, gsTitle);
}

TEST(WholeGame, TheSameSeedAndInputReplayTheSameGame) {
  TOutcome outcomes[2];
  for (TOutcome& outcome : outcomes) {
    TGameRun run;
    run.ClickTitleAt(380, 290);  // "normal"
    run.PlayBot(300, 11);
    outcome = run.Outcome();
  }
  EXPECT_EQ(outcomes[0], outcomes[1]);
  EXPECT_GT(outcomes[0].Score, 0);
}

}  // namespace
}  // namespace quellix::testing
