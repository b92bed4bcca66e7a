#include "graphics/vtAnimationObjects.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/vtLog.h"
#include "config/vtCommaList.h"
#include "config/vtStrToInt.h"
#include "graphics/vtBadLines.h"
#include "graphics/vtNameIndex.h"

namespace quellix {

namespace {

constexpr int FrameItems = 8;
constexpr std::string_view FrameError = "Tvt6Frame.SetAsString reports the following error:\r";

// A centre is written with a point: the whole numbers before and after it make the
// value, the second scaled by its number of characters (0.05 is 0 + 5 / 100).
double ReadCentre(const std::string& text) {
  const size_t point = text.find('.');
  if (point == std::string::npos || point == 0 || point + 1 == text.size())
    throw std::invalid_argument("'" + text + "' is not a valid decimal number");
  const std::string_view whole = std::string_view(text).substr(0, point);
  const std::string_view fraction = std::string_view(text).substr(point + 1);
  return StrToInt(whole) + StrToInt(fraction) / std::pow(10.0, double(fraction.size()));
}

const std::string& Item(const TStringList& items, size_t index, std::string_view line) {
  if (index >= items.size())
    throw std::out_of_range("the line \"" + std::string(line) + "\" has " +
                            std::to_string(items.size()) + " items where " +
                            std::to_string(FrameItems) + " are needed");
  return items[index];
}

void CheckIndex(int index) {
  if (index < 0)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

void Tvt6Frame::SetAsString(std::string_view text, TBadLines& bad) {
  try {
    const TStringList items = Split(text);
    Alpha = StrToInt(Item(items, 0, text));
    Angle = StrToInt(Item(items, 1, text));
    CenterX = ReadCentre(Item(items, 2, text));
    CenterY = ReadCentre(Item(items, 3, text));
    ScaleX = StrToInt(Item(items, 4, text));
    ScaleY = StrToInt(Item(items, 5, text));
    ImageName = Item(items, 6, text);
    Spare = StrToInt(Item(items, 7, text));
  } catch (const std::exception& e) {
    bad.Report(std::string(FrameError) + e.what());
  }
  BoundScales(bad);
}

void Tvt6Frame::BoundScales(TBadLines& bad) {
  const auto bounded = [](int32_t scale) { return std::clamp(scale, -MaxScale, MaxScale); };
  if (bounded(ScaleX) == ScaleX && bounded(ScaleY) == ScaleY) return;
  const std::string written = std::to_string(ScaleX) + " by " + std::to_string(ScaleY);
  ScaleX = bounded(ScaleX);
  ScaleY = bounded(ScaleY);
  bad.Report(std::string(FrameError) + "the scale " + written + " is beyond " +
             std::to_string(MaxScale) + " per cent; drawn at " + std::to_string(ScaleX) + " by " +
             std::to_string(ScaleY));
}

void Tvt6Scene::SetAsString(std::string_view text, TBadLines& bad) {
  Clear();
  const TStringList items = Split(text);
  if (items.empty()) throw std::invalid_argument("a scene header line has no items");
  Name = items[0];
  Note = items.size() == 2 ? items[1] : std::string();
  for (size_t i = 2; i < items.size(); ++i) NewFrame({}, 0).SetAsString(items[i], bad);
}

Tvt6Frame& Tvt6Scene::NewFrame(std::string imageName, int32_t imageIndex) {
  Tvt6Frame& frame = fFrames.emplace_back();
  frame.ImageName = std::move(imageName);
  frame.ImageIndex = imageIndex;
  return frame;
}

Tvt6Frame* Tvt6Scene::Frame(int index) {
  CheckIndex(index);
  return index < FrameCount() ? &fFrames[static_cast<size_t>(index)] : nullptr;
}

const Tvt6Frame* Tvt6Scene::Frame(int index) const {
  return const_cast<Tvt6Scene*>(this)->Frame(index);
}

void Tvt6Reel::SetAsString(std::string_view text, TBadLines& bad) {
  Clear();
  const TStringList items = Split(text);
  if (items.empty()) throw std::invalid_argument("a reel header line has no items");
  Name = items[0];
  Note = items.size() >= 2 ? items[1] : std::string();
  for (size_t i = 2; i < items.size(); ++i) NewScene({}).SetAsString(items[i], bad);
}

Tvt6Scene& Tvt6Reel::AddScene(std::unique_ptr<Tvt6Scene> scene) {
  fScenes.push_back(std::move(scene));
  return *fScenes.back();
}

Tvt6Scene& Tvt6Reel::NewScene(std::string name) {
  auto scene = std::make_unique<Tvt6Scene>();
  scene->Name = std::move(name);
  return AddScene(std::move(scene));
}

Tvt6Scene* Tvt6Reel::Scene(int index) const {
  CheckIndex(index);
  return index < SceneCount() ? fScenes[static_cast<size_t>(index)].get() : nullptr;
}

Tvt6Scene* Tvt6Reel::SceneByName(std::string_view name, ILog* warnings) const {
  for (const auto& scene : fScenes)
    if (SameText(scene->Name, name)) return scene.get();
  if (warnings && !name.empty())
    warnings->Log("WARNING: Tvt6Reel.SceneByName was unable to find the following scene: \"" +
                  LowerCase(name) + "\"");
  return nullptr;
}

}  // namespace quellix
