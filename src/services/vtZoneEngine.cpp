#include "services/vtZoneEngine.h"

#include <stdexcept>

#include "graphics/vtMedia.h"

namespace quellix {

void Tvt6Zone::SetUp(const TRect& rect, std::string_view reelName, std::string_view normalScene,
                     std::string_view hoverScene, std::string_view pressedScene) {
  Left = rect.Left;
  Top = rect.Top;
  Right = rect.Right - 1;
  Bottom = rect.Bottom - 1;
  ReelName = reelName;
  NormalScene = normalScene;
  HoverScene = hoverScene;
  PressedScene = pressedScene;
}

const std::string& Tvt6Zone::StateScene() const {
  switch (State) {
    case zsPressed:
      return PressedScene;
    case zsHover:
      return HoverScene;
    default:
      return NormalScene;
  }
}

void Tvt6ZoneEngine::Bind(IDisplay& display, IImageList& imageList,
                          Tvt6AnimationEngine& animationEngine) {
  fDisplay = &display;
  fImageList = &imageList;
  fAnimationEngine = &animationEngine;
}

Tvt6Zone& Tvt6ZoneEngine::AddZone(std::unique_ptr<Tvt6Zone> zone) {
  if (!zone) throw std::invalid_argument("AddZone needs a zone");
  fZones.push_back(std::move(zone));
  return *fZones.back();
}

Tvt6Zone* Tvt6ZoneEngine::Zone(int index) const {
  if (index < 0 || index >= ZoneCount()) return nullptr;
  return fZones[static_cast<size_t>(index)].get();
}

Tvt6Zone* Tvt6ZoneEngine::HitTest(int32_t x, int32_t y) {
  Tvt6Zone* hit = nullptr;
  for (const auto& zone : fZones) {
    if (!hit && zone->Contains(x, y))
      hit = zone.get();
    else
      zone->State = Tvt6Zone::zsNormal;
  }
  return hit;
}

void Tvt6ZoneEngine::MouseDown(const void*, int32_t button, int32_t y, int32_t x, int32_t shift) {
  Tvt6Zone* zone = HitTest(x, y);
  if (!zone) return;
  if (zone->OnPress) zone->OnPress(*zone, button, y, x, shift);
  zone->State = Tvt6Zone::zsPressed;
}

void Tvt6ZoneEngine::MouseMove(const void*, int32_t button, int32_t y, int32_t x) {
  Tvt6Zone* zone = HitTest(x, y);
  if (!zone) return;
  if (zone->OnHover) zone->OnHover(*zone, button, y, x);
  zone->State = Tvt6Zone::zsHover;
}

void Tvt6ZoneEngine::MouseUp(const void*, int32_t button, int32_t y, int32_t x, int32_t shift) {
  Tvt6Zone* zone = HitTest(x, y);
  if (!zone) return;
  if (zone->OnRelease) zone->OnRelease(*zone, button, y, x, shift);
  zone->State = Tvt6Zone::zsNormal;
}

void Tvt6ZoneEngine::DrawZones() {
  constexpr int32_t N = Tvt6Projector::NotSet;
  constexpr double NF = Tvt6Projector::NotSetFraction;
  fProjector.Init("", "", 0, N, Tvt6Projector::pmLoop, Tvt6Projector::dirForward,
                  Tvt6Projector::eorNothing, 0, fDisplay, fImageList, fAnimationEngine);
  for (const auto& zone : fZones) {
    // Forget the previous zone's scene first: SetReel would otherwise look that scene
    // up in this zone's reel and log a miss that belongs to neither zone.
    fProjector.SceneName.clear();
    fProjector.SetReel(zone->ReelName);
    fProjector.SetScene(zone->StateScene());
    fProjector.Draw_Image(zone->Left, zone->Top, N, N, N, N, NF, NF);
  }
}

}  // namespace quellix
