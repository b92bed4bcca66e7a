#include "support/vtLinkedGameData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quellix::testing {

namespace fs = std::filesystem;

TLinkedGameData::TLinkedGameData() {
  const fs::path dir = fFolder.Path();
  fs::create_directories(dir / "data");
  const fs::path run(QUELLIX_RUN_DIR);
  for (const char* file :
       {"sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt", "data/config.txt"}) {
    if (!fs::exists(run / file)) ADD_FAILURE() << "the build has not made " << (run / file);
    fs::create_symlink(run / file, dir / file);
  }
}

}  // namespace quellix::testing
