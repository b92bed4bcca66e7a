#include "support/vtLinkedGameData.h"

#include <gtest/gtest.h>

namespace quellix::testing {

namespace fs = std::filesystem;

TLinkedGameData::TLinkedGameData(const std::string& tag) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name =
      info ? std::string(info->test_suite_name()) + "_" + info->name() : "game";
  fDir = fs::temp_directory_path() / ("quellix_game_" + name + tag);
  fs::remove_all(fDir);
  fs::create_directories(fDir / "data");
  const fs::path run(QUELLIX_RUN_DIR);
  for (const char* file :
       {"sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt", "data/config.txt"}) {
    if (!fs::exists(run / file)) ADD_FAILURE() << "the build has not made " << (run / file);
    fs::create_symlink(run / file, fDir / file);
  }
}

TLinkedGameData::~TLinkedGameData() {
  std::error_code ignored;
  fs::remove_all(fDir, ignored);
}

}  // namespace quellix::testing
