// The real main window on the headless back end with the game's generated data, for
// tests of the player and the title screen. The data files are linked into a fresh
// temporary folder, so nothing is ever written into the run folder. The platform draws
// for real and also records what the game asked of it: every text with its style,
// every filled rectangle and every sound.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/vtEngine.h"
#include "engine/vtSprite.h"
#include "graphics/vtCanvasRelay.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtMainWindow.h"
#include "support/vtFakeMedia.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {

// The display of the headless back end, with a record of texts and filled rectangles.
class TRecordingDisplay : public IDisplay {
 public:
  explicit TRecordingDisplay(IDisplay& inner) : fInner(inner), fCanvas(inner.Canvas(), Texts) {}

  void Fill(TColor color) override { fInner.Fill(color); }
  void FillRect(const TRect& rect, TColor color) override {
    Rects.push_back({rect, color});
    fInner.FillRect(rect, color);
  }
  ITextCanvas& Canvas() override { return fCanvas; }
  void Flip() override {
    ++Flips;
    fInner.Flip();
  }

  std::vector<TFakeDisplay::TFilledRect> Rects;
  std::vector<TTextCall> Texts;
  int Flips = 0;

 private:
  // Records each text, then draws it.
  class TCanvas : public TCanvasRelay {
   public:
    TCanvas(ITextCanvas& inner, std::vector<TTextCall>& texts)
        : TCanvasRelay(inner), fTexts(texts) {}
    void TextOut(int32_t x, int32_t y, std::string_view text) override;
    void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override;

   private:
    std::vector<TTextCall>& fTexts;
  };

  IDisplay& fInner;
  TCanvas fCanvas;
};

// The headless platform with the recording display and a recording sound list (which
// reads the names of the real sound archive).
class TGameTestPlatform : public IPlatform {
 public:
  TGameTestPlatform();

  std::string ExeDir() const override { return Headless.ExeDir(); }
  void ProcessMessages() override {}
  void HideCursor() override {}
  void ShowProgress(std::string_view, int32_t, int32_t) override {}
  void FreeProgress() override {}
  void ShowMessage(std::string_view text) override { Headless.ShowMessage(text); }
  void ShowModal(IModalWindow& window, std::function<void()> closed) override {
    Headless.ShowModal(window, std::move(closed));
  }
  void CloseMainWindow() override { Headless.CloseMainWindow(); }
  bool Closing() const override { return Headless.Closing(); }
  void AttachLog(std::function<void(const std::string&)> log) override {
    Headless.AttachLog(std::move(log));
  }
  IDisplay& Display() override { return DisplayRecorder; }
  IImageList& ImageList() override { return Headless.ImageList(); }
  ISoundList& SoundList() override { return Sounds; }
  IInput& Input() override { return Headless.Input(); }

  media::THeadlessPlatform Headless;
  TRecordingDisplay DisplayRecorder{Headless.Display()};
  TFakeSoundList Sounds;
};

// The enemies' side of a hit, recorded; like a real hit handler it ignores enemies
// already destroyed.
class TRecordingHits : public IEnemyHits {
 public:
  struct THit {
    int32_t EnemyKind;
    int32_t HitterKind;
    int32_t Damage;
  };
  void Hit(Tvt6Sprite& enemy, Tvt6Sprite& hitter) override {
    if (enemy.Dead) return;
    Hits.push_back({enemy.Kind, hitter.Kind, hitter.Strength});
    if (KillEnemies) enemy.Dead = true;
  }
  int CountByHitter(int32_t hitterKind) const;
  std::vector<THit> Hits;
  bool KillEnemies = false;
};

// Records the difficulties the title screen starts games with; OnStartGame, when set,
// plays the rest of the hole's part.
class TRecordingHole : public IHoleUnit {
 public:
  void InitStars() override {}
  void CreateHole() override {}
  void SpawnStars() override {}
  Tvt6StarEngine* Stars() override { return nullptr; }
  void AdvanceLevel() override {}
  void StartGame(TDifficulty difficulty) override {
    Started.push_back(difficulty);
    if (OnStartGame) OnStartGame();
  }
  std::vector<TDifficulty> Started;
  std::function<void()> OnStartGame;
};

// A main window started on the real data; the test adds its units and activates it.
class GameTestBed : public ::testing::Test {
 protected:
  GameTestBed();
  ~GameTestBed() override;

  // Starts the window with the units given (the title screen, if any, builds itself).
  void Activate(const TGameUnits& units);
  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) main->TimerEvent(0);
  }
  // Mouse motion and the left button for the next tick's poll.
  void Mouse(int32_t dx, int32_t dy, bool button0 = false) {
    platform.Headless.SetMouse(dx, dy, button0);
  }

  Tvt6Engine& MainEngine() { return *main->MainEngine(); }
  Tvt6Engine& TextEngine() { return *main->TextEngine(); }
  // A standing sprite of the kind on the main engine, drawn with the scene given.
  Tvt6Sprite& Place(int32_t kind, int32_t x, int32_t y, std::string_view reel,
                    std::string_view scene);
  std::vector<Tvt6Sprite*> SpritesOfKind(Tvt6Engine& engine, int32_t kind);
  // The texts drawn so far that begin with the prefix.
  std::vector<TTextCall> TextsStartingWith(const std::string& prefix) const;
  int Played(const std::string& sound) const;

  TLinkedGameData data;
  TGameTestPlatform platform;
  // Outlives the units a fixture declares: its engines keep sprites whose handlers
  // then belong to units already gone, which must leave them harmless.
  std::unique_ptr<TfrmMain> main;
};

}  // namespace quellix::testing
