#include "services/vtMapEngine.h"

#include "graphics/vtAnimationEngine.h"

namespace quellix {

Tvt6MapEngine::~Tvt6MapEngine() {
  Unregister();
}

void Tvt6MapEngine::Unregister() {
  if (fAnimationEngine) fAnimationEngine->Subscriptions.Unsubscribe(this);
}

Tvt6Projector& Tvt6MapEngine::AddProjector(std::string_view reelName, std::string_view sceneName) {
  auto projector = std::make_unique<Tvt6Projector>(fLog);
  projector->Init(reelName, sceneName, 0, Tvt6Projector::NotSet, Tvt6Projector::pmLoop,
                  Tvt6Projector::dirForward, Tvt6Projector::eorNothing, 0, fDisplay, fImageList,
                  fAnimationEngine);
  fProjectors.push_back(std::move(projector));
  return *fProjectors.back();
}

void Tvt6MapEngine::SetUp(Tvt6AnimationEngine& animationEngine, IImageList& imageList,
                          IDisplay& display) {
  // One registration at a time: a second one would outlive the destructor's
  // Unsubscribe, which removes only the first.
  Unregister();
  fAnimationEngine = &animationEngine;
  fImageList = &imageList;
  fDisplay = &display;
  Rebuild();
  animationEngine.Subscriptions.Subscribe(this, [this](Tvt6Sprite*, const void*) { Rebuild(); });
}

void Tvt6MapEngine::Rebuild() {
  fProjectors.clear();
  if (!fAnimationEngine) return;
  for (int r = 0; r < fAnimationEngine->ReelCount(); ++r) {
    const Tvt6Reel& reel = *fAnimationEngine->Reel(r);
    for (int s = 0; s < reel.SceneCount(); ++s) AddProjector(reel.Name, reel.Scene(s)->Name);
  }
}

Tvt6Projector* Tvt6MapEngine::Projector(int index) const {
  if (index < 0 || index >= ProjectorCount()) return nullptr;
  return fProjectors[static_cast<size_t>(index)].get();
}

void Tvt6MapEngine::Delete(int index) {
  if (index < 0 || index >= ProjectorCount()) return;
  fProjectors.erase(fProjectors.begin() + index);
}

void Tvt6MapEngine::Clear() {
  fProjectors.clear();
  fLayers.clear();
}

}  // namespace quellix
