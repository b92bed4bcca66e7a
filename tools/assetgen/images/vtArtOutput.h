// What the painters produce: named pictures, and reels of scenes whose frames name
// those pictures. It writes the animation file's text; the generator packs the
// pictures into the image archive.
#pragma once

#include <string>
#include <vector>

#include "images/vtCanvas.h"

namespace quellix::assetgen {

// One frame line: how the named picture is drawn (the defaults draw it plainly, the
// cheapest way).
struct TFrameOut {
  std::string Image;
  int Alpha = 255;
  int Angle = 0;  // 256ths of a turn
  int ScaleX = 100, ScaleY = 100;
};

struct TSceneOut {
  std::string Name;
  std::vector<TFrameOut> Frames;
};

struct TReelOut {
  std::string Name;
  std::vector<TSceneOut> Scenes;
};

struct TImageOut {
  std::string Name;
  TCanvas Picture;
};

class TArtOutput {
 public:
  // Stores a picture under a new name (names are case-free; a second use raises).
  const std::string& AddImage(const std::string& name, TCanvas picture);
  // Adds a scene to the reel (made on first use); a second scene of the name raises.
  void AddScene(const std::string& reel, const std::string& scene, std::vector<TFrameOut> frames);
  // The usual case: each picture is a frame, shown for hold ticks, looping. The pictures
  // are named reel_scene_N in lower case.
  void AddLoop(const std::string& reel, const std::string& scene, std::vector<TCanvas> pictures,
               int hold = 1);

  const std::vector<TImageOut>& Images() const { return fImages; }
  const std::vector<TReelOut>& Reels() const { return fReels; }

  // The animation file: a comment line, then every reel, scene and frame.
  std::string AnimationText() const;

 private:
  std::vector<TImageOut> fImages;
  std::vector<TReelOut> fReels;
};

// The lower-case image name of frame index of a scene: "reel_scene_index".
std::string ImageName(const std::string& reel, const std::string& scene, int index);

}  // namespace quellix::assetgen
