#include "media/vtAudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "base/vtStartupTrace.h"

namespace quellix::media {

namespace {
constexpr int Frequency = 44100;
constexpr int Channels = 2;
constexpr int ChunkSize = 1024;
}  // namespace

TAudioDevice::TAudioDevice(TPlatformLog& log, const std::string& driver, bool openLater)
    : fLog(log) {
  // Over the environment's choice: the caller asked for this driver.
  if (!driver.empty())
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
  fSubsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!fSubsystem) fProblem = SDL_GetError();
  if (!driver.empty()) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (!openLater) Start();
}

void TAudioDevice::Start() {
  if (fStarted) return;
  fStarted = true;
  if (fSubsystem) {
    fMixerOpen = Mix_OpenAudio(Frequency, AUDIO_S16SYS, Channels, ChunkSize) == 0;
    if (!fMixerOpen) fProblem = Mix_GetError();
  }
  if (!fMixerOpen) fLog.Write("No sound device (" + fProblem + "): sound effects are silent");
  TraceStartup("sound device and mixer open");
}

TAudioDevice::~TAudioDevice() {
  if (fMixerOpen) {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
  }
  if (fSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace quellix::media
