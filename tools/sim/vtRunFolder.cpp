#include "vtRunFolder.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

#include "shell/vtDataDigest.h"

namespace quellix::sim {

namespace fs = std::filesystem;

TRunFolder::TRunFolder(const fs::path& dataDir) {
  for (std::string_view file : GameDataFiles)
    if (!fs::is_regular_file(dataDir / file))
      throw std::runtime_error("the game's data lacks " + (dataDir / file).string());
  std::string pattern = (fs::temp_directory_path() / "quellix-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::system_error(errno, std::generic_category(), "cannot make a run folder");
  fPath = pattern;
  try {
    fs::create_directory(fPath / "data");
    for (std::string_view file : GameDataFiles)
      fs::create_symlink(fs::absolute(dataDir / file), fPath / file);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(fPath, ignored);
    throw;
  }
}

TRunFolder::~TRunFolder() {
  std::error_code ignored;
  fs::remove_all(fPath, ignored);
}

}  // namespace quellix::sim
