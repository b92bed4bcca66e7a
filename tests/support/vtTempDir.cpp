#include "support/vtTempDir.h"

#include <stdlib.h>

#include <system_error>

namespace quellix::testing {

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quellix-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  fPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(fPath, ignored);
}

}  // namespace quellix::testing
