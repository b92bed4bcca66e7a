// A main window started on the recording fake platform and the mini data set, with
// game units that record what the game loop asks of them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/vtEngine.h"
#include "shell/vtMainWindow.h"
#include "support/vtFakeMedia.h"
#include "support/vtMiniData.h"

namespace quellix::testing {

// Builds the title screen as far as the game loop relies on it.
class TRecordingTitle : public ITitleScreen {
 public:
  explicit TRecordingTitle(TfrmMain& main) : fMain(main) {}
  void SetupTitle() override {
    ++Setups;
    fMain.Globals.ScreenTimer = 200;
    fMain.MainEngine()->ClearSprites();
    fMain.TextEngine()->ClearSprites();
    fMain.LevelCompleteDone = false;
    fMain.NextLevelDone = false;
    fMain.Globals.GameState = gsTitle;
  }
  void TitleTick() override { ++Ticks; }
  int Setups = 0;
  int Ticks = 0;

 private:
  TfrmMain& fMain;
};

class TRecordingPlayer : public IPlayerUnit {
 public:
  void UpdateControlPoint() override { Calls.push_back("UpdateControlPoint"); }
  void RaiseShields() override { Calls.push_back("RaiseShields"); }
  void LowerShields() override { Calls.push_back("LowerShields"); }
  void PlayerTick() override { Calls.push_back("PlayerTick"); }
  void DrawHud() override { Calls.push_back("DrawHud"); }
  void LevelEndSnapshot() override { Calls.push_back("LevelEndSnapshot"); }
  void StartLevelShips() override { Calls.push_back("StartLevelShips"); }
  bool GameContinues() const override { return Continues; }
  Tvt6Sprite* ChooseTargetShip() override { return nullptr; }
  void ResetForNewGame(int32_t) override { Calls.push_back("ResetForNewGame"); }
  std::vector<std::string> Calls;
  bool Continues = true;
};

class TRecordingHole : public IHoleUnit {
 public:
  void InitStars() override { Calls.push_back("InitStars"); }
  void CreateHole() override { Calls.push_back("CreateHole"); }
  void SpawnStars() override { Calls.push_back("SpawnStars"); }
  Tvt6StarEngine* Stars() override {
    if (FailStars) throw std::runtime_error("stars failed");
    return nullptr;
  }
  void AdvanceLevel() override { Calls.push_back("AdvanceLevel"); }
  void StartGame(TDifficulty) override { Calls.push_back("StartGame"); }
  std::vector<std::string> Calls;
  bool FailStars = false;
};

// The messages of a log file, one per entry.
std::vector<std::string> LogMessagesIn(const std::string& path);

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : main(platform), title(main) {
    platform.Dir = data.Dir();
    main.SetUnits({&title, &player, &hole});
  }

  // Runs the activation as the platform would: an exception goes to the application.
  void Activate() {
    try {
      main.FormActivate();
    } catch (const std::exception& e) {
      main.ApplicationException(e);
    }
  }
  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) main.TimerEvent(0);
  }
  // The messages of the log file, one per entry.
  std::vector<std::string> LogMessages() const;
  bool Logged(const std::string& fragment) const;
  // Starts play as the title screen's difficulty choice would.
  void StartPlaying(int32_t enemies = 5);

  TMiniData data;
  TFakePlatform platform;
  TfrmMain main;
  TRecordingTitle title;
  TRecordingPlayer player;
  TRecordingHole hole;
};

}  // namespace quellix::testing
