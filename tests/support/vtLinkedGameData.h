// The game data of the run folder, linked into a new temporary folder of the test's own
// (LinkGameData),
// so a test can start the game on the real data without ever writing beside it (the run
// folder holds the player's high scores). The folder's name is unique: tests running side
// by side, in one build or in several, never share it.
#pragma once

#include <string>

#include "support/vtTempDir.h"

namespace quellix::testing {

class TLinkedGameData {
 public:
  TLinkedGameData();
  // The folder, with a trailing separator.
  std::string Dir() const { return fFolder.Dir(); }

 private:
  TTempDir fFolder;
};

}  // namespace quellix::testing
