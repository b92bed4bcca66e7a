// The configuration file's first line, parsed as the manager reads it, then every
// enemy kind loaded from each difficulty: errors are exceptions, never a bad read.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "config/vtConfigClasses.h"
#include "config/vtEnemySettings.h"
#include "config/vtTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Tvt6ConfigurationMgr config;
  try {
    const TStringList lines = SplitLines(text);
    if (!lines.empty()) config.ParseText(lines.front());
  } catch (const std::exception&) {
  }
  TEnemySettings settings;
  for (std::string_view section : DifficultySections) {
    try {
      LoadEnemySettings(config, section, settings);
    } catch (const std::exception&) {
    }
  }
  return 0;
}
