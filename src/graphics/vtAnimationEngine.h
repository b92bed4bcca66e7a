// All reels of the game, loaded from the animation file. Projectors ask it for a scene
// by reel and scene name; every frame's image is resolved to an image-list index once,
// after loading, so drawing never looks a name up.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/vtMsgSubscribe.h"
#include "config/vtCommaList.h"
#include "graphics/vtAnimationObjects.h"
#include "graphics/vtContext.h"

namespace quellix {

class IImageList;
class TBadLines;

class Tvt6AnimationEngine {
 public:
  // The marker lines of the animation file, matched with the whole line, letter case
  // included.
  static constexpr std::string_view ReelMarker = "[REELREC]";
  static constexpr std::string_view EndReelMarker = "[ENDREEL]";
  static constexpr std::string_view SceneMarker = "[SCENEREC]";
  static constexpr std::string_view EndSceneMarker = "[ENDSCENE]";

  explicit Tvt6AnimationEngine(const TVintorContext& context);
  Tvt6AnimationEngine(const Tvt6AnimationEngine&) = delete;
  Tvt6AnimationEngine& operator=(const Tvt6AnimationEngine&) = delete;

  // Appends the file's reels; a missing file, or one without reels, is logged and
  // changes nothing.
  void LoadFromFile(const std::string& path);
  // Appends the reels of the lines (of the file source, for the messages); line 0 is
  // never examined. A header line with no items, or a marker with no line after it,
  // throws (what was read stays); a bad frame line is logged, shown to the player while
  // few were, and read as far as it goes.
  void LoadFromStrings(const TStringList& lines, const std::string& source = {});

  Tvt6Reel& AddReel(std::unique_ptr<Tvt6Reel> reel);
  int ReelCount() const { return static_cast<int>(fReels.size()); }
  // None at or past the count; an index below 0 throws std::out_of_range.
  Tvt6Reel* Reel(int index) const;
  // The first reel of that name, letter case ignored.
  Tvt6Reel* ReelByName(std::string_view name) const;
  // The scene, or none; names that are given but not found are logged.
  Tvt6Scene* GetScene(std::string_view reelName, std::string_view sceneName) const;

  // Sets every frame's ImageIndex from the image list (-1 for a name it lacks).
  void LinkImages(const IImageList& imageList);

  // Other parts may register here; the animation engine itself never runs it.
  Tvt6SubscriptionEngine Subscriptions;

 private:
  void LoadLines(const TStringList& lines, TBadLines& bad);
  // Reads the scenes of a reel body, lines [begin, end).
  void LoadReelBody(Tvt6Reel& reel, const TStringList& lines, size_t begin, size_t end,
                    TBadLines& bad);

  TVintorContext fContext;
  std::vector<std::unique_ptr<Tvt6Reel>> fReels;
};

}  // namespace quellix
