#include "graphics/vtAnimationEngine.h"

#include <stdexcept>

#include "base/vtLog.h"
#include "config/vtTextFile.h"
#include "graphics/vtBadLines.h"
#include "graphics/vtMedia.h"
#include "graphics/vtNameIndex.h"

namespace quellix {

namespace {

// Runs a header's SetAsString; a header that cannot be read ends the load, and the
// error then names the line so the file can be fixed.
template <class T>
void ReadHeader(T& item, const TStringList& lines, size_t marker, size_t end, TBadLines& bad) {
  const size_t header = marker + 1;
  if (header >= end)
    throw std::runtime_error("animation file line " + std::to_string(marker + 1) + ": " +
                             lines[marker] + " has no header line after it");
  bad.SetPlace(header);
  try {
    item.SetAsString(lines[header], bad);
  } catch (const std::exception& e) {
    throw std::runtime_error("animation file line " + std::to_string(header + 1) + ": " + e.what());
  }
}

}  // namespace

Tvt6AnimationEngine::Tvt6AnimationEngine(const TVintorContext& context)
    : Subscriptions(context.Log, nullptr), fContext(context) {}

void Tvt6AnimationEngine::LoadFromFile(const std::string& path) {
  std::string text;
  try {
    text = ReadTextFile(path);
  } catch (const std::runtime_error&) {
    fContext.Log.Log("Animation Engine.LoadFromFile reports \"File not Found\"\r" + path);
    return;
  }
  const int reelsBefore = ReelCount();
  LoadFromStrings(SplitLines(text), path);
  if (ReelCount() == reelsBefore)
    fContext.Log.Log("Animation Engine.LoadFromFile: \"" + path + "\" holds no reels");
}

void Tvt6AnimationEngine::LoadFromStrings(const TStringList& lines, const std::string& source) {
  TBadLines bad(fContext.Log, fContext.Window, source);
  try {
    LoadLines(lines, bad);
  } catch (...) {
    // What was read stays, and the bad lines are told, also when a header ends the load.
    bad.Finish();
    throw;
  }
  bad.Finish();
}

void Tvt6AnimationEngine::LoadLines(const TStringList& lines, TBadLines& bad) {
  const size_t count = lines.size();
  size_t i = 1;
  while (true) {
    while (i < count && lines[i] != ReelMarker) ++i;
    if (i >= count) return;
    auto reel = std::make_unique<Tvt6Reel>();
    ReadHeader(*reel, lines, i, count, bad);
    Tvt6Reel& added = AddReel(std::move(reel));
    const size_t body = i + 2;
    size_t end = body;
    while (end < count && lines[end] != EndReelMarker) ++end;
    LoadReelBody(added, lines, body, end, bad);
    i = end + 1;
  }
}

void Tvt6AnimationEngine::LoadReelBody(Tvt6Reel& reel, const TStringList& lines, size_t begin,
                                       size_t end, TBadLines& bad) {
  size_t i = begin;
  while (true) {
    while (i < end && lines[i] != SceneMarker) ++i;
    if (i >= end) return;
    auto scene = std::make_unique<Tvt6Scene>();
    ReadHeader(*scene, lines, i, end, bad);
    Tvt6Scene& added = reel.AddScene(std::move(scene));
    i += 2;
    // Every line of the block is a frame, blank lines included.
    for (; i < end && lines[i] != EndSceneMarker; ++i) {
      Tvt6Frame& frame = added.NewFrame({}, 0);
      bad.SetPlace(i, reel.Name, added.Name, added.FrameCount());
      frame.SetAsString(lines[i], bad);
    }
    ++i;
  }
}

Tvt6Reel& Tvt6AnimationEngine::AddReel(std::unique_ptr<Tvt6Reel> reel) {
  fReels.push_back(std::move(reel));
  return *fReels.back();
}

Tvt6Reel* Tvt6AnimationEngine::Reel(int index) const {
  if (index < 0)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return index < ReelCount() ? fReels[static_cast<size_t>(index)].get() : nullptr;
}

// The lookups do not pump window messages between entries: they run inside ticks,
// where a pending close would run re-entrantly.
Tvt6Reel* Tvt6AnimationEngine::ReelByName(std::string_view name) const {
  for (const auto& reel : fReels)
    if (SameText(reel->Name, name)) return reel.get();
  return nullptr;
}

Tvt6Scene* Tvt6AnimationEngine::GetScene(std::string_view reelName,
                                         std::string_view sceneName) const {
  if (reelName.empty()) return nullptr;
  if (const Tvt6Reel* reel = ReelByName(reelName))
    return reel->SceneByName(sceneName, &fContext.Log);
  fContext.Log.Log("WARNING:Tvt6AnimationEngine.GetScene was unable to find named reel: \"" +
                   std::string(reelName) + "." + std::string(sceneName) + "\"");
  return nullptr;
}

void Tvt6AnimationEngine::LinkImages(const IImageList& imageList) {
  for (const auto& reel : fReels)
    for (int s = 0; s < reel->SceneCount(); ++s) {
      Tvt6Scene& scene = *reel->Scene(s);
      for (int f = 0; f < scene.FrameCount(); ++f) {
        Tvt6Frame& frame = *scene.Frame(f);
        frame.ImageIndex = imageList.IndexOf(frame.ImageName);
      }
    }
}

}  // namespace quellix
