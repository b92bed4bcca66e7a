// A new folder of a test's own under the system's temporary folder, removed with all it
// holds when the object goes. Its name is unique, so tests running side by side never
// share a file.
#pragma once

#include <filesystem>
#include <string>

namespace quellix::testing {

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return fPath; }
  // The folder with a trailing separator, and a file in it, as UTF-8 text.
  std::string Dir() const;
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path fPath;
};

}  // namespace quellix::testing
