#include "media/vtSdlPlatform.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "media/vtFrameClock.h"
#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

// While no frame timer runs, the loop still wakes now and then.
constexpr uint32_t IdleWaitMilliseconds = 100;

// The accelerated renderer draws with OpenGL where there is one, and SDL destroys and
// makes again a window made without OpenGL when such a renderer starts on it: a second
// window, and a second wait for the full-screen switch. So the window is made for
// OpenGL from the start, and plainly where the video driver has none.
TWindowPtr MakeWindow(Uint32 flags) {
  const auto make = [](Uint32 windowFlags) {
    return TWindowPtr(SDL_CreateWindow("Quellix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       ScreenWidth, ScreenHeight, windowFlags));
  };
  TWindowPtr window = make(flags | SDL_WINDOW_OPENGL);
  if (!window) window = make(flags);
  if (!window) throw TSdlError("cannot open the main window");
  return window;
}

TRendererPtr MakeRenderer(SDL_Window* window) {
  TRendererPtr renderer(
      SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
  if (!renderer)
    renderer.reset(
        SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC));
  if (!renderer) renderer.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
  if (!renderer) throw TSdlError("cannot draw into the main window");
  return renderer;
}

bool ToMouseButton(uint8_t sdlButton, TMouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      button = TMouseButton::Left;
      return true;
    case SDL_BUTTON_RIGHT:
      button = TMouseButton::Right;
      return true;
    case SDL_BUTTON_MIDDLE:
      button = TMouseButton::Middle;
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string ExecutableDir() {
  // SDL asks the system (/proc/self/exe, GetModuleFileNameW) and answers in UTF-8, with
  // the separator at the end.
  char* base = SDL_GetBasePath();
  if (!base) return "./";
  std::string dir = base;
  SDL_free(base);
  return dir;
}

TSdlPlatform::TSdlPlatform(const TSdlPlatformOptions& options)
    : fVideo(SDL_INIT_VIDEO | SDL_INIT_EVENTS),
      fExeDir(ExecutableDir()),
      fFullScreen(options.FullScreen),
      fPeriod(SDL_GetPerformanceFrequency() * TickMilliseconds / 1000) {
  std::unique_ptr<TArchivePrefetch> prefetch;
  if (!options.ImageArchive.empty())
    prefetch = std::make_unique<TArchivePrefetch>(options.ImageArchive, DecodeThreads());
  const Uint32 flags =
      SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN | (fFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  fWindow = MakeWindow(flags);
  fRenderer = MakeRenderer(fWindow.get());
  SDL_RenderSetLogicalSize(fRenderer.get(), ScreenWidth, ScreenHeight);
  fMedia = std::make_unique<TMediaSet>(fRenderer.get(), fLog, options.AudioDriver);
  fMedia->Fonts.SetFolders(
      TFontCatalog::StandardFolders(options.DataDir.empty() ? fExeDir : options.DataDir));
  fMedia->Input.SetPointerSource(&fPads);
  fMedia->Images.AdoptPrefetch(std::move(prefetch));
  fMedia->Display.Fill(0);
  SDL_RenderPresent(fRenderer.get());
}

TSdlPlatform::~TSdlPlatform() {
  SDL_SetRelativeMouseMode(SDL_FALSE);
  fProgress.reset();
  fMedia.reset();  // its textures go before the renderer
}

void TSdlPlatform::AttachLog(std::function<void(const std::string&)> log) {
  fLog.Attach(std::move(log));
}

IDisplay& TSdlPlatform::Display() {
  if (fSmooth) return fSmooth->Display();
  return fMedia->Display;
}

IImageList& TSdlPlatform::ImageList() {
  if (fSmooth) return fSmooth->Images();
  return fMedia->Images;
}

void TSdlPlatform::SetMotionStyle(TMotionStyle style) {
  if (style != TMotionStyle::Smooth || fSmooth) return;
  fSmooth = std::make_unique<TSmoothScreen>(fMedia->Display, fMedia->Images,
                                            [this] { fFrameTime = fTickTime; });
  int rate = fRefreshRate;
  const char* source = "chosen";
  if (SDL_DisplayMode mode{}; rate <= 0) {
    rate = SDL_GetWindowDisplayMode(fWindow.get(), &mode) == 0 ? mode.refresh_rate : 0;
    source = rate > 0 ? "reported" : "assumed";
  }
  SDL_RendererInfo info{};
  const bool vsync = SDL_GetRendererInfo(fRenderer.get(), &info) == 0 &&
                     (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  fPacer = std::make_unique<TRefreshPacer>(SDL_GetPerformanceFrequency(), rate, vsync);
  fLog.Write("Smooth motion: drawn at every refresh of a " + std::to_string(fPacer->Rate()) +
             " Hz display (rate " + source + ")" + (vsync ? ", with vsync" : ", without vsync"));
}

template <class F>
void TSdlPlatform::Guarded(F&& handler) {
  if (!fEvents) return;
  try {
    handler();
  } catch (const std::exception& error) {
    Report(error);
  } catch (...) {
    Report(std::runtime_error("unknown exception"));
  }
}

void TSdlPlatform::Report(const std::exception& error) noexcept {
  try {
    fEvents->ApplicationException(error);
  } catch (...) {
    // The application's own handler failed; nothing is left to tell.
  }
}

int TSdlPlatform::Run(IMainWindowEvents& events) {
  fEvents = &events;
  const bool focused = (SDL_GetWindowFlags(fWindow.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
  SetFocus(focused);
  if (!focused) TakeFocus();
  while (!fCloseRequested) Step();
  Guarded([&] { events.FormClose(); });
  SetFocus(false);
  fEvents = nullptr;
  return 0;
}

bool TSdlPlatform::LoopEnds() const {
  return fCloseRequested || (fModal && fModal->Closed());
}

void TSdlPlatform::PumpEvents() {
  SDL_Event event;
  while (!LoopEnds() && SDL_PollEvent(&event)) Dispatch(event);
}

void TSdlPlatform::Step() {
  PumpEvents();
  if (LoopEnds()) return;
  if (!fFocused) {
    SDL_WaitEventTimeout(nullptr, IdleWaitMilliseconds);
    return;
  }
  uint64_t now = SDL_GetPerformanceCounter();
  const TTickPlan plan = PlanTick(fDeadline, now, fPeriod);
  if (plan.Fire) {
    fDeadline = plan.NextDeadline;
    fTickTime = plan.NextDeadline - fPeriod;
    Guarded([&] { fEvents->TimerEvent(plan.Lag); });
    if (!fSmooth || LoopEnds()) return;
    now = SDL_GetPerformanceCounter();
  }
  uint64_t wake = fDeadline;
  if (fSmooth && RefreshWanted()) {
    const uint64_t due = fPacer->NextRefresh(now);
    if (due <= now) {
      Refresh(now);
      return;
    }
    wake = std::min(wake, due);
  }
  SDL_WaitEventTimeout(
      nullptr, static_cast<int>(WaitMilliseconds(wake, now, SDL_GetPerformanceFrequency())));
}

// Once a frame has been shown as it stands at the end of its tick, nothing new is drawn
// until the next tick: a paused game stands still, and so does what the hand steers.
bool TSdlPlatform::RefreshWanted() const {
  return fSmooth->FramesFinished() > 0 &&
         (fShownFrame != fSmooth->FramesFinished() || fShownFraction < 1 || fPictureLost);
}

void TSdlPlatform::Refresh(uint64_t now) {
  const double into = now > fFrameTime ? static_cast<double>(now - fFrameTime) : 0.0;
  const double fraction = std::min(1.0, into / static_cast<double>(fPeriod));
  // A picture lost while the game stands still comes back as it was, the hand's
  // things included.
  const bool again = fShownFrame == fSmooth->FramesFinished() && fShownFraction >= 1;
  if (const std::optional<std::string> failure =
          again ? fSmooth->ShowAgain() : fSmooth->Show(fraction))
    fLog.Once("refresh", "A refresh of the screen could not draw everything: " + *failure);
  fShownFrame = fSmooth->FramesFinished();
  fShownFraction = fraction;
  fPictureLost = false;
  if (fPacer->Shown(SDL_GetPerformanceCounter()))
    fLog.Write("The display does not wait for vsync: refreshes kept to " +
               std::to_string(fPacer->Rate()) + " Hz");
}

void TSdlPlatform::ProcessMessages() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Dispatch(event);
}

void TSdlPlatform::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      fCloseRequested = true;
      break;
    case SDL_WINDOWEVENT:
      DispatchWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      DispatchKey(event.key);
      break;
    case SDL_TEXTINPUT:
      if (fModal) Guarded([&] { fModal->TextInput(event.text.text); });
      break;
    case SDL_MOUSEMOTION:
      if (event.motion.windowID == SDL_GetWindowID(fWindow.get()))
        fMedia->Input.AddMotion(event.motion.xrel, event.motion.yrel);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      DispatchButton(event.button);
      break;
    default:
      fPads.HandleEvent(event, *this);
      break;
  }
}

void TSdlPlatform::DispatchWindowEvent(const SDL_WindowEvent& event) {
  if (fProgress && event.windowID == fProgress->WindowId()) {
    if (event.event == SDL_WINDOWEVENT_EXPOSED) fProgress->Paint();
    return;
  }
  if (event.windowID != SDL_GetWindowID(fWindow.get())) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
      Guarded([&] { fEvents->FormActivate(); });
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      SetFocus(true);
      Guarded([&] { fEvents->FormActivate(); });
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      SetFocus(false);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      fCloseRequested = true;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      fPictureLost = true;
      break;
    default:
      break;
  }
}

void TSdlPlatform::DispatchKey(const SDL_KeyboardEvent& event) {
  const SDL_Keycode key = event.keysym.sym;
  if (event.type == SDL_KEYDOWN) {
    if (fAltEnter.Switches(key, event.keysym.mod, event.repeat != 0)) SwitchScreenMode();
    if (fAltEnter.SwallowsKeyDown(key, event.keysym.mod)) return;
  } else if (fAltEnter.SwallowsKeyUp(key)) {
    return;
  }
  const int32_t vk = VirtualKeyOf(key);
  if (vk != 0) RouteKey(vk, event.type == SDL_KEYDOWN);
}

void TSdlPlatform::RouteKey(int32_t key, bool down) {
  if (fModal) {
    if (down)
      Guarded([&] { fModal->KeyDown(key); });
    else
      Guarded([&] { fModal->KeyUp(key); });
  } else if (!down) {
    Guarded([&] { fEvents->FormKeyUp(key); });
  }
}

void TSdlPlatform::DispatchButton(const SDL_MouseButtonEvent& event) {
  if (event.windowID != SDL_GetWindowID(fWindow.get())) return;
  TMouseButton button;
  if (ToMouseButton(event.button, button)) RouteButton(button, event.type == SDL_MOUSEBUTTONDOWN);
}

void TSdlPlatform::RouteButton(TMouseButton button, bool down) {
  if (button == TMouseButton::Left) {
    fMedia->Input.SetButton0(down);
    if (down) Guarded([&] { fEvents->FormActivate(); });
  }
  if (down)
    Guarded([&] { fEvents->FormMouseDown(button); });
  else
    Guarded([&] { fEvents->FormMouseUp(button); });
}

void TSdlPlatform::SetFocus(bool focused) {
  if (focused && !fFocused) fDeadline = SDL_GetPerformanceCounter() + fPeriod;
  fFocused = focused;
  fMedia->Input.SetActive(focused);
  SDL_SetRelativeMouseMode(focused ? SDL_TRUE : SDL_FALSE);
}

void TSdlPlatform::SwitchScreenMode() {
  fFullScreen = !fFullScreen;
  SDL_SetWindowFullscreen(fWindow.get(), fFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fFullScreen) {
    SDL_SetWindowSize(fWindow.get(), ScreenWidth, ScreenHeight);
    SDL_SetWindowPosition(fWindow.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

void TSdlPlatform::HideCursor() {
  SDL_ShowCursor(SDL_DISABLE);
}

void TSdlPlatform::ShowProgress(std::string_view text, int32_t position, int32_t maximum) {
  if (!fProgress) {
    try {
      fProgress = std::make_unique<TProgressWindow>(fMedia->Fonts);
    } catch (const TSdlError& error) {
      fLog.Once("progress", error.what());
      return;
    }
  }
  fProgress->Show(text, position, maximum);
}

void TSdlPlatform::FreeProgress() {
  if (!fProgress) return;
  fProgress.reset();
  TakeFocus();
}

void TSdlPlatform::TakeFocus() {
  // Raising asks the window manager; without one (a bare X server) only setting the
  // input focus directly gives the window the focus its timer needs.
  SDL_RaiseWindow(fWindow.get());
  SDL_SetWindowInputFocus(fWindow.get());
}

void TSdlPlatform::ShowMessage(std::string_view text) {
  const std::string message(text);
  // The pointer must be free to click the box away.
  SDL_SetRelativeMouseMode(SDL_FALSE);
  // A window of no window system (the dummy driver of the tests) gets no box but the log
  // line: SDL would take it for a window of Windows there, and crash.
  SDL_SysWMinfo system;
  SDL_VERSION(&system.version);
  if (!SDL_GetWindowWMInfo(fWindow.get(), &system) ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Quellix", message.c_str(),
                               fWindow.get()) != 0)
    fLog.Write("Quellix: " + message);
  SDL_SetRelativeMouseMode(fFocused ? SDL_TRUE : SDL_FALSE);
}

void TSdlPlatform::ShowModal(IModalWindow& window) {
  IModalWindow* outer = fModal;
  fModal = &window;
  fMedia->Display.SetOverlay(&window);
  SDL_StartTextInput();
  struct TRestore {
    TSdlPlatform& Platform;
    IModalWindow* Outer;
    ~TRestore() {
      if (!Outer) SDL_StopTextInput();
      Platform.fModal = Outer;
      Platform.fMedia->Display.SetOverlay(Outer);
    }
  } restore{*this, outer};
  while (!LoopEnds()) Step();
}

}  // namespace quellix::media
