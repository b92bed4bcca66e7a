// Cost of one engine tick: the five collision passes, drawing, updating and purging a
// playfield of 50 collidable targets, 40 shots and 1,000 sprites that collide with
// nothing, beside the same draws made straight through the image list. Heap
// allocations per tick are counted by replacing the global operator new: a tick makes
// none beyond the sprites it creates.
//
// Each runs twice: on the headless back end (SDL's software renderer, real pixels) and
// on the simulator's quiet media, which draw nothing and leave the engine's own cost.
//
// Smooth motion: one refresh drawn from the frame the same playfield's tick recorded
// (every sprite moved halfway between its places of the last two ticks), beside the
// tick's own drawing (fill, every sprite through its projector, flip), both headless.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <SDL.h>

#include "base/vtRandom.h"
#include "config/vtCommaList.h"
#include "engine/vtEngine.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "graphics/vtPlatform.h"
#include "graphics/vtSmoothScreen.h"
#include "media/vtEncode.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlHandles.h"
#include "movement/vtMoveOffsetPattern.h"
#include "movement/vtMoveStraightLine.h"
#include "shell/vtErrorLogger.h"
#include "support/vtAllocationCount.h"
#include "vtSimPlatform.h"

namespace quellix {
namespace {

struct TPictureSpec {
  const char* Name;
  int Width, Height;
};
const TPictureSpec Pictures[] = {{"target", 32, 32}, {"shot", 4, 10},   {"deco0", 16, 16},
                                 {"deco1", 16, 16},  {"deco2", 16, 16}, {"deco3", 16, 16}};

// The pictures as an image archive, read by the platform's image list.
void LoadPictures(IPlatform& platform) {
  TArchiveWriter writer(TArchiveKind::Images);
  int shade = 60;
  for (const TPictureSpec& p : Pictures) {
    media::TSurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, p.Width, p.Height, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, 200, shade, 255 - shade));
    shade += 30;
    TImageItem item;
    item.Name = p.Name;
    writer.AddImage(item, media::EncodePng(surface.get()));
  }
  const std::string path = "bench_engine.vtg";
  writer.SaveToFile(path);
  platform.ImageList().LoadFromFile(path);
  std::remove(path.c_str());
}

constexpr int Targets = 50;
constexpr int Shots = 40;
constexpr int Decorations = 1000;

// The playfield of one benchmark: the engine and everything it draws with.
class TPlayfield {
 public:
  // With churn, a shot that hits something dies and a new one takes its place.
  // Draws on the platform's display and images, or on the ones given.
  TPlayfield(IPlatform& platform, bool churn, IDisplay* display = nullptr,
             IImageList* images = nullptr)
      : fPlatform(platform),
        fDisplay(display ? *display : platform.Display()),
        fImages(images ? *images : platform.ImageList()),
        fChurn(churn) {
    fEngine.Setup(fDisplay, fImages, "", platform.SoundList());
    Tvt6AnimationEngine& anims = *fEngine.AnimationEngine();
    anims.LoadFromStrings(
        {"", "[REELREC]", "bench", "[SCENEREC]", "target", "255,0,0.5,0.5,100,100,target,1",
         "[ENDSCENE]", "[SCENEREC]", "shot", "255,0,0.5,0.5,100,100,shot,1", "[ENDSCENE]",
         "[SCENEREC]", "deco", "255,0,0.5,0.5,100,100,deco0,1", "255,0,0.5,0.5,100,100,deco1,1",
         "200,0,0.5,0.5,100,100,deco2,1", "255,16,0.5,0.5,100,100,deco3,1", "[ENDSCENE]"});
    anims.LinkImages(fImages);
    fEngine.PatternManager().ParseText(
        Join({Join({"box", "0,0,0,0", "24,0,0,0", "24,24,0,0", "0,24,0,0"})}));

    for (int i = 0; i < Decorations; ++i) {
      Tvt6Sprite& s = NewSprite("deco", fRandom(784), fRandom(584), 0, false);
      auto& line = s.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>());
      line.SetSpeed(1 + fRandom(3), 1 + fRandom(2));
      s.OnTick = Wrap;
      s.Projector->Position = fRandom(4);
    }
    for (int i = 0; i < Targets; ++i) {
      Tvt6Sprite& s = NewSprite("target", 40 + (i % 10) * 72, 60 + (i / 10) * 64, 3, true);
      fEngine.SetLayer(s, 1);
      auto& walk = s.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>());
      walk.Init(fEngine.PatternManager().FindPattern("box"), 0, 2, 2, s.X, s.Y, true, true, false);
    }
    for (int i = 0; i < Shots; ++i) AddShot(i * 20, 600 - (i * 37) % 600);
  }

  ~TPlayfield() { fChurn = false; }

  void EngineTick() {
    const int before = fEngine.SpriteCount();
    fEngine.CollideSprites(1);
    fEngine.CollideSpritesMutual(15);
    fEngine.CollideSpritesMutual(16);
    fEngine.CollideSpritesMutual(19);
    fEngine.CollideSprites(24);
    fEngine.DrawSprites();
    fEngine.UpdateSprites();
    fEngine.PurgeSprites();
    fCreated += fEngine.SpriteCount() - before + fDied;
    fDied = 0;
  }

  // The tick's drawing: the fill, every sprite, the flip.
  void TickDraw() {
    fDisplay.Fill(0);
    fEngine.DrawSprites();
    fDisplay.Flip();
  }

  // The draws of the latest engine tick, made straight through the image list.
  void StraightDraws() {
    for (const TDraw& d : fDraws) switch (d.Rec->Mode) {
        case Tvt6ProjectorRecFrame::RotatedBlend:
          fImages.DrawRotateAlpha(d.Index, d.Rec->X, d.Rec->Y, d.Rec->Width, d.Rec->Height,
                                  d.Rec->CenterX, d.Rec->CenterY, d.Rec->Angle, d.Rec->Alpha);
          break;
        case Tvt6ProjectorRecFrame::Stretched:
          fImages.StretchDraw(d.Index, Bounds(d.Rec->X, d.Rec->Y, d.Rec->Width, d.Rec->Height));
          break;
        case Tvt6ProjectorRecFrame::AlphaBlend:
          fImages.DrawAlpha(d.Index, Bounds(d.Rec->X, d.Rec->Y, d.Rec->Width, d.Rec->Height),
                            d.Rec->Alpha);
          break;
        default:
          fImages.Draw(d.Index, d.Rec->X, d.Rec->Y);
          break;
      }
  }
  void RecordDraws() {
    fDraws.clear();
    for (int i = 0; i < fEngine.SpriteCount(); ++i) {
      const Tvt6ProjectorRecFrame& rec = fEngine.GetSprite(i)->Projector->FrameRec;
      fDraws.push_back({&rec, fImages.IndexOf(rec.ImageName)});
    }
  }

  int64_t Hits() const { return fHits; }
  int64_t Created() const { return fCreated; }

 private:
  struct TDraw {
    const Tvt6ProjectorRecFrame* Rec;
    int32_t Index;
  };

  static void Wrap(Tvt6Sprite& s) {
    if (s.X > ScreenWidth) s.X -= ScreenWidth;
    if (s.Y > ScreenHeight) s.Y -= ScreenHeight;
    if (s.Y < -16) s.Y += ScreenHeight;
  }

  Tvt6Sprite& NewSprite(const char* scene, int32_t x, int32_t y, int32_t kind, bool collidable) {
    Tvt6Sprite& s = fEngine.NewSprite();
    s.Place(x, y, Tvt6Sprite::NotSet, collidable);
    s.Projector->QuickInit("bench", scene, Tvt6Projector::NotSet);
    s.Kind = kind;
    return s;
  }

  void AddShot(int32_t x, int32_t y) {
    Tvt6Sprite& s = NewSprite("shot", x, y, 1, true);
    fEngine.SetLayer(s, 2);
    s.AddBehavior(std::make_unique<Tvt6SpriteMove_StraightLine>()).SetSpeed(0, -8);
    s.OnTick = Wrap;
    s.OnCollide = [this](Tvt6Sprite& shot, Tvt6Sprite&) {
      ++fHits;
      if (fChurn) shot.Dead = true;
    };
    // Only while playing: a shot made while the engine is cleared would be cleared in
    // turn, and make another.
    s.OnKillSelf.Subscribe(this, [this](Tvt6Sprite* shot, const void*) {
      if (!fChurn) return;
      ++fDied;
      AddShot(shot->X, ScreenHeight);
    });
  }

  TfrmErrorLog fLog{[] { return std::string(); }};
  TRandom fRandom{2024};
  IPlatform& fPlatform;
  IDisplay& fDisplay;
  IImageList& fImages;
  TVintorContext fContext{fLog, fRandom, fPlatform};
  Tvt6Engine fEngine{fContext};
  bool fChurn;
  int64_t fHits = 0;
  int64_t fCreated = 0;
  int fDied = 0;
  std::vector<TDraw> fDraws;
};

// The two media layers a playfield can run on, each with its pictures loaded.
struct TQuietMedia {
  std::unique_ptr<sim::TSimPlatform> Owned = sim::MakeQuietPlatform("./");
  IPlatform& Platform = *Owned;
  TQuietMedia() { LoadPictures(Platform); }
};

struct THeadlessMedia {
  media::THeadlessPlatform Platform{{.ExeDir = "./", .AudioDriver = "none"}};
  THeadlessMedia() { LoadPictures(Platform); }
};

void Report(benchmark::State& state, uint64_t allocations, int64_t created) {
  using benchmark::Counter;
  state.counters["allocs_per_tick"] =
      Counter(static_cast<double>(allocations), Counter::kAvgIterations);
  state.counters["new_sprites_per_tick"] =
      Counter(static_cast<double>(created), Counter::kAvgIterations);
}

template <class TMedia>
void EngineTick(benchmark::State& state, bool churn) {
  TMedia media;
  TPlayfield field(media.Platform, churn);
  field.EngineTick();  // warm up: first-use work is not a tick's
  const uint64_t allocations = bench::AllocationCount();
  const int64_t created = field.Created();
  for (auto _ : state) field.EngineTick();
  Report(state, bench::AllocationCount() - allocations, field.Created() - created);
  state.counters["hits_per_tick"] =
      benchmark::Counter(static_cast<double>(field.Hits()), benchmark::Counter::kAvgIterations);
}

template <class TMedia>
void StraightDraws(benchmark::State& state) {
  TMedia media;
  TPlayfield field(media.Platform, false);
  field.EngineTick();
  field.RecordDraws();
  field.StraightDraws();
  const uint64_t allocations = bench::AllocationCount();
  for (auto _ : state) field.StraightDraws();
  Report(state, bench::AllocationCount() - allocations, 0);
}

void HeadlessTickDraw(benchmark::State& state) {
  THeadlessMedia media;
  TPlayfield field(media.Platform, false);
  field.EngineTick();
  const uint64_t allocations = bench::AllocationCount();
  for (auto _ : state) field.TickDraw();
  Report(state, bench::AllocationCount() - allocations, 0);
}

void HeadlessSmoothRefresh(benchmark::State& state) {
  THeadlessMedia media;
  TSmoothScreen screen(media.Platform.SdlDisplay(), media.Platform.SdlImages());
  TPlayfield field(media.Platform, false, &screen.Display(), &screen.Images());
  for (int tick = 0; tick < 2; ++tick) {
    screen.Display().Fill(0);
    field.EngineTick();
    screen.Display().Flip();
  }
  screen.Show(0.5);
  const uint64_t allocations = bench::AllocationCount();
  for (auto _ : state) screen.Show(0.5);
  Report(state, bench::AllocationCount() - allocations, 0);
  state.counters["draws"] = static_cast<double>(screen.Frames().Latest().Draws.size());
}

void HeadlessEngineTick(benchmark::State& state, bool churn) {
  EngineTick<THeadlessMedia>(state, churn);
}
void HeadlessStraightDraws(benchmark::State& state) {
  StraightDraws<THeadlessMedia>(state);
}
void NullMediaEngineTick(benchmark::State& state, bool churn) {
  EngineTick<TQuietMedia>(state, churn);
}
void NullMediaStraightDraws(benchmark::State& state) {
  StraightDraws<TQuietMedia>(state);
}

BENCHMARK_CAPTURE(HeadlessEngineTick, steady, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HeadlessEngineTick, churn, true)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeadlessStraightDraws)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeadlessTickDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeadlessSmoothRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NullMediaEngineTick, steady, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NullMediaEngineTick, churn, true)->Unit(benchmark::kMicrosecond);
BENCHMARK(NullMediaStraightDraws)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quellix

BENCHMARK_MAIN();
