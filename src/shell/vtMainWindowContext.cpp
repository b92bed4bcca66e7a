#include "shell/vtMainWindowContext.h"

#include "engine/vtEngine.h"
#include "game/vtUnitSupport.h"
#include "shell/vtMainWindow.h"

namespace quellix {

Tvt6Engine* TMainWindowContext::MainEngine() {
  return fMain.MainEngine();
}

Tvt6Engine* TMainWindowContext::TextEngine() {
  return fMain.TextEngine();
}

TRandom& TMainWindowContext::Random() {
  return fMain.Random();
}

Tvt6AudioEngine& TMainWindowContext::Sound() {
  return *MainEngineOf(*this).AudioEngine();
}

const Tvt6ConfigurationMgr& TMainWindowContext::Difficulties() {
  return *MainEngineOf(*this).ConfigurationMgr();
}

IDisplay& TMainWindowContext::Display() {
  return fMain.Platform().Display();
}

IInput& TMainWindowContext::Input() {
  return fMain.Platform().Input();
}

TGameGlobals& TMainWindowContext::Globals() {
  return fMain.Globals;
}

int32_t TMainWindowContext::EnemiesLeft() const {
  return fMain.EnemiesLeft();
}

void TMainWindowContext::SetEnemiesLeft(int32_t value) {
  fMain.SetEnemiesLeft(value);
}

}  // namespace quellix
