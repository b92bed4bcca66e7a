// Smooth motion on the headless back end and the real data: drawing between ticks never
// changes the game (a bot's game drawn smooth, with refreshes between its ticks, leaves
// the same state and the same pixels as the same game drawn classic) and never draws a
// new, gone or jumping thing between places; a bomb wave halfway into a tick is drawn
// halfway between its places.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "game/vtSpriteKinds.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {
namespace {

class TMotionRun {
 public:
  explicit TMotionRun(TMotionStyle style) : platform(Options(data.Dir())), main(platform) {
    auto owned = std::make_unique<TGame>(main);
    game = owned.get();
    main.AdoptGame(std::move(owned));
    main.ChooseMotion(style);
    main.FormActivate();
    main.Random().Seed(2024);
  }

  static media::THeadlessOptions Options(const std::string& dir) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    return {.ExeDir = dir, .AudioDriver = "none"};
  }

  void Tick() { main.TimerEvent(0); }
  void StartEasyGame() {
    platform.SetMouse(130 - game->Title.CursorX(), 295 - game->Title.CursorY(), false);
    Tick();
    platform.SetMouse(0, 0, true);
    Tick();
    platform.SetMouse(0, 0, false);
    Tick();
  }

  // Everything the rules keep that drawing could touch: the shared values and every
  // sprite of both engines with its projector.
  std::string State() {
    const TGameGlobals& g = main.Globals;
    std::string s = std::to_string(g.GameState) + " " + std::to_string(g.Score) + " " +
                    std::to_string(g.Level) + " " + std::to_string(g.SpareShips) + " " +
                    std::to_string(g.ScreenTimer) + " " + std::to_string(main.EnemiesLeft()) + " " +
                    std::to_string(game->Player.ControlX) + " " +
                    std::to_string(game->Player.ControlY) + " " +
                    std::to_string(game->Player.ShieldEnergy) + " " +
                    std::to_string(game->Player.HudRowA) + "\n";
    for (Tvt6Engine* engine : {main.MainEngine(), main.TextEngine()})
      for (int i = 0; i < engine->SpriteCount(); ++i) {
        const Tvt6Sprite& t = *engine->GetSprite(i);
        for (int64_t v :
             {int64_t(t.Serial), int64_t(t.Kind), int64_t(t.X), int64_t(t.Y), int64_t(t.Layer),
              int64_t(t.Dead), int64_t(t.Collidable), int64_t(t.Lifetime), int64_t(t.Alpha),
              int64_t(t.Angle), int64_t(t.ScaleX), int64_t(t.Strength), int64_t(t.Countdown),
              int64_t(t.Projector->Position), int64_t(t.Projector->LifeSpan),
              int64_t(t.Projector->Finished)})
          s += std::to_string(v) + ",";
        s += t.Projector->SceneName + "," + t.Projector->FrameRec.AsString() + "\n";
      }
    return s;
  }
  // Every seventh pixel of the screen.
  std::vector<TColor> Pixels() {
    std::vector<TColor> pixels;
    for (int32_t y = 0; y < ScreenHeight; y += 7)
      for (int32_t x = 0; x < ScreenWidth; x += 7) pixels.push_back(platform.Pixel(x, y));
    return pixels;
  }

  TLinkedGameData data;
  media::THeadlessPlatform platform;
  TfrmMain main;
  TGame* game = nullptr;
};

// Plays the same bot's game on both runs, the smooth one refreshed between its ticks;
// check runs after every tick of the smooth run.
template <class TCheck>
void PlayBoth(TMotionRun& classic, TMotionRun& smooth, int ticks, TCheck check) {
  classic.StartEasyGame();
  smooth.StartEasyGame();
  TRandom bot(77);
  for (int t = 0; t < ticks; ++t) {
    const int32_t dx = bot.Random(61) - 30, dy = bot.Random(61) - 30;
    const bool fire = bot.Random(10) < 8;
    for (TMotionRun* run : {&classic, &smooth}) {
      run->platform.SetMouse(dx, dy, fire);
      if (t % 150 == 60) run->main.FormMouseDown(TMouseButton::Right);
      if (t % 150 == 90) run->main.FormMouseUp(TMouseButton::Right);
      if (t % 300 == 20) run->main.FormKeyUp(VK_SPACE);
    }
    for (double fraction : {0.2, 0.5, 0.9}) smooth.platform.Refresh(fraction);
    classic.Tick();
    smooth.Tick();
    check(t);
  }
}

// Where draw i of a frame must be shown at a fraction, told from the previous frame.
struct TExpectedSlide {
  bool Slides = false;
  int32_t FromX = 0, FromY = 0;
};

TExpectedSlide ExpectedSlide(const TFrame& before, const TFrame& now, size_t i) {
  const TFrameDraw& draw = now.Draws[i];
  if (draw.Identity == 0) return {};
  const auto count = [&](const TFrame& f) {
    return std::count_if(f.Draws.begin(), f.Draws.end(),
                         [&](const TFrameDraw& d) { return d.Identity == draw.Identity; });
  };
  if (count(now) != 1 || count(before) != 1) return {};
  const auto from = std::find_if(before.Draws.begin(), before.Draws.end(),
                                 [&](const TFrameDraw& d) { return d.Identity == draw.Identity; });
  if (std::abs(from->X - draw.X) > TInterpolatedFrames::JumpDistance ||
      std::abs(from->Y - draw.Y) > TInterpolatedFrames::JumpDistance)
    return {};
  return {true, from->X, from->Y};
}

TEST(SmoothMotion, DrawingBetweenTicksChangesNothingAndNeverDrawsANewGoneOrJumpingThingBetween) {
  TMotionRun classic(TMotionStyle::Classic), smooth(TMotionStyle::Smooth);
  ASSERT_EQ(classic.platform.Smooth(), nullptr);
  ASSERT_NE(smooth.platform.Smooth(), nullptr);
  const TInterpolatedFrames& frames = smooth.platform.Smooth()->Frames();
  TFrame before = frames.Latest();
  int slid = 0, stood = 0;
  PlayBoth(classic, smooth, 900, [&](int t) {
    if (t % 100 == 99) {
      ASSERT_EQ(classic.State(), smooth.State()) << "tick " << t;
    }
    const TFrame& now = frames.Latest();
    for (size_t i = 0; i < now.Draws.size(); ++i) {
      const TFrameDraw& draw = now.Draws[i];
      if (draw.FollowX || draw.FollowY) continue;  // the hand's: no pending motion here
      const TExpectedSlide slide = ExpectedSlide(before, now, i);
      for (double f : {0.0, 0.5, 0.75}) {
        const TInterpolatedFrames::TPoint at = frames.PositionOf(i, f);
        if (!slide.Slides) {
          ASSERT_EQ(at, (TInterpolatedFrames::TPoint{draw.X, draw.Y})) << i;
        } else {
          ASSERT_EQ(at.X, slide.FromX + std::lround((draw.X - slide.FromX) * f)) << i;
          ASSERT_EQ(at.Y, slide.FromY + std::lround((draw.Y - slide.FromY) * f)) << i;
        }
      }
      ++(slide.Slides && (slide.FromX != draw.X || slide.FromY != draw.Y) ? slid : stood);
    }
    before = now;
  });
  EXPECT_GT(slid, 1000);
  EXPECT_GT(stood, 1000);
  EXPECT_GT(classic.main.Globals.Score, 0);
  // The frame a smooth tick finishes is shown at once as it stands at the tick's end.
  EXPECT_EQ(classic.Pixels(), smooth.Pixels());
  EXPECT_EQ(classic.main.Random().Random(1 << 30), smooth.main.Random().Random(1 << 30));
}

// The x of the bright blue band of a vertical wave in rows 200 to 209, left half.
int32_t WaveColumn(media::THeadlessPlatform& platform) {
  std::vector<int32_t> xs;
  for (int32_t y = 200; y < 210; ++y)
    for (int32_t x = 0; x < 300; ++x) {
      const TColor c = platform.Pixel(x, y);
      if (RedOf(c) > 150 && GreenOf(c) > 200 && BlueOf(c) > 220) xs.push_back(x);
    }
  if (xs.size() < 10) return -1;
  std::nth_element(xs.begin(), xs.begin() + xs.size() / 2, xs.end());
  return xs[xs.size() / 2];
}

TEST(SmoothMotion, HalfwayIntoATickABombWaveIsDrawnHalfwayBetweenItsPlaces) {
  TMotionRun run(TMotionStyle::Smooth);
  run.StartEasyGame();
  for (int i = 0; i < 5; ++i) run.Tick();
  run.main.FormKeyUp(VK_SPACE);
  run.Tick();
  run.Tick();
  const auto wave = [&] {
    for (int i = 0; i < run.main.MainEngine()->SpriteCount(); ++i) {
      Tvt6Sprite* s = run.main.MainEngine()->GetSprite(i);
      if (s->Kind == kinds::VerticalWave && s->X < 400) return s;
    }
    return static_cast<Tvt6Sprite*>(nullptr);
  };
  ASSERT_NE(wave(), nullptr);
  const int32_t before = wave()->X;
  run.Tick();
  ASSERT_EQ(wave()->X, before + 16);
  // The wave's picture changes from tick to tick: its band is measured in this tick's.
  const int32_t now = WaveColumn(run.platform);
  ASSERT_GE(now, 0);
  run.platform.Refresh(0.5);
  EXPECT_EQ(WaveColumn(run.platform), now - 8);
  run.platform.Refresh(0.25);
  EXPECT_EQ(WaveColumn(run.platform), now - 12);
  run.platform.Refresh(1);
  EXPECT_EQ(WaveColumn(run.platform), now);
}

}  // namespace
}  // namespace quellix::testing
