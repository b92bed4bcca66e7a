#include "vtRunFolder.h"

#include <stdlib.h>

#include <array>
#include <stdexcept>
#include <system_error>

namespace quellix::sim {

namespace fs = std::filesystem;

namespace {
constexpr std::array<const char*, 5> DataFiles = {"sprites.vtg", "sounds.vtw", "data/quellix.txt",
                                                  "data/patterns.txt", "data/config.txt"};
}

TRunFolder::TRunFolder(const fs::path& dataDir) {
  for (const char* file : DataFiles)
    if (!fs::is_regular_file(dataDir / file))
      throw std::runtime_error("the game's data lacks " + (dataDir / file).string());
  std::string pattern = (fs::temp_directory_path() / "quellix-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::system_error(errno, std::generic_category(), "cannot make a run folder");
  fPath = pattern;
  try {
    fs::create_directory(fPath / "data");
    for (const char* file : DataFiles)
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
