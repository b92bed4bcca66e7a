// A recording fake of the media layer and window system for unit tests: every call is
// kept with its arguments, so a test can tell which drawing mode was chosen, what text
// went where and which sounds played. Text metrics are fixed (8 pixels a character,
// height = 4/3 of the point size) so layout can be checked exactly.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphics/vtArchive.h"
#include "graphics/vtModalStack.h"
#include "graphics/vtPlatform.h"

namespace quellix::testing {

struct TDrawCall {
  enum TOp { Draw, StretchDraw, DrawAlpha, DrawRotateAlpha } Op = Draw;
  int32_t Index = -1;
  int32_t X = 0, Y = 0;  // Draw, DrawRotateAlpha
  TRect Rect;            // StretchDraw, DrawAlpha
  int32_t Width = 0, Height = 0;
  double CentreX = 0, CentreY = 0;
  int32_t Angle = 0, Alpha = 255;
};

struct TTextCall {
  int32_t X = 0, Y = 0;
  std::string Text;
  TBrush Brush;
  TPen Pen;
  TFont Font;
  bool Clipped = false;
  TRect Clip;
};

class TFakeCanvas : public ITextCanvas {
 public:
  void TextOut(int32_t x, int32_t y, std::string_view text) override;
  void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) override;
  int32_t TextWidth(std::string_view text) override {
    return 8 * static_cast<int32_t>(text.size());
  }
  int32_t TextHeight(std::string_view) override { return Font.Size * 4 / 3; }
  void Release() override { ++Releases; }

  std::vector<TTextCall> Texts;
  int Releases = 0;
  bool FailNextText = false;  // makes the next TextOut/TextRect throw
};

class TFakeDisplay : public IDisplay {
 public:
  void Fill(TColor color) override { Fills.push_back(color); }
  void FillRect(const TRect& rect, TColor color) override { Rects.push_back({rect, color}); }
  ITextCanvas& Canvas() override { return CanvasFake; }
  void Flip() override { ++Flips; }
  void UpdatePalette() override { ++PaletteUpdates; }

  struct TFilledRect {
    TRect Rect;
    TColor Color;
  };
  std::vector<TColor> Fills;
  std::vector<TFilledRect> Rects;
  TFakeCanvas CanvasFake;
  int Flips = 0;
  int PaletteUpdates = 0;
};

class TFakeImageList : public IImageList {
 public:
  // Adds an item of the given picture size.
  int32_t Add(const std::string& name, int32_t width, int32_t height);

  void LoadFromFile(const std::string& path) override;
  int32_t Count() const override { return static_cast<int32_t>(Items.size()); }
  const TImageItem& Item(int32_t index) const override {
    return Items.at(static_cast<size_t>(index));
  }
  int32_t IndexOf(std::string_view name) const override;
  void Draw(int32_t index, int32_t x, int32_t y) override;
  void StretchDraw(int32_t index, const TRect& rect) override;
  void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override;
  void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                       double centreX, double centreY, int32_t angle, int32_t alpha) override;
  TColorTable MakeColorTable() const override;

  std::vector<TImageItem> Items;
  std::vector<TDrawCall> Calls;
  bool FailDraws = false;  // every draw throws
};

class TFakeSoundList : public ISoundList {
 public:
  int32_t Add(const std::string& name, int32_t maxPlayingCount = 0);

  void LoadFromFile(const std::string& path) override;
  int32_t Count() const override { return static_cast<int32_t>(Items.size()); }
  const TSoundItem& Item(int32_t index) const override {
    return Items.at(static_cast<size_t>(index));
  }
  int32_t IndexOf(std::string_view name) const override;
  TSoundInstance Play(int32_t index) override;
  void Stop(TSoundInstance instance) override { Stopped.push_back(instance); }
  void StopAll() override { ++StopAlls; }

  std::vector<TSoundItem> Items;
  std::vector<std::string> Played;  // names, in order
  std::vector<TSoundInstance> Stopped;
  int StopAlls = 0;
  TSoundInstance NextInstance = 1;
};

class TFakeInput : public IInput {
 public:
  void Update() override {
    ++Polls;
    fX = NextX;
    fY = NextY;
    NextX = NextY = 0;
  }
  bool MouseButton0() const override { return Button0; }
  int32_t MouseX() const override { return fX; }
  int32_t MouseY() const override { return fY; }
  // NextX and NextY, when TellsPending.
  bool PendingMotion(int32_t& dx, int32_t& dy) const override {
    dx = NextX;
    dy = NextY;
    return TellsPending;
  }

  bool Button0 = false;
  int32_t NextX = 0, NextY = 0;  // motion delivered by the next poll
  bool TellsPending = false;
  int Polls = 0;

 private:
  int32_t fX = 0, fY = 0;
};

class TFakePlatform : public IPlatform {
 public:
  std::string ExeDir() const override { return Dir; }
  void ProcessMessages() override { ++MessagePumps; }
  void HideCursor() override { CursorHidden = true; }
  void ShowProgress(std::string_view text, int32_t position, int32_t maximum) override;
  void FreeProgress() override { ProgressFreed = true; }
  void ShowMessage(std::string_view text) override {
    Messages.emplace_back(text);
    if (OnMessage) OnMessage();
  }
  // Runs ModalScript (without one types "Tester" and Enter); a window the script closed
  // is taken down at once, one it left open stays until the test has closed it and
  // called Modals.EndClosed.
  void ShowModal(IModalWindow& window, std::function<void()> closed) override;
  void CloseMainWindow() override { CloseRequested = true; }
  bool Closing() const override { return CloseRequested; }

  void AttachLog(std::function<void(const std::string&)> log) override { Log = std::move(log); }
  void SetMotionStyle(TMotionStyle style) override { Motion = style; }
  IDisplay& Display() override { return DisplayFake; }
  IImageList& ImageList() override { return Images; }
  ISoundList& SoundList() override { return Sounds; }
  IInput& Input() override { return InputFake; }

  struct TProgress {
    std::string Text;
    int32_t Position, Maximum;
  };
  std::function<void(const std::string&)> Log;
  std::string Dir = "./";
  std::vector<TProgress> Progress;
  std::vector<std::string> Messages;
  // Runs while a message box is up (the player may close the program then).
  std::function<void()> OnMessage;
  bool ProgressFreed = false;
  bool CursorHidden = false;
  bool CloseRequested = false;
  std::optional<TMotionStyle> Motion;  // as start-up chose it
  int MessagePumps = 0;
  // Runs while a modal window is shown; by default types "Tester" and presses Enter.
  std::function<void(IModalWindow&)> ModalScript;
  TModalStack Modals;

  TFakeDisplay DisplayFake;
  TFakeImageList Images;
  TFakeSoundList Sounds;
  TFakeInput InputFake;
};

}  // namespace quellix::testing
