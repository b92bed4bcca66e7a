// A projector plays one scene of an animation reel: it draws the current frame in the
// cheapest drawing mode the alpha, angle and scale allow, moves on one frame per tick
// by its play and end-of-reel rules, counts down an optional life span and keeps a
// record of how it drew last.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "graphics/vtMedia.h"

namespace quellix {

class IDisplay;
class IImageList;
class ILog;
class Tvt6AnimationEngine;
class Tvt6Scene;
class Tvt6Sprite;
struct TImageItem;

// How the last successful draw was made, so that it can be repeated or recorded.
struct Tvt6ProjectorRecFrame {
  // Record modes.
  static constexpr uint8_t RotatedBlend = 0;
  static constexpr uint8_t Stretched = 1;
  static constexpr uint8_t AlphaBlend = 2;
  static constexpr uint8_t Plain = 3;

  std::string ImageName;
  uint8_t Mode = RotatedBlend;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Alpha = 0;
  int32_t Angle = 0;
  int32_t Width = 0;  // after scaling
  int32_t Height = 0;
  double CenterX = 0;
  double CenterY = 0;

  // One comma list: image name, mode, X, Y, alpha, angle, width, height, centre x,
  // centre y.
  std::string AsString() const;
};

class Tvt6Projector;
using TProjectorEvent = std::function<void(Tvt6Projector& sender)>;

class Tvt6Projector {
 public:
  // A drawing value (or life span) of this or more means "the frame's own" ("unlimited").
  static constexpr int32_t NotSet = 32000;
  static constexpr double NotSetFraction = 32000.0;
  // The largest side a draw may be scaled to (four screen widths); larger is an error.
  static constexpr int32_t MaxDrawnSide = 4 * ScreenWidth;

  // PlayMethod values; other values do nothing.
  static constexpr uint8_t pmLoop = 0;
  static constexpr uint8_t pmPingPong = 1;
  static constexpr uint8_t pmPlayOnce = 2;
  static constexpr uint8_t pmPingPongOnce = 3;
  static constexpr uint8_t pmHold = 4;  // set by the hold end-of-reel method
  // EndOfReelMethod values.
  static constexpr uint8_t eorNothing = 0;
  static constexpr uint8_t eorFinish = 1;
  static constexpr uint8_t eorNotify = 2;
  static constexpr uint8_t eorHold = 3;
  // Direction values; any other value keeps the position still.
  static constexpr uint8_t dirForward = 0;
  static constexpr uint8_t dirBackward = 1;

  explicit Tvt6Projector(ILog& log) : fLog(log) {}
  Tvt6Projector(const Tvt6Projector&) = delete;
  Tvt6Projector& operator=(const Tvt6Projector&) = delete;

  std::string ReelName;
  std::string SceneName;
  Tvt6Scene* Scene = nullptr;  // resolved from the two names; owned by the animation engine
  int32_t Position = -1;
  int32_t LifeSpan = -1;  // ticks left; NotSet or more is unlimited
  uint8_t PlayMethod = pmLoop;
  uint8_t EndOfReelMethod = eorHold;
  uint8_t Reserved = 3;  // stored by Init and QuickInit, read by nothing
  uint8_t Direction = dirForward;
  // Once set nothing is drawn and the end-of-reel, play and life-span rules stop
  // (the position still moves with Direction).
  bool Finished = false;
  bool Bounced = false;  // ping-pong-once has reversed

  IDisplay* Display = nullptr;
  IImageList* ImageList = nullptr;
  Tvt6AnimationEngine* AnimationEngine = nullptr;
  Tvt6Sprite* Sprite = nullptr;  // the owning sprite, if any

  Tvt6ProjectorRecFrame FrameRec;

  TProjectorEvent OnBeforeDraw;
  TProjectorEvent OnAfterDraw;
  TProjectorEvent OnFinished;
  TProjectorEvent OnLifeSpanEnd;
  TProjectorEvent OnLoop;
  TProjectorEvent OnReverse;
  TProjectorEvent OnSceneEnd;
  TProjectorEvent OnEndOfReel;

  void Init(std::string_view reelName, std::string_view sceneName, int32_t startPosition,
            int32_t lifeSpan, uint8_t playMethod, uint8_t direction, uint8_t endOfReelMethod,
            uint8_t reserved, IDisplay* display, IImageList* imageList,
            Tvt6AnimationEngine* animationEngine);
  // Position 0, loop forwards, no end-of-reel method. Leaves Finished and Bounced.
  void QuickInit(std::string_view reelName, std::string_view sceneName, int32_t lifeSpan);
  void SetReel(std::string_view name);
  void SetScene(std::string_view name);

  // Draws the current frame. The rotating-blend modes put the frame's centre point on
  // (x, y); the others its top-left corner.
  void Draw_Image(int32_t x, int32_t y, int32_t alpha, int32_t angle, int32_t scaleX,
                  int32_t scaleY, double centerX, double centerY);
  // Draws with the image's own centre on (x, y) (scale not taken into account).
  void Draw_Centered(int32_t x, int32_t y, int32_t alpha, int32_t angle, int32_t scaleX,
                     int32_t scaleY, double centerX, double centerY);
  void Draw_Plain_Image(int32_t imageIndex, int32_t x, int32_t y);
  // Repeats a recorded draw; nothing happens when its image is not in the list.
  void Draw_FromFrameRec(const Tvt6ProjectorRecFrame& record);
  void WriteFrameRec(const std::string& imageName, int32_t x, int32_t y, int32_t alpha,
                     int32_t angle, int32_t width, int32_t height, double centerX, double centerY,
                     uint8_t mode);

  // Once per tick, after drawing: moves the position, applies the rules and the life span.
  void Advance_Film();
  void CheckPosition();

  // The current frame's image size (unscaled); 0 and 0 without a scene or frame.
  void GetDims(int32_t& width, int32_t& height);

 private:
  void Fire(const TProjectorEvent& event) {
    if (event) event(*this);
  }
  // The image list's item, or an exception for a missing list or a bad index.
  const TImageItem& ImageItem(int32_t index) const;
  bool PositionInScene() const;
  // The one place a record mode becomes a drawing operation; an unknown mode draws nothing.
  void DrawInMode(uint8_t mode, int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                  double centerX, double centerY, int32_t angle, int32_t alpha);

  ILog& fLog;
};

}  // namespace quellix
