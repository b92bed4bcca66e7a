// The main window as the game units see it: its engines, random generator, display,
// input and shared values, and MainEngine's sound player and configuration.
#pragma once

#include "game/vtGameContext.h"

namespace quellix {

class TfrmMain;

class TMainWindowContext final : public IGameContext {
 public:
  explicit TMainWindowContext(TfrmMain& main) : fMain(main) {}

  Tvt6Engine* MainEngine() override;
  Tvt6Engine* TextEngine() override;
  TRandom& Random() override;
  Tvt6AudioEngine& Sound() override;
  const Tvt6ConfigurationMgr& Difficulties() override;
  IDisplay& Display() override;
  IInput& Input() override;
  TGameGlobals& Globals() override;
  int32_t EnemiesLeft() const override;
  void SetEnemiesLeft(int32_t value) override;

 private:
  TfrmMain& fMain;
};

}  // namespace quellix
