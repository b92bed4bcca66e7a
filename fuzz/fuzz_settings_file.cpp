// The settings file: read as start-up reads it (each line it cannot use reported), then
// saved over its own text, as the options screen saves, and read again: the settings are
// the same, and every line the game does not know is still there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "services/vtGameSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto ignore = [](const std::string&) {};
  const TGameSettings settings = ParseGameSettings(text, ignore);
  const std::string saved = GameSettingsText(settings, text);
  if (ParseGameSettings(saved, ignore) != settings) std::abort();
  if (GameSettingsText(settings, saved) != saved) std::abort();
  return 0;
}
