// A small but complete set of game data in a temporary folder: both archives, the
// animation, pattern and configuration files. Tests start the main window on it.
#pragma once

#include <filesystem>
#include <string>

#include "support/vtTempDir.h"

namespace quellix::testing {

class TMiniData {
 public:
  // Writes the data into a new temporary folder of a unique name.
  TMiniData();

  // The folder, with a trailing separator (the form the main window expects).
  std::string Dir() const { return fFolder.Dir(); }
  std::string File(const std::string& name) const { return (fFolder.Path() / name).string(); }
  void Remove(const std::string& name) const { std::filesystem::remove(fFolder.Path() / name); }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;

 private:
  TTempDir fFolder;
};

}  // namespace quellix::testing
