#include "media/vtSdlPlatform.h"

#include <SDL_image.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "base/vtStartupTrace.h"
#include "media/vtFrameClock.h"
#include "media/vtMessageText.h"
#include "media/vtSdlError.h"

namespace quellix::media {

namespace {

// While no frame timer runs, the loop still wakes now and then.
constexpr uint32_t IdleWaitMilliseconds = 100;
// The longest stretch of spare time given to the pictures at once, between two looks
// at the events.
constexpr uint64_t SpareSliceMilliseconds = 8;
// Loading over sooner than this has no use for a progress window: it would only flash
// by, and making and painting it costs more than the rest of a quick load.
constexpr uint64_t ProgressDelayMilliseconds = 500;
// A window is never made smaller than this.
constexpr int MinWindowWidth = 320, MinWindowHeight = 240;

// The game's icon as the data generator drew it: beside the data in a build's run
// folder, in the icon theme's folder beside share/quellix/ when installed.
void SetIcon(SDL_Window* window, const std::string& dataDir) {
  for (const char* relative :
       {"icons/64x64/apps/quellix.png", "../icons/hicolor/64x64/apps/quellix.png"}) {
    TSurfacePtr icon(IMG_Load((dataDir + relative).c_str()));
    if (!icon) continue;
    SDL_SetWindowIcon(window, icon.get());
    return;
  }
}

// The accelerated renderer draws with OpenGL where there is one, and SDL destroys and
// makes again a window made without OpenGL when such a renderer starts on it: a second
// window, and a second wait for the full-screen switch. So the window is made for
// OpenGL from the start, and plainly where the video driver has none.
TWindowPtr MakeWindow(Uint32 flags) {
  const auto make = [](Uint32 windowFlags) {
    return TWindowPtr(SDL_CreateWindow("Quellix", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       ScreenWidth, ScreenHeight, windowFlags));
  };
  // Asked for SDL's software renderer (SDL_RENDER_DRIVER=software), nothing draws with
  // OpenGL, and no OpenGL driver need be loaded at all.
  const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const bool software = driver != nullptr && SDL_strcasecmp(driver, "software") == 0;
  TWindowPtr window = software ? nullptr : make(flags | SDL_WINDOW_OPENGL);
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

// For the start-up trace: what SDL reports of the window while it is being made (its
// size changes, the full-screen switch among them, and its showing), as it happens.
int SDLCALL TraceWindowEvent(void*, SDL_Event* event) {
  if (event->type != SDL_WINDOWEVENT) return 0;
  const SDL_WindowEvent& w = event->window;
  if (w.event == SDL_WINDOWEVENT_SIZE_CHANGED)
    TraceStartup("window size " + std::to_string(w.data1) + " x " + std::to_string(w.data2));
  else if (w.event == SDL_WINDOWEVENT_SHOWN)
    TraceStartup("window shown");
  return 0;
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
      fFullScreen(options.Display.FullScreen),
      fMode(options.Display),
      fPeriod(SDL_GetPerformanceFrequency() * TickMilliseconds / 1000) {
  TraceStartup("SDL started: video, events, game controllers");
  std::unique_ptr<TArchivePrefetch> prefetch;
  if (!options.ImageArchive.empty())
    // The loop decodes too, in its spare time: a processor is left to it.
    prefetch = std::make_unique<TArchivePrefetch>(options.ImageArchive, DecodeThreads() - 1);
  const Uint32 flags =
      SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN | (fFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (StartupTraceOn()) SDL_AddEventWatch(TraceWindowEvent, nullptr);
  fWindow = MakeWindow(flags);
  SDL_DelEventWatch(TraceWindowEvent, nullptr);
  TraceStartup(fFullScreen ? "window made and switched to full screen" : "window made");
  SetIcon(fWindow.get(), options.DataDir.empty() ? fExeDir : options.DataDir);
  if (!fFullScreen) PlaceWindow();
  fRenderer = MakeRenderer(fWindow.get());
  ApplyScaling();
  TraceStartup("renderer made");
  fMedia = std::make_unique<TMediaSet>(fRenderer.get(), fLog, options.AudioDriver, true);
  fMedia->SetFilter(fMode.Filter);
  fDisplay = std::make_unique<TDisplaySwitch>(fMedia->Display);
  fImages = std::make_unique<TImageListSwitch>(fMedia->Images);
  fMedia->Fonts.SetFolders(
      TFontCatalog::StandardFolders(options.DataDir.empty() ? fExeDir : options.DataDir));
  fMedia->Input.SetPointerSource(&fPads);
  fMedia->Images.AdoptPrefetch(std::move(prefetch));
  fMedia->Display.Fill(0);
  SDL_RenderPresent(fRenderer.get());
  TraceStartup("first frame presented");
}

TSdlPlatform::~TSdlPlatform() {
  SDL_SetRelativeMouseMode(SDL_FALSE);
  fProgress.reset();
  fMedia.reset();  // its textures go before the renderer
}

void TSdlPlatform::AttachLog(std::function<void(const std::string&)> log) {
  fLog.Attach(std::move(log));
}

void TSdlPlatform::SetMotionStyle(TMotionStyle style) {
  if (style == MotionStyle()) return;
  if (style == TMotionStyle::Classic) {
    fSmooth.reset();
    fPacer.reset();
    fDisplay->SwitchTo(fMedia->Display);
    fImages->SwitchTo(fMedia->Images);
    fPictureLost = true;
    fLog.Write("Classic motion: drawn once per tick");
    return;
  }
  fSmooth = std::make_unique<TSmoothScreen>(fMedia->Display, fMedia->Images,
                                            [this] { fFrameTime = fTickTime; });
  fDisplay->SwitchTo(fSmooth->Display());
  fImages->SwitchTo(fSmooth->Images());
  fShownFrame = 0;
  fShownFraction = 0;
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
  Start(events);
  while (!fCloseRequested) Step();
  Finish();
  return 0;
}

void TSdlPlatform::Start(IMainWindowEvents& events) {
  fEvents = &events;
  const bool focused = (SDL_GetWindowFlags(fWindow.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
  WindowFocus(focused);
  if (!focused) TakeFocus();
}

void TSdlPlatform::Finish() {
  if (!fEvents) return;
  // A modal window still open ends as its loop would have: before the window closes.
  fModals.EndClosed(true, [this](IModalWindow&) { ModalTakenDown(); });
  Guarded([&] { fEvents->FormClose(); });
  SetFocus(false);
  fEvents = nullptr;
}

void TSdlPlatform::PumpEvents() {
  SDL_Event event;
  while (!fCloseRequested && SDL_PollEvent(&event)) {
    Dispatch(event);
    EndClosedModals();
  }
}

void TSdlPlatform::EndClosedModals() {
  fModals.EndClosed(false, [this](IModalWindow&) { ModalTakenDown(); });
}

void TSdlPlatform::ModalTakenDown() {
  if (fModals.Empty()) SDL_StopTextInput();
  fMedia->Display.SetOverlay(fModals.Top());
}

bool TSdlPlatform::TickIfDue(uint64_t now) {
  const TTickPlan plan = PlanTick(fDeadline, now, fPeriod);
  if (!plan.Fire) return false;
  fDeadline = plan.NextDeadline;
  fTickTime = plan.NextDeadline - fPeriod;
  ++fCounts.Ticks;
  fCounts.Lag += plan.Lag;
  Guarded([&] { fEvents->TimerEvent(plan.Lag); });
  EndClosedModals();
  return true;
}

void TSdlPlatform::Step() {
  PumpEvents();
  if (fCloseRequested) return;
  uint64_t now = SDL_GetPerformanceCounter();
  if (!fFocused) {
    if (!UseSpareTime(now, now + IdleWaitMilliseconds * SDL_GetPerformanceFrequency() / 1000))
      SDL_WaitEventTimeout(nullptr, IdleWaitMilliseconds);
    return;
  }
  if (TickIfDue(now)) {
    if (!fSmooth || fCloseRequested) return;
    now = SDL_GetPerformanceCounter();
  }
  uint64_t wake = fDeadline;
  if (fSmooth && RefreshWanted()) {
    const uint64_t due = fPacer->NextRefresh(now);
    if (due <= now) {
      Refresh(now);
      // With vsync the present has just waited for the display, and what waits now is
      // the next refresh: half the time to it is spare, the rest is for drawing.
      now = SDL_GetPerformanceCounter();
      UseSpareTime(now, std::min(fDeadline, now + fPacer->Period() / 2));
      return;
    }
    wake = std::min(wake, due);
  }
  if (UseSpareTime(now, wake)) return;
  SDL_WaitEventTimeout(
      nullptr, static_cast<int>(WaitMilliseconds(wake, now, SDL_GetPerformanceFrequency())));
}

void TSdlPlatform::Frame() {
  PumpEvents();
  if (fCloseRequested) return;
  uint64_t now = SDL_GetPerformanceCounter();
  if (fFocused && TickIfDue(now)) {
    if (fCloseRequested) return;
    now = SDL_GetPerformanceCounter();
  }
  if (fFocused && fSmooth && RefreshWanted() && fPacer->NextRefresh(now) <= now) {
    Refresh(now);
    now = SDL_GetPerformanceCounter();
  }
  // The rest of the frame, up to a slice, goes to what is still to be prepared.
  UseSpareTime(now, fFocused ? fDeadline
                             : now + IdleWaitMilliseconds * SDL_GetPerformanceFrequency() / 1000);
}

bool TSdlPlatform::UseSpareTime(uint64_t now, uint64_t wake) {
  // A frame that a long tick or refresh has used up has none: what was left waits.
  if (now >= wake) return fPreparing;
  // One step each, the first with something to do.
  const uint64_t slice = SDL_GetPerformanceFrequency() * SpareSliceMilliseconds / 1000;
  fPreparing = fMedia->Sounds.PrepareSounds() || fMedia->Fonts.Prepare() ||
               fMedia->Images.PreparePictures(std::min(wake, now + slice));
  return fPreparing;
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
  ++fCounts.Refreshes;
  if (fPacer->Shown(SDL_GetPerformanceCounter()))
    fLog.Write("The display does not wait for vsync: refreshes kept to " +
               std::to_string(fPacer->Rate()) + " Hz");
}

void TSdlPlatform::ProcessMessages() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    Dispatch(event);
    EndClosedModals();
  }
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
      if (IModalWindow* modal = fModals.Top()) Guarded([&] { modal->TextInput(event.text.text); });
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
      WindowFocus(true);
      Guarded([&] { fEvents->FormActivate(); });
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      WindowFocus(false);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      fCloseRequested = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (fMode.Scaling == TScaling::Stretch) ApplyScaling();
      fPictureLost = true;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
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
  if (IModalWindow* modal = fModals.Top()) {
    // A modal window takes keys, not the controller's buttons by themselves.
    if (IsPadKey(key)) return;
    if (down)
      Guarded([&] { modal->KeyDown(key); });
    else
      Guarded([&] { modal->KeyUp(key); });
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

TSdlPlatform::TLoopCounts TSdlPlatform::Counts() const {
  TLoopCounts counts = fCounts;
  if (fFocused)
    counts.Seconds += static_cast<double>(SDL_GetPerformanceCounter() - fFocusedSince) /
                      static_cast<double>(SDL_GetPerformanceFrequency());
  return counts;
}

void TSdlPlatform::SetFocus(bool focused) {
  const uint64_t now = SDL_GetPerformanceCounter();
  if (focused && !fFocused) {
    // The first tick comes at once, so the title shows as soon as it can; back in focus
    // later, one period on.
    fDeadline = now + (fFocusedOnce ? fPeriod : 0);
    fFocusedSince = now;
  } else if (!focused && fFocused) {
    fCounts.Seconds += static_cast<double>(now - fFocusedSince) /
                       static_cast<double>(SDL_GetPerformanceFrequency());
  }
  fFocusedOnce = fFocusedOnce || focused;
  fFocused = focused;
  fMedia->Input.SetActive(focused);
  SDL_SetRelativeMouseMode(focused ? SDL_TRUE : SDL_FALSE);
}

void TSdlPlatform::SwitchScreenMode() {
  fMode = DisplayMode();
  fFullScreen = !fFullScreen;
  PlaceWindow();
}

void TSdlPlatform::PlaceWindow() {
  SDL_Window* window = fWindow.get();
  SDL_SetWindowFullscreen(window, fFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  SDL_SetWindowBordered(window, fFullScreen ? SDL_FALSE : SDL_TRUE);
  SDL_SetWindowResizable(window, fFullScreen ? SDL_FALSE : SDL_TRUE);
  if (fFullScreen) return;
  const TWindowPlace& place = fMode.Window;
  SDL_SetWindowSize(window, std::max(place.Width, MinWindowWidth),
                    std::max(place.Height, MinWindowHeight));
  if (place.Centred)
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  else
    SDL_SetWindowPosition(window, place.X, place.Y);
}

void TSdlPlatform::ApplyScaling() {
  SDL_Renderer* renderer = fRenderer.get();
  if (fMode.Scaling == TScaling::Stretch) {
    // No logical size: the picture's scale follows the window's shape on each axis.
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    int w = ScreenWidth, h = ScreenHeight;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    SDL_RenderSetViewport(renderer, nullptr);
    SDL_RenderSetScale(renderer, static_cast<float>(w) / ScreenWidth,
                       static_cast<float>(h) / ScreenHeight);
    return;
  }
  SDL_RenderSetLogicalSize(renderer, ScreenWidth, ScreenHeight);
  SDL_RenderSetIntegerScale(renderer, fMode.Scaling == TScaling::Whole ? SDL_TRUE : SDL_FALSE);
}

void TSdlPlatform::SetDisplayMode(const TDisplayMode& mode) {
  const TDisplayMode was = DisplayMode();
  fMode = mode;
  fFullScreen = mode.FullScreen;
  if (mode.FullScreen != was.FullScreen || (!mode.FullScreen && mode.Window != was.Window))
    PlaceWindow();
  ApplyScaling();
  fMedia->SetFilter(mode.Filter);
  fPictureLost = true;
}

TDisplayMode TSdlPlatform::DisplayMode() const {
  TDisplayMode mode = fMode;
  mode.FullScreen = fFullScreen;
  if (fFullScreen) return mode;
  // The window where the player has left it; still centred if it stands in the middle.
  SDL_Window* window = fWindow.get();
  TWindowPlace& place = mode.Window;
  SDL_GetWindowSize(window, &place.Width, &place.Height);
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  SDL_Rect desktop{};
  const bool middle = SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &desktop) == 0 &&
                      x == desktop.x + (desktop.w - place.Width) / 2 &&
                      y == desktop.y + (desktop.h - place.Height) / 2;
  if (!place.Centred || !middle) {
    place.Centred = false;
    place.X = x;
    place.Y = y;
  }
  return mode;
}

void TSdlPlatform::HideCursor() {
  SDL_ShowCursor(SDL_DISABLE);
}

void TSdlPlatform::ShowProgress(std::string_view text, int32_t position, int32_t maximum) {
  const uint64_t now = SDL_GetPerformanceCounter();
  if (fProgressAsked == 0) fProgressAsked = now;
  if (!fProgress &&
      now - fProgressAsked < ProgressDelayMilliseconds * SDL_GetPerformanceFrequency() / 1000)
    return;
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
  // Loading is over: the main window takes the focus its timer needs, from the progress
  // window or from nobody (a bare X server gives none).
  if (fProgressAsked != 0 || fProgress) TakeFocus();
  fProgressAsked = 0;
  fProgress.reset();
}

void TSdlPlatform::TakeFocus() {
  // Raising asks the window manager; without one (a bare X server) only setting the
  // input focus directly gives the window the focus its timer needs.
  SDL_RaiseWindow(fWindow.get());
  SDL_SetWindowInputFocus(fWindow.get());
}

void TSdlPlatform::ShowMessage(std::string_view text) {
  // The box is as wide as its longest line: long lines are broken to fit the desktop.
  SDL_Rect desktop{0, 0, 1024, 768};
  SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(fWindow.get())), &desktop);
  const std::string message = WrapMessage(text, MessageColumns(desktop.w));
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

void TSdlPlatform::ShowModal(IModalWindow& window, std::function<void()> closed) {
  fModals.Push(window, std::move(closed));
  fMedia->Display.SetOverlay(&window);
  SDL_StartTextInput();
}

}  // namespace quellix::media
