// The animation file, read as an engine reads it, linked to a small image list of the
// headless back end, and every frame drawn through a projector, so that the values of
// a frame line reach the real drawing: no read past an end, no picture of gigabytes,
// a few message boxes at most and no scale beyond the bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "config/vtTextFile.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "graphics/vtBadLines.h"
#include "graphics/vtProjector.h"
#include "vtFuzzMedia.h"
#include "vtFuzzSupport.h"

namespace {

constexpr int MaxDraws = 64;

void AddImage(quellix::TArchiveWriter& archive, const char* name, int w, int h) {
  quellix::TImageItem item;
  item.Name = name;
  archive.AddImage(item, quellix::fuzz::SomePng(w, h));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace quellix;
  TArchiveWriter archive(TArchiveKind::Images);
  AddImage(archive, "a", 16, 16);
  AddImage(archive, "b", 64, 48);
  AddImage(archive, "screen", 800, 600);
  const std::string path = fuzz::ScratchFile("images.vtg");
  archive.SaveToFile(path);
  fuzz::Headless().ImageList().LoadFromFile(path);
  std::remove(path.c_str());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fuzz::TFuzzContext fuzz;
  Tvt6AnimationEngine animations(fuzz.Context);
  try {
    animations.LoadFromStrings(SplitLines(text), "fuzz.txt");
  } catch (const std::exception&) {
    // A header that cannot be read ends the load; what was read stays.
  }
  if (fuzz.Window.Messages > TBadLines::MaxShown + 1) std::abort();
  IImageList& images = fuzz::Headless().ImageList();
  animations.LinkImages(images);

  int draws = 0;
  for (int r = 0; r < animations.ReelCount(); ++r) {
    const Tvt6Reel& reel = *animations.Reel(r);
    for (int s = 0; s < reel.SceneCount(); ++s) {
      const Tvt6Scene& scene = *reel.Scene(s);
      for (int f = 0; f < scene.FrameCount() && draws < MaxDraws; ++f, ++draws) {
        const Tvt6Frame& frame = *scene.Frame(f);
        if (std::abs(int64_t{frame.ScaleX}) > Tvt6Frame::MaxScale ||
            std::abs(int64_t{frame.ScaleY}) > Tvt6Frame::MaxScale)
          std::abort();
        Tvt6Projector projector(fuzz.Log);
        projector.Init(reel.Name, scene.Name, f, Tvt6Projector::NotSet, Tvt6Projector::pmLoop,
                       Tvt6Projector::dirForward, Tvt6Projector::eorNothing, 0,
                       &fuzz::Headless().Display(), &images, &animations);
        constexpr int32_t N = Tvt6Projector::NotSet;
        projector.Draw_Image(frame.Alpha, frame.Angle, N, N, N, N, Tvt6Projector::NotSetFraction,
                             Tvt6Projector::NotSetFraction);
        projector.Draw_Centered(400, 300, N, N, N, N, Tvt6Projector::NotSetFraction,
                                Tvt6Projector::NotSetFraction);
        projector.Draw_FromFrameRec(projector.FrameRec);
        projector.Advance_Film();
      }
    }
  }
  return 0;
}
