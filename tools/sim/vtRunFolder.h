// The folder a simulated game runs in, as the game's own folder: a new temporary folder
// holding links to the five data files of a run folder and to its typefaces (fonts/),
// copies where the system makes no link, and nothing else, so the game starts from the
// default high-score table and writes its log and high scores there, never beside the
// player's. Removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace quellix::sim {

class TRunFolder {
 public:
  // Throws std::runtime_error naming the file when dataDir lacks a data file.
  explicit TRunFolder(const std::filesystem::path& dataDir);
  ~TRunFolder();
  TRunFolder(const TRunFolder&) = delete;
  TRunFolder& operator=(const TRunFolder&) = delete;

  // With a trailing separator.
  std::string Dir() const;

 private:
  std::filesystem::path fPath;
};

}  // namespace quellix::sim
