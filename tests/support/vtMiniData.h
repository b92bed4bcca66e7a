// A small but complete set of game data in a temporary folder: both archives, the
// animation, pattern and configuration files. Tests start the main window on it.
#pragma once

#include <filesystem>
#include <string>

namespace quellix::testing {

class TMiniData {
 public:
  // Writes the data into a new temporary folder named after the running test.
  TMiniData();
  ~TMiniData();
  TMiniData(const TMiniData&) = delete;
  TMiniData& operator=(const TMiniData&) = delete;

  // The folder, with a trailing separator (the form the main window expects).
  std::string Dir() const { return fDir.string() + "/"; }
  std::string File(const std::string& name) const { return (fDir / name).string(); }
  void Remove(const std::string& name) const { std::filesystem::remove(fDir / name); }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path fDir;
};

}  // namespace quellix::testing
