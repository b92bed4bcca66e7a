// Helpers for the back end's tests: pictures and sounds made on the spot, archives of
// them in a temporary folder, the dummy SDL drivers and a recorder of window events.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "graphics/vtArchive.h"
#include "graphics/vtPlatform.h"
#include "media/vtSdlHandles.h"
#include "media/vtSdlPlatform.h"
#include "support/vtTempDir.h"

namespace quellix::testing {

// SDL's dummy video and audio drivers, so no test needs a screen or sound hardware.
void UseDummyDrivers();
// The windowed platform's options for tests: an 800 x 600 window, the dummy audio driver.
media::TSdlPlatformOptions WindowedOptions();

// An opaque w x h picture whose pixel (x, y) has colour(x, y).
std::vector<uint8_t> Png(int w, int h, const std::function<TColor(int, int)>& colour);
// A mono 16-bit WAV of the given length in milliseconds (a quiet square wave).
std::vector<uint8_t> Wav(int milliseconds);

TImageItem ImageFields(const std::string& name, bool transparent = false, TColor key = 0);
TSoundItem SoundFields(const std::string& name, int32_t maxPlaying = 0, bool looped = false);

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Records every call of the game's window events; the test decides what ticks do.
class TRecordingEvents : public IMainWindowEvents {
 public:
  void FormActivate() override { Calls.push_back("activate"); }
  // Records the key, then throws when it is ThrowOnKey.
  void FormKeyUp(int32_t key) override;
  void FormMouseDown(TMouseButton b) override;
  void FormMouseUp(TMouseButton b) override;
  void FormClose() override { Calls.push_back("close"); }
  void TimerEvent(int32_t) override;
  void ApplicationException(const std::exception& e) override;
  int Count(const std::string& call) const;

  std::vector<std::string> Calls;
  int Ticks = 0;
  std::function<void(int)> OnTick;
  int32_t ThrowOnKey = 0;
};
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace quellix::testing
