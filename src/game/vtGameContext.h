// What the game units ask of the game around them: the two engines, the one random
// generator, the sound player, the difficulty table, the display and input, and the
// values the units share. The main window answers it; the units never see the window
// itself, so game/ stands below the shell and any host can run the units.
#pragma once

#include <cstdint>

#include "game/vtGameState.h"

namespace quellix {

class IDisplay;
class IInput;
class TRandom;
class Tvt6AudioEngine;
class Tvt6ConfigurationMgr;
class Tvt6Engine;

class IGameContext {
 public:
  virtual ~IGameContext() = default;

  // None before start-up has made them (MainEngineOf and TextEngineOf raise then).
  virtual Tvt6Engine* MainEngine() = 0;
  virtual Tvt6Engine* TextEngine() = 0;
  virtual TRandom& Random() = 0;
  // MainEngine's sound player, and the configuration every difficulty's enemy numbers
  // are loaded from; both raise std::logic_error before start-up.
  virtual Tvt6AudioEngine& Sound() = 0;
  virtual const Tvt6ConfigurationMgr& Difficulties() = 0;
  virtual IDisplay& Display() = 0;
  virtual IInput& Input() = 0;
  virtual TGameGlobals& Globals() = 0;
  // The enemies the level still holds; the level ends at 0 or less.
  virtual int32_t EnemiesLeft() const = 0;
  virtual void SetEnemiesLeft(int32_t value) = 0;
};

}  // namespace quellix
