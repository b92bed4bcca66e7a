#include "vtSimPlatform.h"

#include <SDL.h>

#include <stdexcept>

#include "media/vtHeadlessPlatform.h"
#include "media/vtMouseInput.h"
#include "vtDigest.h"
#include "vtDrawGate.h"
#include "vtQuietMedia.h"

namespace quellix::sim {

void TSimPlatform::ShowMessage(std::string_view text) {
  Log("Message shown: " + std::string(text));
}

void TSimPlatform::ShowModal(IModalWindow& window, std::function<void()> closed) {
  fModals.Push(window, std::move(closed));
}

namespace {

class TQuietPlatform : public TSimPlatform {
 public:
  explicit TQuietPlatform(const std::string& exeDir) : TSimPlatform(exeDir) {}

  IDisplay& Display() override { return fDisplay; }
  IImageList& ImageList() override { return fImages; }
  ISoundList& SoundList() override { return fSounds; }
  IInput& Input() override { return fInput; }

  void SetMouse(int32_t dx, int32_t dy, bool button0) override {
    fInput.AddMotion(dx, dy);
    fInput.SetButton0(button0);
  }
  bool Draws() const override { return false; }
  void SavePng(const std::string&) override { throw std::logic_error("nothing is drawn"); }
  uint64_t ScreenDigest() override { throw std::logic_error("nothing is drawn"); }

 private:
  TQuietDisplay fDisplay;
  TQuietImageList fImages;
  TQuietSoundList fSounds;
  media::TMouseInput fInput;
};

media::THeadlessOptions SilentOptions(const std::string& exeDir) {
  media::THeadlessOptions options;
  options.ExeDir = exeDir;
  options.AudioDriver = "none";
  return options;
}

class TDrawingPlatform : public TSimPlatform {
 public:
  explicit TDrawingPlatform(const std::string& exeDir)
      : TSimPlatform(exeDir),
        fHeadless(SilentOptions(exeDir)),
        fDisplay(fHeadless.Display(), fDrawing),
        fImages(fHeadless.ImageList(), fDrawing) {
    // The headless display paints the window over every frame while it is open; the
    // simulator types into it.
    fHeadless.ModalScript = nullptr;
  }

  void ShowModal(IModalWindow& window, std::function<void()> closed) override {
    fHeadless.ShowModal(window, std::move(closed));
  }
  IModalWindow* Modal() const override { return fHeadless.Modal(); }
  void EndClosedModals() override {
    if (CloseRequested()) fHeadless.CloseMainWindow();
    fHeadless.EndClosedModals();
  }
  void AttachLog(std::function<void(const std::string&)> log) override {
    TSimPlatform::AttachLog(std::move(log));
    fHeadless.AttachLog(NoteSink());
  }
  IDisplay& Display() override { return fDisplay; }
  IImageList& ImageList() override { return fImages; }
  ISoundList& SoundList() override { return fHeadless.SoundList(); }
  IInput& Input() override { return fHeadless.Input(); }

  void SetMouse(int32_t dx, int32_t dy, bool button0) override {
    fHeadless.SetMouse(dx, dy, button0);
  }
  bool Draws() const override { return true; }
  void DrawFrames(bool on) override { fDrawing = on; }
  void SavePng(const std::string& path) override { fHeadless.SavePng(path); }
  uint64_t ScreenDigest() override {
    const SDL_Surface& screen = fHeadless.Screen();
    TDigest digest;
    const auto* row = static_cast<const uint8_t*>(screen.pixels);
    for (int y = 0; y < screen.h; ++y, row += screen.pitch)
      digest.AddBytes({row, static_cast<size_t>(screen.w) * 4});
    return digest.Value();
  }

 private:
  media::THeadlessPlatform fHeadless;
  bool fDrawing = true;
  TGatedDisplay fDisplay;
  TGatedImageList fImages;
};

}  // namespace

std::unique_ptr<TSimPlatform> MakeQuietPlatform(const std::string& exeDir) {
  return std::make_unique<TQuietPlatform>(exeDir);
}

std::unique_ptr<TSimPlatform> MakeDrawingPlatform(const std::string& exeDir) {
  return std::make_unique<TDrawingPlatform>(exeDir);
}

}  // namespace quellix::sim
