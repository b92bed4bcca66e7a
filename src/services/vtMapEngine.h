// The map engine keeps one ready projector for every scene of every reel, rebuilt
// whenever the animation engine's subscriptions run. Nothing in the game draws or
// advances them yet: they are a catalogue of every scene, bound to the display, that a
// tool or a later screen can draw without setting a projector up.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "graphics/vtProjector.h"

namespace quellix {

class IDisplay;
class IImageList;
class ILog;
class Tvt6AnimationEngine;

// A layer of the map. No kind of layer exists, so the engine's layer list stays empty.
struct Tvt6MapLayer {};

class Tvt6MapEngine {
 public:
  explicit Tvt6MapEngine(ILog& log) : fLog(log) {}
  // Withdraws the Rebuild registration, so the animation engine never calls into a
  // freed map engine. The animation engine must outlive the map engine: the projectors
  // point at its scenes.
  ~Tvt6MapEngine();
  Tvt6MapEngine(const Tvt6MapEngine&) = delete;
  Tvt6MapEngine& operator=(const Tvt6MapEngine&) = delete;

  // A new projector on the reel and scene, at position 0, unlimited, looping forwards;
  // appended and returned.
  Tvt6Projector& AddProjector(std::string_view reelName, std::string_view sceneName);
  // Keeps the references, builds one projector per scene of every reel in order, and
  // registers Rebuild with the animation engine's subscriptions (once, however often
  // SetUp runs; a registration with a previous animation engine is withdrawn).
  void SetUp(Tvt6AnimationEngine& animationEngine, IImageList& imageList, IDisplay& display);
  // Builds the projectors again from the animation engine's present reels.
  void Rebuild();

  int ProjectorCount() const { return static_cast<int>(fProjectors.size()); }
  // None outside the list.
  Tvt6Projector* Projector(int index) const;
  // Frees the projector at index; an index outside the list is ignored.
  void Delete(int index);
  // Frees every projector and layer.
  void Clear();

  int LayerCount() const { return static_cast<int>(fLayers.size()); }

 private:
  void Unregister();

  ILog& fLog;
  std::vector<std::unique_ptr<Tvt6Projector>> fProjectors;
  std::vector<std::unique_ptr<Tvt6MapLayer>> fLayers;
  Tvt6AnimationEngine* fAnimationEngine = nullptr;
  IImageList* fImageList = nullptr;
  IDisplay* fDisplay = nullptr;
};

}  // namespace quellix
