#include "images/vtArtOutput.h"

#include <stdexcept>

#include "config/vtCommaList.h"
#include "graphics/vtNameIndex.h"

namespace quellix::assetgen {

std::string ImageName(const std::string& reel, const std::string& scene, int index) {
  return LowerCase(reel + "_" + scene + "_" + std::to_string(index));
}

const std::string& TArtOutput::AddImage(const std::string& name, TCanvas picture) {
  for (const TImageOut& i : fImages)
    if (SameText(i.Name, name)) throw std::runtime_error("image \"" + name + "\" made twice");
  if (picture.Width() <= 0 || picture.Height() <= 0)
    throw std::runtime_error("image \"" + name + "\" is empty");
  fImages.push_back({name, std::move(picture)});
  return fImages.back().Name;
}

void TArtOutput::AddScene(const std::string& reel, const std::string& scene,
                          std::vector<TFrameOut> frames) {
  if (frames.empty()) throw std::runtime_error("scene " + reel + "/" + scene + " has no frames");
  TReelOut* target = nullptr;
  for (TReelOut& r : fReels)
    if (SameText(r.Name, reel)) target = &r;
  if (!target) target = &fReels.emplace_back(TReelOut{reel, {}});
  for (const TSceneOut& s : target->Scenes)
    if (SameText(s.Name, scene))
      throw std::runtime_error("scene " + reel + "/" + scene + " made twice");
  target->Scenes.push_back({scene, std::move(frames)});
}

void TArtOutput::AddLoop(const std::string& reel, const std::string& scene,
                         std::vector<TCanvas> pictures, int hold) {
  std::vector<TFrameOut> frames;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::string& name =
        AddImage(ImageName(reel, scene, static_cast<int>(i)), std::move(pictures[i]));
    for (int h = 0; h < hold; ++h) frames.push_back({name});
  }
  AddScene(reel, scene, std::move(frames));
}

std::string TArtOutput::AnimationText() const {
  std::string out =
      "; Quellix animations: reels of scenes of frames. Written by quellix-assetgen from "
      "data/art/art.txt; edit that and rebuild.\n";
  out += "; frame: alpha, angle, centre x, centre y, scale x, scale y, image, spare\n";
  for (const TReelOut& reel : fReels) {
    out += "\n[REELREC]\n" + Join({reel.Name}) + "\n";
    for (const TSceneOut& scene : reel.Scenes) {
      out += "[SCENEREC]\n" + Join({scene.Name}) + "\n";
      for (const TFrameOut& f : scene.Frames)
        out += Join({std::to_string(f.Alpha), std::to_string(f.Angle), "0.5", "0.5",
                     std::to_string(f.ScaleX), std::to_string(f.ScaleY), f.Image, "1"}) +
               "\n";
      out += "[ENDSCENE]\n";
    }
    out += "[ENDREEL]\n";
  }
  return out;
}

}  // namespace quellix::assetgen
