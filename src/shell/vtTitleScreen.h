// The title screen, the game's menu: a full-screen picture with three animated enemies,
// a mouse-driven cursor and nine zones: the three difficulties, quit, the switches for
// sound, shrapnel and child mode with their "on"/"off" indicators, and the options and
// the kept games (replays). Left alone it gives way to the high-score table after 200
// ticks. When the user folder cannot be written it says so, once.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/vtSpriteRef.h"
#include "shell/vtWindowUnits.h"

namespace quellix {

class IDisplay;
class TfrmMain;
class Tvt6Sprite;
class Tvt6ZoneEngine;

class TfrmTitleScreen : public ITitleScreen {
 public:
  static constexpr int32_t AttractTicks = 200;

  explicit TfrmTitleScreen(TfrmMain& main);
  ~TfrmTitleScreen() override;
  TfrmTitleScreen(const TfrmTitleScreen&) = delete;
  TfrmTitleScreen& operator=(const TfrmTitleScreen&) = delete;

  void SetupTitle() override;
  void TitleTick() override;
  // Adds the mouse's motion since the last poll to the cursor, kept on the screen.
  void UpdateCursor();

  int32_t CursorX() const { return fCursorX; }
  int32_t CursorY() const { return fCursorY; }
  // The background's index in the image list, -1 when the data lacks it.
  int32_t BackgroundImage() const { return fBackgroundImage; }
  // None before the first SetupTitle.
  Tvt6ZoneEngine* ZoneEngine() const { return fZones.get(); }
  Tvt6Sprite* Cursor() const { return fCursor.Get(); }
  Tvt6Sprite* SoundIndicator() const { return fSoundIndicator.Get(); }
  Tvt6Sprite* ShrapnelIndicator() const { return fShrapnelIndicator.Get(); }
  Tvt6Sprite* ChildModeIndicator() const { return fChildModeIndicator.Get(); }

 private:
  void LookUpBackground();
  Tvt6Sprite& Decoration(int32_t x, int32_t y, std::string_view reel, std::string_view scene);
  void BuildZones();
  // Flips an option and shows its new value on its indicator.
  void Toggle(bool& option, const TSpriteRef& indicator);
  void ToggleSound();
  void StartGame(TDifficulty difficulty);
  void DrawNotice(IDisplay& display);

  TfrmMain& fMain;
  int32_t fBackgroundImage = -1;
  std::unique_ptr<Tvt6ZoneEngine> fZones;
  TSpriteRef fCursor;
  TSpriteRef fSoundIndicator;
  TSpriteRef fShrapnelIndicator;
  TSpriteRef fChildModeIndicator;
  // The cursor starts where its sprite is first placed and keeps its place between
  // visits to the title.
  int32_t fCursorX = 110;
  int32_t fCursorY = 195;
  bool fShowNotice = false;
  bool fNoticeSaid = false;
};

}  // namespace quellix
