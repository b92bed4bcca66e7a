#include "support/vtTempDir.h"

#include <system_error>

#include "base/vtFileSystem.h"

namespace quellix::testing {

TTempDir::TTempDir() : fPath(MakeTemporaryFolder("quellix-test-")) {}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(fPath, ignored);
}

std::string TTempDir::Dir() const {
  return FolderText(fPath);
}

std::string TTempDir::File(const std::string& name) const {
  return TextOf(fPath / PathOf(name));
}

}  // namespace quellix::testing
