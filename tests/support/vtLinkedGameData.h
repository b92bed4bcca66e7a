// The game data of the run folder, linked into a temporary folder of the test's own, so
// a test can start the game on the real data without ever writing beside it (the run
// folder holds the player's high scores).
#pragma once

#include <filesystem>
#include <string>

namespace quellix::testing {

class TLinkedGameData {
 public:
  // A test that needs more than one folder tells them apart by tag.
  explicit TLinkedGameData(const std::string& tag = "");
  ~TLinkedGameData();
  TLinkedGameData(const TLinkedGameData&) = delete;
  TLinkedGameData& operator=(const TLinkedGameData&) = delete;
  // The folder, with a trailing separator.
  std::string Dir() const { return fDir.string() + "/"; }

 private:
  std::filesystem::path fDir;
};

}  // namespace quellix::testing
