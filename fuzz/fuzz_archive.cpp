// libFuzzer over the archive reader and the payload decoders. The first byte picks the
// path: an image or sound archive (parsed, then every item decoded as the lists do),
// or a lone PNG or WAV payload. The rest of the input is the file.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <vector>

#include "graphics/vtArchive.h"
#include "media/vtPayloads.h"

namespace {

// Decoding every item of a large archive would only slow the search down.
constexpr size_t MaxDecodedItems = 8;

void DecodeItems(const quellix::TArchive& archive) {
  using namespace quellix;
  for (size_t i = 0; i < archive.Entries.size() && i < MaxDecodedItems; ++i) {
    if (archive.Kind == TArchiveKind::Images)
      media::DecodePicture(archive.Payload(i), archive.Entries[i].Image, "fuzz.vtg");
    else
      media::DecodeWave(archive.Payload(i), archive.Entries[i].Name, "fuzz.vtw",
                        Mix_QuerySpec(nullptr, nullptr, nullptr) != 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The mixer on the dummy driver, so WAV payloads go through Mix_LoadWAV_RW as in play.
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  if (size < 1) return 0;
  const uint8_t mode = data[0] % 4;
  const std::vector<uint8_t> bytes(data + 1, data + size);
  try {
    switch (mode) {
      case 0:
        DecodeItems(ParseArchive(bytes, TArchiveKind::Images, "fuzz.vtg"));
        break;
      case 1:
        DecodeItems(ParseArchive(bytes, TArchiveKind::Sounds, "fuzz.vtw"));
        break;
      case 2: {
        TImageItem fields;
        fields.Name = "item";
        fields.Transparent = true;
        media::DecodePicture(bytes, fields, "fuzz.png");
        break;
      }
      default:
        media::DecodeWave(bytes, "item", "fuzz.wav", Mix_QuerySpec(nullptr, nullptr, nullptr) != 0);
        break;
    }
  } catch (const TArchiveError&) {
    // Refusing bad input with an error is the expected outcome.
  }
  return 0;
}
