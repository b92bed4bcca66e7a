#include "media/vtHeadlessPlatform.h"

#include <SDL_image.h>

#include <optional>
#include <stdexcept>

#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

TSurfacePtr MakeSurface() {
  TSurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, ScreenWidth, ScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) throw TSdlError("cannot make the headless screen");
  return surface;
}

TRendererPtr MakeRenderer(SDL_Surface* surface) {
  TRendererPtr renderer(SDL_CreateSoftwareRenderer(surface));
  if (!renderer) throw TSdlError("cannot draw on the headless screen");
  return renderer;
}

}  // namespace

THeadlessPlatform::THeadlessPlatform(const THeadlessOptions& options)
    : fExeDir(options.ExeDir),
      fSurface(MakeSurface()),
      fRenderer(MakeRenderer(fSurface.get())),
      fPads(options.Gamepads ? std::make_unique<TGamepads>(fLog) : nullptr),
      fMedia(fRenderer.get(), fLog, options.AudioDriver) {
  fMedia.Fonts.SetFolders(TFontCatalog::StandardFolders(fExeDir));
  fMedia.Input.SetPointerSource(fPads.get());
}

THeadlessPlatform::~THeadlessPlatform() = default;

void THeadlessPlatform::SetExeDir(const std::string& dir) {
  fExeDir = dir;
  fMedia.Fonts.SetFolders(TFontCatalog::StandardFolders(fExeDir));
}

void THeadlessPlatform::AttachLog(std::function<void(const std::string&)> log) {
  fLog.Attach(std::move(log));
}

void THeadlessPlatform::SetMotionStyle(TMotionStyle style) {
  if (style == MotionStyle()) return;
  if (style == TMotionStyle::Smooth)
    fSmooth =
        std::make_unique<TSmoothScreen>(fMedia.Display, fMedia.Images, [this] { Refresh(1); });
  else
    fSmooth.reset();
  fDisplay.SwitchTo(fSmooth ? fSmooth->Display() : fMedia.Display);
  fImages.SwitchTo(fSmooth ? fSmooth->Images() : fMedia.Images);
}

void THeadlessPlatform::Refresh(double fraction) {
  if (!fSmooth) throw std::logic_error("Refresh needs smooth motion");
  if (const std::optional<std::string> failure = fSmooth->Show(fraction))
    fLog.Once("refresh", "A refresh of the screen could not draw everything: " + *failure);
}

void THeadlessPlatform::ShowProgress(std::string_view text, int32_t position, int32_t maximum) {
  Progress.push_back({std::string(text), position, maximum});
  ProgressShown = true;
}

void THeadlessPlatform::TypeTester(IModalWindow& window) {
  for (char c : std::string("Tester")) window.TextInput(std::string(1, c));
  window.KeyDown(VK_RETURN);
  window.KeyUp(VK_RETURN);
}

void THeadlessPlatform::ShowModal(IModalWindow& window) {
  ++ModalsShown;
  IModalWindow* outer = fMedia.Display.Overlay();
  fMedia.Display.SetOverlay(&window);
  struct TRestore {
    TSdlDisplay& Display;
    IModalWindow* Outer;
    ~TRestore() { Display.SetOverlay(Outer); }
  } restore{fMedia.Display, outer};
  if (fTicksBeneathModal) {
    while (!window.Closed() && !CloseRequested) fTicksBeneathModal->TimerEvent(0);
  } else if (ModalScript) {
    ModalScript(window);
  }
  window.Paint(fMedia.Display);
}

TColor THeadlessPlatform::Pixel(int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= ScreenWidth || y >= ScreenHeight)
    throw std::out_of_range("pixel " + std::to_string(x) + "," + std::to_string(y) +
                            " is off the screen");
  SDL_RenderFlush(fRenderer.get());
  const auto* row = static_cast<const uint8_t*>(fSurface->pixels) + y * fSurface->pitch;
  const uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
  return RGB(static_cast<uint8_t>(argb >> 16u), static_cast<uint8_t>(argb >> 8u),
             static_cast<uint8_t>(argb));
}

void THeadlessPlatform::SavePng(const std::string& path) {
  SDL_RenderFlush(fRenderer.get());
  if (IMG_SavePNG(fSurface.get(), path.c_str()) != 0) throw TSdlError("cannot save " + path);
}

void THeadlessPlatform::SetPadBindings(const TPadBindings& bindings) {
  if (fPads) fPads->SetBindings(bindings);
}

void THeadlessPlatform::PumpGamepads(IMainWindowEvents& events) {
  if (!fPads) return;
  // The main window hears the controllers as the keyboard's key-ups and the mouse.
  class TTarget : public IPadTarget {
   public:
    explicit TTarget(IMainWindowEvents& events) : fEvents(events) {}
    void PadKey(int32_t key, bool down) override {
      if (!down) fEvents.FormKeyUp(key);
    }
    void PadMouseButton(TMouseButton button, bool down) override {
      if (down)
        fEvents.FormMouseDown(button);
      else
        fEvents.FormMouseUp(button);
    }

   private:
    IMainWindowEvents& fEvents;
  } target(events);
  SDL_Event event;
  while (SDL_PollEvent(&event)) fPads->HandleEvent(event, target);
}

const SDL_Surface& THeadlessPlatform::Screen() {
  SDL_RenderFlush(fRenderer.get());
  return *fSurface;
}

void THeadlessPlatform::SetMouse(int32_t dx, int32_t dy, bool button0) {
  fMedia.Input.AddMotion(dx, dy);
  fMedia.Input.SetButton0(button0);
}

}  // namespace quellix::media
