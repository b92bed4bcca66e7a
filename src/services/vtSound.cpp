#include "services/vtSound.h"

namespace quellix {

TSoundInstance Tvt6AudioEngine::PlaySound(std::string_view name) {
  if (!fEnabled || !fSounds) return 0;
  const int32_t index = fSounds->IndexOf(name);
  return index < 0 ? 0 : fSounds->Play(index);
}

void Tvt6AudioEngine::StopSound(TSoundInstance instance) {
  if (fSounds && instance != 0) fSounds->Stop(instance);
}

void Tvt6AudioEngine::StopAll() {
  if (fSounds) fSounds->StopAll();
}

}  // namespace quellix
