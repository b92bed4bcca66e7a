// Media objects that draw nothing and play nothing, for running the game as fast as the
// CPU allows. The image list still reads the image archive's names, fields and picture
// sizes (from each PNG's header, without decoding it), and the sound list the sound
// archive's names and fields, so the game finds, measures and animates everything as it
// does on a screen: drawing never changes the game's state, so a game runs the same here.
#pragma once

#include <vector>

#include "graphics/vtMedia.h"
#include "graphics/vtNameIndex.h"

namespace quellix::sim {

class TQuietCanvas : public ITextCanvas {
 public:
  void TextOut(int32_t, int32_t, std::string_view) override {}
  void TextRect(const TRect&, int32_t, int32_t, std::string_view) override {}
  int32_t TextWidth(std::string_view) override { return 0; }
  int32_t TextHeight(std::string_view) override { return 0; }
  void Release() override {}
};

class TQuietDisplay : public IDisplay {
 public:
  void Fill(TColor) override {}
  void FillRect(const TRect&, TColor) override {}
  ITextCanvas& Canvas() override { return fCanvas; }
  void Flip() override {}

 private:
  TQuietCanvas fCanvas;
};

class TQuietImageList final : public IImageList {
 public:
  // Replaces all items with the archive's; throws TArchiveError as the drawing list does.
  void LoadFromFile(const std::string& path) override;
  // Appends an item of the given picture size.
  void Add(const std::string& name, int32_t width, int32_t height);
  int32_t Count() const override { return static_cast<int32_t>(fItems.size()); }
  const TImageItem& Item(int32_t index) const override;
  int32_t IndexOf(std::string_view name) const override { return fIndex.IndexOf(name); }

  // Each draw checks its index as the drawing list does, then draws nothing.
  void Draw(int32_t index, int32_t, int32_t) override { Item(index); }
  void StretchDraw(int32_t index, const TRect&) override { Item(index); }
  void DrawAlpha(int32_t index, const TRect&, int32_t) override { Item(index); }
  void DrawRotateAlpha(int32_t index, int32_t, int32_t, int32_t, int32_t, double, double, int32_t,
                       int32_t) override {
    Item(index);
  }
  TColorTable MakeColorTable() const override;

 private:
  std::vector<TImageItem> fItems;
  TNameIndex fIndex;
};

class TQuietSoundList final : public ISoundList {
 public:
  void LoadFromFile(const std::string& path) override;
  int32_t Count() const override { return static_cast<int32_t>(fItems.size()); }
  const TSoundItem& Item(int32_t index) const override;
  int32_t IndexOf(std::string_view name) const override { return fIndex.IndexOf(name); }
  // Plays silently, as the drawing back end does without a sound device.
  TSoundInstance Play(int32_t index) override;
  void Stop(TSoundInstance) override {}
  void StopAll() override {}

 private:
  std::vector<TSoundItem> fItems;
  TNameIndex fIndex;
};

}  // namespace quellix::sim
