// Replay files: whatever the bytes, reading gives a replay or a TReplayError, never a
// bad read; a replay that was read writes and reads back the same. The bytes are tried
// as they are and again with a matching check line after them, so that the fuzzer gets
// past the check value into every kind of line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/vtReplayFile.h"

namespace {

void Read(std::string_view text) {
  quellix::TReplay replay;
  try {
    replay = quellix::ReadReplay(text, "fuzz.replay");
  } catch (const quellix::TReplayError&) {
    return;
  }
  if (!(quellix::ReadReplay(quellix::WriteReplay(replay), "again.replay") == replay)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Read(text);
  const std::string body(text);
  Read(body + "end " + quellix::DigestText(quellix::Fnv1a(body)) + "\n");
  return 0;
}
