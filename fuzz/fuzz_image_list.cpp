// The image archive through the image list of the headless back end: either the bytes
// as the whole file, or items built from them (pattern and skip sizes, flags, colour
// and PNG payload, with a checksum that holds, so the fuzzer gets past it). Every item
// loaded is then drawn through a projector in each drawing mode.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "graphics/vtProjector.h"
#include "vtFuzzMedia.h"
#include "vtFuzzSupport.h"

namespace {

constexpr int MaxItems = 4;
// One scene per item: plain, alpha, stretched, scaled with alpha, turned.
constexpr const char* Frames[] = {"255,0,0.5,0.5,100,100,", "128,0,0.5,0.5,100,100,",
                                  "255,0,0.5,0.5,150,50,", "100,0,0.5,0.5,50,200,",
                                  "255,64,0.25,0.75,100,100,"};

std::vector<uint8_t> BuildArchive(quellix::fuzz::TByteReader& in) {
  using namespace quellix;
  TArchiveWriter archive(TArchiveKind::Images);
  for (int i = 0; i < MaxItems && !in.AtEnd(); ++i) {
    TImageItem item;
    item.Name = "item" + std::to_string(i);
    item.PatternWidth = in.I32();
    item.PatternHeight = in.I32();
    item.SkipWidth = in.I32();
    item.SkipHeight = in.I32();
    const uint8_t flags = in.U8();
    item.SystemMemory = flags & 1;
    item.Transparent = flags & 2;
    item.TransparentColor = static_cast<TColor>(in.I32());
    const size_t length = in.U8() * 256u + in.U8();
    const auto payload = in.Bytes(length);
    try {
      archive.AddImage(item, payload);
    } catch (const std::exception&) {
      // Sizes the writer refuses are left out.
    }
  }
  return archive.Bytes();
}

void DrawItems(quellix::IImageList& images) {
  using namespace quellix;
  TStringList lines = {"", "[REELREC]", "r"};
  for (int32_t i = 0; i < images.Count() && i < MaxItems; ++i) {
    lines.insert(lines.end(), {"[SCENEREC]", "s" + std::to_string(i)});
    for (const char* frame : Frames) lines.push_back(frame + images.Item(i).Name + ",1");
    lines.emplace_back("[ENDSCENE]");
  }
  fuzz::TFuzzContext fuzz;
  Tvt6AnimationEngine animations(fuzz.Context);
  animations.LoadFromStrings(lines);
  animations.LinkImages(images);
  for (int32_t i = 0; i < images.Count() && i < MaxItems; ++i) {
    Tvt6Projector projector(fuzz.Log);
    projector.Init("r", "s" + std::to_string(i), 0, Tvt6Projector::NotSet, Tvt6Projector::pmLoop,
                   Tvt6Projector::dirForward, Tvt6Projector::eorNothing, 0,
                   &fuzz::Headless().Display(), &images, &animations);
    for (size_t f = 0; f < std::size(Frames); ++f) {
      constexpr int32_t N = Tvt6Projector::NotSet;
      projector.Draw_Centered(400, 300, N, N, N, N, Tvt6Projector::NotSetFraction,
                              Tvt6Projector::NotSetFraction);
      projector.Draw_FromFrameRec(projector.FrameRec);
      projector.Advance_Film();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quellix::fuzz::Headless();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  if (size < 1) return 0;
  IImageList& images = fuzz::Headless().ImageList();
  fuzz::LoadArchive(images, data, size, "images.vtg", BuildArchive);
  DrawItems(images);
  return 0;
}
