// The animation data: reels hold named scenes, scenes hold frames, and a frame names an
// image of the image list with how to draw it. Each is set from one comma-list line of
// the animation file; a header line may also carry whole frames or scenes inline.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {

class TBadLines;
class ILog;

class Tvt6Frame {
 public:
  // Scales beyond this, either way, are brought back to it when a frame is read: a draw
  // never asks for a picture of gigabytes.
  static constexpr int32_t MaxScale = 1000;

  std::string ImageName;
  int32_t ImageIndex = 0;  // set by the animation engine's LinkImages; -1 when missing
  int32_t Alpha = 255;
  int32_t Angle = 0;
  double CenterX = 0.5;
  double CenterY = 0.5;
  int32_t ScaleX = 100;
  int32_t ScaleY = 100;
  int32_t Spare = 1;  // read and kept, used by nothing

  // Reads a frame line: alpha, angle, centre x, centre y, scale x, scale y, image name,
  // spare. Each value is stored as soon as it is read; a bad line stops there, keeps
  // the rest as it was and is reported (a message box for the first few). A scale
  // beyond MaxScale is reported and bounded.
  void SetAsString(std::string_view text, TBadLines& bad);

 private:
  void BoundScales(TBadLines& bad);
};

class Tvt6Scene {
 public:
  std::string Name;
  std::string Note;  // kept, used by nothing

  // Replaces the frames: item 1 the name, item 2 the note (kept only when it is the
  // last item), items 3 on each a whole frame line. Throws on a line with no items.
  void SetAsString(std::string_view text, TBadLines& bad);

  void AddFrame(const Tvt6Frame& frame) { fFrames.push_back(frame); }
  Tvt6Frame& NewFrame(std::string imageName, int32_t imageIndex);
  int FrameCount() const { return static_cast<int>(fFrames.size()); }
  // None at or past the count; an index below 0 throws std::out_of_range.
  Tvt6Frame* Frame(int index);
  const Tvt6Frame* Frame(int index) const;
  void Clear() { fFrames.clear(); }

 private:
  std::vector<Tvt6Frame> fFrames;
};

class Tvt6Reel {
 public:
  std::string Name;
  std::string Note;  // kept, used by nothing

  // Replaces the scenes: item 1 the name, item 2 the note, items 3 on each a whole
  // scene header. Throws on a line with no items.
  void SetAsString(std::string_view text, TBadLines& bad);

  Tvt6Scene& AddScene(std::unique_ptr<Tvt6Scene> scene);
  Tvt6Scene& NewScene(std::string name);
  int SceneCount() const { return static_cast<int>(fScenes.size()); }
  // None at or past the count; an index below 0 throws std::out_of_range.
  Tvt6Scene* Scene(int index) const;
  void Clear() { fScenes.clear(); }

  // The first scene of that name, letter case ignored. When a non-empty name is not
  // found and warnings is given, the miss is logged there.
  Tvt6Scene* SceneByName(std::string_view name, ILog* warnings = nullptr) const;

 private:
  std::vector<std::unique_ptr<Tvt6Scene>> fScenes;
};

}  // namespace quellix
