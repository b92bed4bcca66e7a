// The whole engine on the headless back end: an archive and an animation file on disk,
// a few hundred sprites with movements and behaviours drawn, updated, collided and
// purged for a thousand ticks, and the last frame's pixels checked against what the
// sprites drew.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/vtRandom.h"
#include "config/vtCommaList.h"
#include "engine/vtEngine.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "media/vtEncode.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlHandles.h"
#include "movement/vtBehaviorBlinkSprite.h"
#include "movement/vtMoveOffsetFromSpritePattern.h"
#include "movement/vtMoveOffsetPattern.h"
#include "movement/vtMoveStraightLine.h"
#include "movement/vtMoveStraightWithFriction.h"
#include "movement/vtMoveTowardsSprite.h"
#include "shell/vtErrorLogger.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;

struct TPicture {
  const char* Name;
  int Width, Height;
  TColor Colour;
};

// Every picture is one solid colour, so a pixel tells which sprite is on top.
const TPicture Pictures[] = {
    {"enemy", 12, 12, RGB(220, 30, 30)},  {"shot", 2, 6, RGB(250, 250, 0)},
    {"seeker", 6, 6, RGB(0, 200, 0)},     {"orbit", 4, 4, RGB(0, 220, 220)},
    {"spark", 3, 3, RGB(255, 255, 255)},  {"deco", 5, 5, RGB(40, 40, 250)},
    {"hole", 40, 40, RGB(128, 128, 128)}, {"wave", 800, 8, RGB(160, 0, 160)},
    {"marker", 10, 10, RGB(255, 128, 0)},
};

std::vector<uint8_t> SolidPng(const TPicture& picture) {
  media::TSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, picture.Width, picture.Height, 32,
                                                            SDL_PIXELFORMAT_ARGB8888));
  if (!surface) throw std::runtime_error(SDL_GetError());
  SDL_FillRect(surface.get(), nullptr,
               SDL_MapRGB(surface->format, RedOf(picture.Colour), GreenOf(picture.Colour),
                          BlueOf(picture.Colour)));
  return media::EncodePng(surface.get());
}

std::string Frame(const char* image, int alpha = 255, int angle = 0, int scale = 100) {
  return std::to_string(alpha) + "," + std::to_string(angle) + ",0.5,0.5," + std::to_string(scale) +
         "," + std::to_string(scale) + "," + image + ",1";
}

// The animation file: block scenes, plus two scenes carried inline by the reel header.
std::string AnimationFile() {
  std::string file = "Test animations: this line is never read\n[REELREC]\n";
  file += Join({"play", "test reel", Join({"deco", "", Frame("deco", 200)}),
                Join({"spark", "", Frame("spark"), Frame("spark", 255, 0, 200),
                      Frame("spark", 255, 40)})}) +
          "\n";
  for (const char* scene : {"enemy", "shot", "seeker", "orbit", "hole", "wave", "marker"})
    file += std::string("[SCENEREC]\n") + scene + "\n" + Frame(scene) + "\n[ENDSCENE]\n";
  return file + "[ENDREEL]\n";
}

// One playfield on the headless screen, run by the rules of a small shooter.
class TPlayfield {
 public:
  TPlayfield() : fPlatform(MakeOptions()) {
    TArchiveWriter writer(TArchiveKind::Images);
    for (const TPicture& picture : Pictures) {
      TImageItem item;
      item.Name = picture.Name;
      writer.AddImage(item, SolidPng(picture));
      fPictures[picture.Name] = &picture;
    }
    writer.SaveToFile(fDir.File("sprites.vtg"));
    fPlatform.ImageList().LoadFromFile(fDir.File("sprites.vtg"));
    std::ofstream(fDir.File("quellix.txt"), std::ios::binary) << AnimationFile();

    Engine.Setup(fPlatform.Display(), fPlatform.ImageList(), "", fPlatform.SoundList());
    Engine.LoadAnimations(fDir.File("quellix.txt"));
    Engine.PatternManager().ParseText(
        Join({Join({"loop", "0,0,0,0", "60,0,0,0", "60,60,0,0", "0,60,0,0"}),
              Join({"circle", "12,0,0,0", "8,8,0,0", "0,12,0,0", "-8,8,0,0", "-12,0,0,0",
                    "-8,-8,0,0", "0,-12,0,0", "8,-8,0,0"})}));

    Tvt6Sprite& hole = Spawn("hole", 380, 280, 2, true);
    hole.CollideAdjustX = hole.CollideAdjustY = -40;
    hole.Strength = 1000000;
    for (int i = 0; i < 40; ++i) AddEnemy();
    for (int i = 0; i < 30; ++i) AddSeeker();
    for (int i = 0; i < 150; ++i) AddDecoration(i % 2 == 0);
    Engine.SetLayer(Spawn("marker", 780, 580, 0, false), 3);
  }
  ~TPlayfield() { fRunning = false; }

  void Tick(int tick) {
    if (tick % 2 == 0) AddShot();
    if (tick % 100 == 50) AddWave();
    fPlatform.Display().Fill(0);
    Engine.CollideSprites(1);
    Engine.CollideSpritesMutual(15);
    Engine.CollideSpritesMutual(16);
    Engine.CollideSpritesMutual(19);
    Engine.CollideSprites(24);
    Engine.DrawSprites();
    Engine.UpdateSprites();
    Engine.PurgeSprites();
  }

  // Every draw the next tick makes, in drawing order.
  struct TDraw {
    Tvt6ProjectorRecFrame Rec;
    int32_t SpriteX, SpriteY;
    uint8_t DrawMode;
  };
  std::vector<TDraw> TickRecordingDraws() {
    std::vector<TDraw> draws;
    for (int i = 0; i < Engine.SpriteCount(); ++i) {
      Tvt6Sprite& s = *Engine.GetSprite(i);
      s.Projector->OnAfterDraw = [&draws, &s](Tvt6Projector& p) {
        draws.push_back({p.FrameRec, s.X, s.Y, s.DrawMode});
      };
    }
    fPlatform.Display().Fill(0);
    Engine.CollideSprites(1);
    Engine.CollideSpritesMutual(15);
    Engine.DrawSprites();
    return draws;
  }

  TColor Pixel(int x, int y) { return fPlatform.Pixel(x, y); }
  const TPicture& Picture(const std::string& image) const { return *fPictures.at(image); }

  TfrmErrorLog Log{[] { return std::string("stamp"); }};
  TRandom Random{20240611};
  int Kills = 0;
  int WaveKills = 0;
  int Launched = 0;

 private:
  static media::THeadlessOptions MakeOptions() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    media::THeadlessOptions options;
    options.AudioDriver = "none";
    return options;
  }

  Tvt6Sprite& Spawn(const char* scene, int32_t x, int32_t y, int32_t kind, bool collidable,
                    int32_t lifetime = Tvt6Sprite::NotSet) {
    Tvt6Sprite& s = Engine.NewSprite();
    s.Place(x, y, lifetime, collidable);
    s.Projector->QuickInit("PLAY", scene, Tvt6Projector::NotSet);  // names ignore case
    s.Kind = kind;
    return s;
  }

  Tvt6Sprite* RandomEnemy() {
    std::vector<Tvt6Sprite*> enemies;
    for (int i = 0; i < Engine.SpriteCount(); ++i)
      if (Engine.GetSprite(i)->Kind == 3 && !Engine.GetSprite(i)->Dead)
        enemies.push_back(Engine.GetSprite(i));
    return enemies.empty() ? nullptr
                           : enemies[static_cast<size_t>(Random(int32_t(enemies.size())))];
  }

  void AddEnemy() {
    ++Launched;
    Tvt6Sprite& enemy = Spawn("enemy", 380, 280, 3, true);
    Engine.SetLayer(enemy, 1);
    enemy.Strength = 3;
    enemy.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>())
        .Init(Engine.PatternManager().FindPattern("loop"), 0, 3 + Random(4), 3 + Random(4),
              20 + Random(700), 20 + Random(480), true, true, false);
    // A satellite circles it and goes with it.
    Tvt6Sprite& orbit = Spawn("orbit", enemy.X, enemy.Y, 0, false);
    Engine.SetLayer(orbit, 1);
    orbit.Parent = enemy;
    orbit.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>())
        .Init(enemy, Engine.PatternManager().FindPattern("circle"), Random(8), 4, 4, true, true,
              false);
    enemy.OnKillSelf.Subscribe(this, [this](Tvt6Sprite* going, const void*) {
      if (!fRunning) return;
      Engine.KillLinked(*going);
      for (int i = 0; i < 4; ++i) AddSpark(going->X, going->Y);
      AddEnemy();
    });
  }

  void AddSeeker() {
    Tvt6Sprite& seeker = Spawn("seeker", Random(800), Random(600), 0, false);
    Engine.SetLayer(seeker, 2);
    auto& homing = seeker.AddBehavior(std::make_unique<Tvt6Move_MoveTowardsSprite>());
    homing.Init(1 + Random(3), 1 + Random(3), RandomEnemy());
    // A seeker whose target has gone picks another.
    seeker.OnTick = [this, &homing](Tvt6Sprite&) {
      if (!homing.Target) homing.Target = RandomEnemy();
    };
  }

  // Half of them fade in and then stay opaque; the rest keep their frame's alpha.
  void AddDecoration(bool fadeIn) {
    Tvt6Sprite& deco = Spawn("deco", Random(800), Random(600), 0, false);
    deco.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>())
        .SetSpeed(Random(3) - 1, 1 + Random(2));
    if (fadeIn)
      deco.AddBehavior(std::make_unique<Tvt6Behavior_BlinkSprite>()).Init(0, 5 + Random(20), 255);
    deco.OnTick = [](Tvt6Sprite& s) {
      s.X = (s.X + ScreenWidth) % ScreenWidth;
      s.Y %= ScreenHeight;
    };
  }

  void AddSpark(int32_t x, int32_t y) {
    Tvt6Sprite& spark = Spawn("spark", x, y, 0, false, 10 + Random(20));
    spark.DrawMode = Tvt6Sprite::dmCentered;
    Engine.SetLayer(spark, 2);
    const int32_t sx = Random(9) - 4, sy = Random(9) - 4;
    spark.AddBehavior(std::make_unique<TvtMove_StraightWithFriction>())
        .Init(sx, sy, sx > 0 ? -1 : 1, sy > 0 ? -1 : 1, 2, 2, 6, 6, -6, -6);
  }

  void AddShot() {
    Tvt6Sprite& shot = Spawn("shot", Random(800), 600, 1, true, 70);
    Engine.SetLayer(shot, 2);
    shot.Strength = 1;
    shot.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(0, -9);
    shot.OnCollide = [this](Tvt6Sprite& hitter, Tvt6Sprite& target) {
      if (hitter.Dead) return;
      hitter.Dead = true;
      target.Strength -= hitter.Strength;
      if (target.Kind == 3 && target.Strength <= 0 && !target.Dead) {
        target.Dead = true;
        ++Kills;
      }
    };
  }

  void AddWave() {
    Tvt6Sprite& wave = Spawn("wave", 0, 0, 15, true, 60);
    Engine.SetLayer(wave, 2);
    wave.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(0, 10);
    wave.OnCollide = [this](Tvt6Sprite&, Tvt6Sprite& target) {
      if (target.Kind == 3 && !target.Dead) {
        target.Dead = true;
        ++WaveKills;
      }
    };
  }

  testing::TTempDir fDir;
  media::THeadlessPlatform fPlatform;
  TVintorContext fContext{Log, Random, fPlatform};
  std::map<std::string, const TPicture*> fPictures;
  bool fRunning = true;

 public:
  Tvt6Engine Engine{fContext};
};

// What a probe of the screen should show: a colour that is exact, one that is blended
// (near), or nothing known (a turned picture was drawn there).
struct TExpected {
  enum { Exact, Near, Unknown } State = Exact;
  TColor Colour = 0;
};

void Paint(std::vector<TExpected>& model, const TRect& rect, TColor colour, int alpha,
           bool unknown) {
  for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, ScreenHeight); ++y)
    for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, ScreenWidth); ++x) {
      TExpected& e = model[static_cast<size_t>(y * ScreenWidth + x)];
      if (unknown) {
        e.State = TExpected::Unknown;
      } else if (alpha >= 255) {
        e = {TExpected::Exact, colour};
      } else if (e.State != TExpected::Unknown) {
        auto mix = [alpha](int src, int dst) { return (src * alpha + dst * (255 - alpha)) / 255; };
        e.Colour = RGB(uint8_t(mix(RedOf(colour), RedOf(e.Colour))),
                       uint8_t(mix(GreenOf(colour), GreenOf(e.Colour))),
                       uint8_t(mix(BlueOf(colour), BlueOf(e.Colour))));
        e.State = TExpected::Near;
      }
    }
}

bool Close(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

TEST(EngineHeadless, AThousandTicksOfAPlayfieldDrawWhatTheSpritesSay) {
  TPlayfield field;
  Tvt6Engine& engine = field.Engine;
  int mostSprites = 0;
  for (int tick = 0; tick < 1000; ++tick) {
    field.Tick(tick);
    mostSprites = std::max(mostSprites, engine.SpriteCount());
    ASSERT_LT(engine.SpriteCount(), 1000) << "tick " << tick;
  }
  EXPECT_GT(mostSprites, 250);
  EXPECT_GT(field.Kills, 20) << "shots wore enemies down";
  EXPECT_GT(field.WaveKills, 5) << "waves hit every enemy they touched";
  EXPECT_GT(field.Launched, 40 + field.Kills);
  EXPECT_TRUE(field.Log.Lines().size() == 1) << "nothing was logged: " << field.Log.Lines().back();

  // The last frame: every draw is recorded as it is made, then the screen is compared
  // with a model painted from those records, probe by probe.
  const auto draws = field.TickRecordingDraws();
  ASSERT_GT(draws.size(), 250u);
  std::vector<TExpected> model(ScreenWidth * ScreenHeight);
  int centred = 0, blended = 0;
  for (const auto& d : draws) {
    const Tvt6ProjectorRecFrame& r = d.Rec;
    const TPicture& picture = field.Picture(r.ImageName);
    const TColor colour = picture.Colour;
    if (d.DrawMode == Tvt6Sprite::dmImage) {
      EXPECT_EQ(r.X, d.SpriteX);
      EXPECT_EQ(r.Y, d.SpriteY);
    } else {
      ++centred;  // the picture's own centre on the sprite's position
      EXPECT_EQ(r.X, d.SpriteX - picture.Width / 2);
      EXPECT_EQ(r.Y, d.SpriteY - picture.Height / 2);
    }
    switch (r.Mode) {
      case Tvt6ProjectorRecFrame::Plain:
      case Tvt6ProjectorRecFrame::Stretched:
        Paint(model, Bounds(r.X, r.Y, r.Width, r.Height), colour, 255, false);
        break;
      case Tvt6ProjectorRecFrame::AlphaBlend:
        ++blended;
        Paint(model, Bounds(r.X, r.Y, r.Width, r.Height), colour, r.Alpha, false);
        break;
      default: {
        const int reach = static_cast<int>(std::ceil(std::hypot(r.Width, r.Height))) + 1;
        Paint(model, Bounds(r.X - reach, r.Y - reach, 2 * reach, 2 * reach), 0, 255, true);
        break;
      }
    }
  }
  EXPECT_GT(blended, 0);
  EXPECT_GT(centred, 0);

  int exact = 0, near = 0, background = 0;
  for (int y = 0; y < ScreenHeight; y += 3)
    for (int x = 0; x < ScreenWidth; x += 3) {
      const TExpected& e = model[static_cast<size_t>(y * ScreenWidth + x)];
      if (e.State == TExpected::Unknown) continue;
      const TColor seen = field.Pixel(x, y);
      if (e.State == TExpected::Exact) {
        ASSERT_EQ(seen, e.Colour) << "at " << x << "," << y;
        (e.Colour == 0 ? background : exact)++;
      } else {
        ASSERT_TRUE(Close(seen, e.Colour, 4)) << "at " << x << "," << y;
        ++near;
      }
    }
  EXPECT_GT(exact, 300);
  EXPECT_GT(background, 20000);
  EXPECT_GT(near, 20);
  // The marker is always on top in the corner.
  EXPECT_EQ(field.Pixel(785, 585), field.Picture("marker").Colour);
}

}  // namespace
}  // namespace quellix
