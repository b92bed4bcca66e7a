// Screen zones: rectangles that react to the mouse and show one of three scenes of an
// animation reel by their state (normal, pressed, hover). The title screen builds its
// menu from them. One projector, owned by the zone engine, draws every zone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/vtProjector.h"

namespace quellix {

class IDisplay;
class IImageList;
class ILog;
class Tvt6AnimationEngine;
struct TRect;

class Tvt6Zone;

// Hover: the zone, the mouse button value, then the cursor's y and x.
using TZoneMouseEvent = std::function<void(Tvt6Zone& zone, int32_t button, int32_t y, int32_t x)>;
// Press and release: the same, then the shift value as the caller reported it.
using TZoneMouseShiftEvent =
    std::function<void(Tvt6Zone& zone, int32_t button, int32_t y, int32_t x, int32_t shift)>;

class Tvt6Zone {
 public:
  // State values.
  static constexpr uint8_t zsNormal = 0;
  static constexpr uint8_t zsPressed = 1;
  static constexpr uint8_t zsHover = 2;

  // Inclusive pixel bounds: a point on the right or bottom edge is inside.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = -1;
  int32_t Bottom = -1;
  std::string ReelName;
  std::string NormalScene;
  std::string PressedScene;
  std::string HoverScene;
  uint8_t State = zsNormal;

  TZoneMouseShiftEvent OnPress;
  TZoneMouseEvent OnHover;
  TZoneMouseShiftEvent OnRelease;

  // The rectangle covers exactly the pixels it names (right and bottom exclusive, as
  // Bounds(left, top, width, height) makes it), so zones laid edge to edge do not share
  // a row or column.
  void SetUp(const TRect& rect, std::string_view reelName, std::string_view normalScene,
             std::string_view hoverScene, std::string_view pressedScene);

  bool Contains(int32_t x, int32_t y) const {
    return Left <= x && x <= Right && Top <= y && y <= Bottom;
  }
  // The scene shown in the current state; a state outside the three shows the normal one.
  const std::string& StateScene() const;
};

class Tvt6ZoneEngine {
 public:
  explicit Tvt6ZoneEngine(ILog& log) : fProjector(log) {}
  Tvt6ZoneEngine(const Tvt6ZoneEngine&) = delete;
  Tvt6ZoneEngine& operator=(const Tvt6ZoneEngine&) = delete;

  // The media and animation data the zones are drawn with; nothing is drawn before.
  void Bind(IDisplay& display, IImageList& imageList, Tvt6AnimationEngine& animationEngine);

  // Takes the zone over; it stays at the same address for the engine's life.
  Tvt6Zone& AddZone(std::unique_ptr<Tvt6Zone> zone);
  int ZoneCount() const { return static_cast<int>(fZones.size()); }
  // None outside the list.
  Tvt6Zone* Zone(int index) const;

  // The first zone in list order that contains the point, or none. Every other zone
  // goes back to normal, so a zone hidden under an earlier one never looks active.
  Tvt6Zone* HitTest(int32_t x, int32_t y);

  // Each hit-tests (x, y), calls the hit zone's handler, then sets its state: pressed,
  // hover, normal. The sender is only the caller's identity; the handlers get the zone.
  // A handler must not remove zones or free the engine.
  void MouseDown(const void* sender, int32_t button, int32_t y, int32_t x, int32_t shift);
  void MouseMove(const void* sender, int32_t button, int32_t y, int32_t x);
  void MouseUp(const void* sender, int32_t button, int32_t y, int32_t x, int32_t shift);

  // Draws every zone in list order: the first frame of its state's scene at (Left, Top),
  // placed as Draw_Image places it, with the frame's own alpha, angle and scale.
  void DrawZones();

 private:
  std::vector<std::unique_ptr<Tvt6Zone>> fZones;
  Tvt6Projector fProjector;
  IDisplay* fDisplay = nullptr;
  IImageList* fImageList = nullptr;
  Tvt6AnimationEngine* fAnimationEngine = nullptr;
};

}  // namespace quellix
