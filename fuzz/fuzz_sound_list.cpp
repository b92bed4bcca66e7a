// The sound archive through the sound list of the headless back end (SDL's dummy audio
// driver): either the bytes as the whole file, or items built from them (flags, copy
// limit and WAV payload, with a checksum that holds). Every item loaded is then played
// more often than its copy limit allows, and everything stopped.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "graphics/vtArchive.h"
#include "vtFuzzMedia.h"
#include "vtFuzzSupport.h"

namespace {

constexpr int MaxItems = 4;
constexpr int PlaysPerItem = 6;

std::vector<uint8_t> BuildArchive(quellix::fuzz::TByteReader& in) {
  using namespace quellix;
  TArchiveWriter archive(TArchiveKind::Sounds);
  for (int i = 0; i < MaxItems && !in.AtEnd(); ++i) {
    TSoundItem item;
    item.Name = "sound" + std::to_string(i);
    item.Looped = in.U8() & 1;
    item.MaxPlayingCount = in.I32();
    const size_t length = in.U8() * 256u + in.U8();
    const auto payload = in.Bytes(length);
    try {
      archive.AddSound(item, payload);
    } catch (const std::exception&) {
      // Fields the writer refuses are left out.
    }
  }
  return archive.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quellix::fuzz::Headless();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  if (size < 1) return 0;
  ISoundList& sounds = fuzz::Headless().SoundList();
  fuzz::LoadArchive(sounds, data, size, "sounds.vtw", BuildArchive);
  for (int32_t i = 0; i < sounds.Count() && i < MaxItems; ++i) {
    TSoundInstance last = 0;
    for (int p = 0; p < PlaysPerItem; ++p) last = sounds.Play(i);
    sounds.Stop(last);
  }
  sounds.StopAll();
  return 0;
}
