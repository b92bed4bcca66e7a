#include "base/vtFileSystem.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace quellix {

namespace fs = std::filesystem;

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string TextOf(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FolderText(const fs::path& folder) {
  // Appending an empty name adds the separator a folder lacks, and only then.
  return TextOf(folder / "");
}

fs::path MakeTemporaryFolder(std::string_view prefix) {
  // The clock makes names unlikely to meet across processes, the counter within one;
  // create_directory refuses a name that is taken, and the next one is tried.
  static std::atomic<uint64_t> counter{0};
  const fs::path parent = fs::temp_directory_path();
  const auto now =
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  std::error_code error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const uint64_t n = (now ^ (counter++ * 0x9E3779B97F4A7C15u)) & 0xFFFFFFFFFFFFu;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%012llx", static_cast<unsigned long long>(n));
    const fs::path folder = parent / (std::string(prefix) + suffix);
    if (fs::create_directory(folder, error)) return folder;
    if (error) break;
  }
  throw std::system_error(error ? error : std::make_error_code(std::errc::file_exists),
                          "cannot make a folder in " + TextOf(parent));
}

}  // namespace quellix
