// Drawing cost of the image list on the headless back end: 2,000 sprites of 32 x 32 a
// frame, plain, alpha-blended, scaled, rotated and mixed, beside the same copies made
// straight through SDL on the same textures. Heap allocations per frame are counted by
// replacing the global operator new; the image list path must make none.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "graphics/vtArchive.h"
#include "media/vtEncode.h"
#include "media/vtHeadlessPlatform.h"
#include "support/vtAllocationCount.h"

namespace quellix::media {
namespace {

constexpr int Sprites = 2000;
constexpr int Pictures = 16;
constexpr int Side = 32;

enum TMode : int64_t { Plain, Alpha, Scaled, Rotated, Mixed };

struct TSprite {
  int32_t Index, X, Y, Angle, Alpha;
  TMode Mode;
};

// One headless screen with 16 pictures loaded, and where each sprite of a frame goes.
class TScene {
 public:
  explicit TScene(TMode mode) : fPlatform({.ExeDir = "./", .AudioDriver = "none"}) {
    TArchiveWriter writer(TArchiveKind::Images);
    for (int p = 0; p < Pictures; ++p) {
      TSurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, Side, Side, 32, SDL_PIXELFORMAT_ARGB8888));
      SDL_FillRect(s.get(), nullptr, SDL_MapRGB(s->format, 40 + p * 13, 255 - p * 11, 90));
      const SDL_Rect hole{8, 8, 16, 16};
      SDL_FillRect(s.get(), &hole, SDL_MapRGB(s->format, 255, 0, 255));
      TImageItem item;
      item.Name = "sprite" + std::to_string(p);
      item.Transparent = p % 2 == 0;
      item.TransparentColor = RGB(255, 0, 255);
      writer.AddImage(item, EncodePng(s.get()));
    }
    const std::string path = "bench_imagelist.vtg";
    writer.SaveToFile(path);
    fPlatform.ImageList().LoadFromFile(path);
    std::remove(path.c_str());
    for (int i = 0; i < Sprites; ++i) {
      const TMode m = mode == Mixed ? static_cast<TMode>(i % 4) : mode;
      fSprites.push_back({i % Pictures, (i * 37) % (ScreenWidth - Side),
                          (i * 53) % (ScreenHeight - Side), (i * 7) % 256, 64 + i % 160, m});
    }
  }

  void ImageListFrame() {
    IImageList& images = fPlatform.ImageList();
    fPlatform.Display().Fill(0);
    for (const TSprite& s : fSprites) switch (s.Mode) {
        case Plain:
          images.Draw(s.Index, s.X, s.Y);
          break;
        case Alpha:
          images.DrawAlpha(s.Index, Bounds(s.X, s.Y, Side, Side), s.Alpha);
          break;
        case Scaled:
          images.StretchDraw(s.Index, Bounds(s.X, s.Y, 48, 48));
          break;
        default:
          images.DrawRotateAlpha(s.Index, s.X, s.Y, Side, Side, 0.5, 0.5, s.Angle, 255);
          break;
      }
    fPlatform.Display().Flip();
  }

  void SdlFrame() {
    TSdlImageList& images = fPlatform.SdlImages();
    SDL_Renderer* r = fPlatform.SdlDisplay().Renderer();
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    for (const TSprite& s : fSprites) {
      SDL_Texture* t = images.Texture(s.Index);
      const SDL_Rect src{0, 0, Side, Side};
      SDL_SetTextureAlphaMod(t, s.Mode == Alpha ? static_cast<Uint8>(s.Alpha) : 255);
      const int size = s.Mode == Scaled ? 48 : Side;
      const SDL_Rect dst{s.X, s.Y, size, size};
      if (s.Mode == Rotated)
        SDL_RenderCopyEx(r, t, &src, &dst, s.Angle * 360.0 / 256, nullptr, SDL_FLIP_NONE);
      else
        SDL_RenderCopy(r, t, &src, &dst);
    }
    SDL_RenderPresent(r);
  }

 private:
  THeadlessPlatform fPlatform;
  std::vector<TSprite> fSprites;
};

template <void (TScene::*Frame)()>
void RunFrames(benchmark::State& state, TMode mode) {
  TScene scene(mode);
  (scene.*Frame)();  // warm up: first-use work is not a frame's
  const uint64_t before = bench::AllocationCount();
  for (auto _ : state) (scene.*Frame)();
  state.counters["allocs_per_frame"] = benchmark::Counter(
      static_cast<double>(bench::AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

void ImageList(benchmark::State& state, TMode mode) {
  RunFrames<&TScene::ImageListFrame>(state, mode);
}
void StraightSdl(benchmark::State& state, TMode mode) {
  RunFrames<&TScene::SdlFrame>(state, mode);
}

BENCHMARK_CAPTURE(ImageList, plain, Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightSdl, plain, Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImageList, alpha, Alpha)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightSdl, alpha, Alpha)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImageList, scaled, Scaled)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightSdl, scaled, Scaled)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImageList, rotated, Rotated)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightSdl, rotated, Rotated)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImageList, mixed, Mixed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StraightSdl, mixed, Mixed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quellix::media

BENCHMARK_MAIN();
