// What the game requires of the media layer: a flipping 800 x 600 display with a
// text canvas, an image list and a sound list loaded from the archives and found by
// name, and the mouse. The SDL back end (media/) implements these; the core library
// never sees SDL.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/vtSaturate.h"

namespace quellix {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// Colours: red in the low byte, then green, then blue (hexadecimal FF0000 is blue).
using TColor = uint32_t;
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return TColor{r} | (TColor{g} << 8u) | (TColor{b} << 16u);
}
constexpr uint8_t RedOf(TColor c) {
  return c & 0xFFu;
}
constexpr uint8_t GreenOf(TColor c) {
  return (c >> 8u) & 0xFFu;
}
constexpr uint8_t BlueOf(TColor c) {
  return (c >> 16u) & 0xFFu;
}

// A rectangle with exclusive right and bottom edges.
// Positions and sizes may come from data files: edges and sizes saturate rather than
// overflow.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return SaturatedSub(Right, Left); }
  int32_t Height() const { return SaturatedSub(Bottom, Top); }
  bool operator==(const TRect&) const = default;
};
constexpr TRect Bounds(int32_t x, int32_t y, int32_t w, int32_t h) {
  return {x, y, SaturatedAdd(x, w), SaturatedAdd(y, h)};
}

// ---- Text canvas ----------------------------------------------------------

enum class TBrushStyle : uint8_t { Solid, Clear };

struct TBrush {
  TBrushStyle Style = TBrushStyle::Solid;
  TColor Color = RGB(255, 255, 255);
  bool operator==(const TBrush&) const = default;
};

struct TPen {
  TColor Color = 0;
  bool operator==(const TPen&) const = default;
};

enum TFontStyleBits : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

struct TFont {
  std::string Name = "Thehits Regular";  // typeface name
  int32_t Size = 10;                     // points, at 96 dots per inch
  int32_t Height = 0;                    // pixels; when above 0 it is used instead of Size
  TColor Color = 0;
  uint8_t Style = 0;  // TFontStyleBits
  bool operator==(const TFont&) const = default;
};

// The display's text canvas. Callers assign Brush, Pen and Font, draw, then Release
// before the next flip. A clear brush draws the glyphs only; a solid one fills the
// text's box with the brush colour first.
class ITextCanvas {
 public:
  virtual ~ITextCanvas() = default;

  TBrush Brush;
  TPen Pen;
  TFont Font;

  // Draws text with its top-left corner at (x, y).
  virtual void TextOut(int32_t x, int32_t y, std::string_view text) = 0;
  // Draws text with its top-left at (x, y), clipped to clip.
  virtual void TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) = 0;
  virtual int32_t TextWidth(std::string_view text) = 0;
  virtual int32_t TextHeight(std::string_view text) = 0;
  virtual void Release() = 0;
};

// ---- Display --------------------------------------------------------------

using TColorTable = std::array<uint32_t, 256>;

class IFrameNotes;

class IDisplay {
 public:
  virtual ~IDisplay() = default;

  // Fills the back surface.
  virtual void Fill(TColor color) = 0;
  // Fills a rectangle clipped to the surface.
  virtual void FillRect(const TRect& rect, TColor color) = 0;
  virtual ITextCanvas& Canvas() = 0;
  // Shows the frame; does nothing while the display is not ready.
  virtual void Flip() = 0;

  // Palette tables (meaningful only in palette modes; true colour ignores them).
  TColorTable ColorTable{};
  TColorTable DefColorTable{};
  virtual void UpdatePalette() {}

  // Where the drawing may say more about what it draws (vtFrameNotes.h); none for a
  // display that shows each frame as it was drawn.
  virtual IFrameNotes* FrameNotes() { return nullptr; }
};

// ---- Image list -----------------------------------------------------------

// One item of the image archive. Pattern sizes of 0 mean the picture's own size.
struct TImageItem {
  std::string Name;
  int32_t PatternWidth = 0;
  int32_t PatternHeight = 0;
  int32_t SkipWidth = 0;
  int32_t SkipHeight = 0;
  bool SystemMemory = false;
  bool Transparent = false;
  TColor TransparentColor = 0;
  int32_t PictureWidth = 0;  // of the decoded picture
  int32_t PictureHeight = 0;

  int32_t Width() const { return PatternWidth > 0 ? PatternWidth : PictureWidth; }
  int32_t Height() const { return PatternHeight > 0 ? PatternHeight : PictureHeight; }
};

// Drawing always uses pattern 0 of an item and goes to the display's back surface.
class IImageList {
 public:
  virtual ~IImageList() = default;

  // Replaces all items; throws std::runtime_error naming the file when it is
  // missing, truncated or corrupt.
  virtual void LoadFromFile(const std::string& path) = 0;
  virtual int32_t Count() const = 0;
  virtual const TImageItem& Item(int32_t index) const = 0;
  // Index of the named item ignoring letter case, -1 when absent.
  virtual int32_t IndexOf(std::string_view name) const = 0;

  // Natural size, top-left at (x, y); TransparentColor pixels skipped when Transparent.
  virtual void Draw(int32_t index, int32_t x, int32_t y) = 0;
  // Scaled into rect.
  virtual void StretchDraw(int32_t index, const TRect& rect) = 0;
  // Scaled into rect and blended: 255 or more opaque, else alpha / 255.
  virtual void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) = 0;
  // Scaled to width x height, turned by angle (256ths of a turn, modulo 256) about the
  // point (centreX * width, centreY * height), which lands on (x, y); blended as DrawAlpha.
  virtual void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                               double centreX, double centreY, int32_t angle, int32_t alpha) = 0;

  // The 256-entry colour table of the list's palette (true colour: a fixed ramp).
  virtual TColorTable MakeColorTable() const = 0;
};

// ---- Sound list -----------------------------------------------------------

struct TSoundItem {
  std::string Name;
  bool Looped = false;
  int32_t MaxPlayingCount = 0;  // 0: no limit; else the oldest copy restarts
};

// A playing copy of a sound, so that one can be stopped; 0 means none.
using TSoundInstance = uint64_t;

class ISoundList {
 public:
  virtual ~ISoundList() = default;

  // Replaces all items; throws std::runtime_error naming the file on a bad archive.
  virtual void LoadFromFile(const std::string& path) = 0;
  virtual int32_t Count() const = 0;
  virtual const TSoundItem& Item(int32_t index) const = 0;
  virtual int32_t IndexOf(std::string_view name) const = 0;
  // Starts a copy and returns at once. Without a sound device this plays silently.
  virtual TSoundInstance Play(int32_t index) = 0;
  // Stops that copy if it is still the one playing.
  virtual void Stop(TSoundInstance instance) = 0;
  // Stops every sound of the device.
  virtual void StopAll() = 0;
  // The loudness of every sound from now on, 0 (silent) to 100 (as recorded).
  virtual void SetVolume(int32_t /*percent*/) {}
};

// ---- Input ----------------------------------------------------------------

// The mouse only, read while the window is active.
class IInput {
 public:
  virtual ~IInput() = default;
  // Polls once; the values below hold until the next poll.
  virtual void Update() = 0;
  // Mouse button 0 (left) is held.
  virtual bool MouseButton0() const = 0;
  // Relative motion since the previous poll.
  virtual int32_t MouseX() const = 0;
  virtual int32_t MouseY() const = 0;
  // The motion that arrived since the last poll, which the next Update hands over, for
  // drawing ahead of the ticks; false when this input cannot tell it before the poll.
  virtual bool PendingMotion(int32_t& /*dx*/, int32_t& /*dy*/) const { return false; }
};

}  // namespace quellix
