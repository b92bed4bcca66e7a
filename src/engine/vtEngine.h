// One playfield of sprites and the services the game reaches through it. The engine
// creates sprites with their projectors, draws them layer by layer, updates them, runs
// the collision passes the game asks for and frees dead sprites at the end of the tick.
// Nothing frees a sprite while a pass runs: game code sets Dead instead, and may create
// sprites, which are appended.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/vtCommaList.h"
#include "config/vtPattern.h"
#include "engine/vtSprite.h"
#include "engine/vtSpriteRef.h"
#include "graphics/vtContext.h"

namespace quellix {

class IDisplay;
class IImageList;
class ISoundList;
class Tvt6AnimationEngine;
class Tvt6AudioEngine;
class Tvt6ConfigurationMgr;
class Tvt6FlagEngine;
class Tvt6FontEngine;
class Tvt6HighScoreEngine;
class Tvt6MapEngine;
class Tvt6StarEngine;
class Tvt6ZoneEngine;
class TvtDisplayNumber;

class Tvt6Engine {
 public:
  explicit Tvt6Engine(const TVintorContext& context);
  // Frees every sprite, running their OnKillSelf subscriptions.
  ~Tvt6Engine();
  Tvt6Engine(const Tvt6Engine&) = delete;
  Tvt6Engine& operator=(const Tvt6Engine&) = delete;

  // Once, after construction: keeps the display and image list, creates the animation
  // engine and the other services, and installs the image list's palette.
  void Setup(IDisplay& display, IImageList& imageList, const std::string& highScoreFile,
             ISoundList& soundList);
  // Loads the animation file and links its frames to the image list.
  void LoadAnimations(const std::string& fileName);

  // A new sprite with a projector bound to this engine, appended to the list; it is
  // also LastSprite.
  Tvt6Sprite& NewSprite();
  void AddSprite(std::unique_ptr<Tvt6Sprite> sprite);
  int SpriteCount() const { return static_cast<int>(fSprites.size()); }
  // None outside the list.
  Tvt6Sprite* GetSprite(int index) const;
  // The sprite's Layer, raising MaxLayer to it.
  void SetLayer(Tvt6Sprite& sprite, int32_t layer);
  // The highest layer given through SetLayer since the last ClearSprites; layers above
  // it are not drawn.
  int32_t MaxLayer() const { return fMaxLayer; }

  // Draws layers 0 to MaxLayer in list order and advances each drawn sprite's film.
  void DrawSprites();
  // Advances every projector without drawing.
  void AdvanceAll();
  // Updates the sprites that were there when the pass began.
  void UpdateSprites();
  // Frees dead sprites (running OnKillSelf) and finished behaviours of the living.
  void PurgeSprites();
  // Frees every sprite, running OnKillSelf; MaxLayer goes back to 0.
  void ClearSprites();
  // Each sprite of the kind hits at most the first collidable sprite it touches.
  void CollideSprites(int32_t kind);
  // Each sprite of the kind hits everything it touches, and both sides are told.
  void CollideSpritesMutual(int32_t kind);
  // Marks every sprite whose Parent is the given sprite Dead; answers how many.
  int KillLinked(const Tvt6Sprite& sprite);

  // The sprite made by the latest NewSprite.
  TSpriteRef LastSprite;

  // When set, every DrawSprites appends the frame records of all sprites, one line
  // each in list order, as one item of Recording.
  bool RecordFrames = false;
  TStringList Recording;

  // The engine services; all but the number display, flags and patterns exist from Setup on.
  Tvt6AnimationEngine* AnimationEngine() const { return fAnimationEngine.get(); }
  Tvt6MapEngine* MapEngine() const { return fMapEngine.get(); }
  Tvt6StarEngine* StarEngine() const { return fStarEngine.get(); }
  Tvt6ZoneEngine* ZoneEngine() const { return fZoneEngine.get(); }
  TvtDisplayNumber* DisplayNumber() const { return fDisplayNumber.get(); }
  Tvt6FlagEngine* FlagEngine() const { return fFlagEngine.get(); }
  Tvt6AudioEngine* AudioEngine() const { return fAudioEngine.get(); }
  Tvt6ConfigurationMgr* ConfigurationMgr() const { return fConfigurationMgr.get(); }
  Tvt6FontEngine* FontEngine() const { return fFontEngine.get(); }
  Tvt6HighScoreEngine* HighScoreEngine() const { return fHighScoreEngine.get(); }
  IDisplay* Display() const { return fDisplay; }
  IImageList* ImageList() const { return fImageList; }
  // The point patterns; start-up loads them once, movements keep pointers to them.
  Tvt6PatternManager& PatternManager() { return fPatternManager; }
  const TVintorContext& Context() const { return fContext; }

 private:
  void Log(const std::string& message) const;
  void RecordFrame();

  TVintorContext fContext;
  std::unique_ptr<Tvt6AnimationEngine> fAnimationEngine;
  IDisplay* fDisplay = nullptr;
  IImageList* fImageList = nullptr;
  std::vector<std::unique_ptr<Tvt6Sprite>> fSprites;  // creation order
  // Declared after the animation engine, which must outlive the projectors of these.
  std::unique_ptr<Tvt6MapEngine> fMapEngine;
  std::unique_ptr<Tvt6StarEngine> fStarEngine;
  std::unique_ptr<Tvt6ZoneEngine> fZoneEngine;
  int32_t fMaxLayer = 0;
  uint64_t fSerials = 0;  // the latest sprite's Serial
  std::unique_ptr<TvtDisplayNumber> fDisplayNumber;
  std::unique_ptr<Tvt6FlagEngine> fFlagEngine;
  std::unique_ptr<Tvt6AudioEngine> fAudioEngine;
  std::unique_ptr<Tvt6ConfigurationMgr> fConfigurationMgr;
  Tvt6PatternManager fPatternManager;
  std::unique_ptr<Tvt6FontEngine> fFontEngine;
  std::unique_ptr<Tvt6HighScoreEngine> fHighScoreEngine;
};

}  // namespace quellix
