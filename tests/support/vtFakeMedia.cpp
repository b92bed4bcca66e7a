#include "support/vtFakeMedia.h"

#include <stdexcept>

#include "graphics/vtNameIndex.h"

namespace quellix::testing {

void TFakeCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  if (FailNextText) {
    FailNextText = false;
    throw std::runtime_error("text drawing failed");
  }
  Texts.push_back({x, y, std::string(text), Brush, Pen, Font, false, {}});
}

void TFakeCanvas::TextRect(const TRect& clip, int32_t x, int32_t y, std::string_view text) {
  TextOut(x, y, text);
  Texts.back().Clipped = true;
  Texts.back().Clip = clip;
}

int32_t TFakeImageList::Add(const std::string& name, int32_t width, int32_t height) {
  TImageItem item;
  item.Name = name;
  item.PictureWidth = width;
  item.PictureHeight = height;
  Items.push_back(item);
  return Count() - 1;
}

void TFakeImageList::LoadFromFile(const std::string& path) {
  const TArchive archive = ReadArchive(path, TArchiveKind::Images);
  Items.clear();
  for (const TArchiveEntry& e : archive.Entries) Items.push_back(e.Image);
}

int32_t TFakeImageList::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (SameText(Items[i].Name, name)) return static_cast<int32_t>(i);
  return -1;
}

void TFakeImageList::Draw(int32_t index, int32_t x, int32_t y) {
  if (FailDraws) throw std::runtime_error("draw failed");
  TDrawCall c;
  c.Op = TDrawCall::Draw;
  c.Index = index;
  c.X = x;
  c.Y = y;
  Calls.push_back(c);
}

void TFakeImageList::StretchDraw(int32_t index, const TRect& rect) {
  if (FailDraws) throw std::runtime_error("draw failed");
  TDrawCall c;
  c.Op = TDrawCall::StretchDraw;
  c.Index = index;
  c.Rect = rect;
  Calls.push_back(c);
}

void TFakeImageList::DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) {
  if (FailDraws) throw std::runtime_error("draw failed");
  TDrawCall c;
  c.Op = TDrawCall::DrawAlpha;
  c.Index = index;
  c.Rect = rect;
  c.Alpha = alpha;
  Calls.push_back(c);
}

void TFakeImageList::DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width,
                                     int32_t height, double centreX, double centreY, int32_t angle,
                                     int32_t alpha) {
  if (FailDraws) throw std::runtime_error("draw failed");
  TDrawCall c;
  c.Op = TDrawCall::DrawRotateAlpha;
  c.Index = index;
  c.X = x;
  c.Y = y;
  c.Width = width;
  c.Height = height;
  c.CentreX = centreX;
  c.CentreY = centreY;
  c.Angle = angle;
  c.Alpha = alpha;
  Calls.push_back(c);
}

TColorTable TFakeImageList::MakeColorTable() const {
  TColorTable table{};
  for (uint32_t i = 0; i < table.size(); ++i) table[i] = RGB(static_cast<uint8_t>(i), 0, 0);
  return table;
}

int32_t TFakeSoundList::Add(const std::string& name, int32_t maxPlayingCount) {
  TSoundItem item;
  item.Name = name;
  item.MaxPlayingCount = maxPlayingCount;
  Items.push_back(item);
  return Count() - 1;
}

void TFakeSoundList::LoadFromFile(const std::string& path) {
  const TArchive archive = ReadArchive(path, TArchiveKind::Sounds);
  Items.clear();
  for (const TArchiveEntry& e : archive.Entries) Items.push_back(e.Sound);
}

int32_t TFakeSoundList::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (SameText(Items[i].Name, name)) return static_cast<int32_t>(i);
  return -1;
}

TSoundInstance TFakeSoundList::Play(int32_t index) {
  Played.push_back(Items.at(static_cast<size_t>(index)).Name);
  return NextInstance++;
}

void TFakePlatform::ShowProgress(std::string_view text, int32_t position, int32_t maximum) {
  Progress.push_back({std::string(text), position, maximum});
}

void TFakePlatform::ShowModal(IModalWindow& window, std::function<void()> closed) {
  Modals.Push(window, std::move(closed));
  if (ModalScript) {
    ModalScript(window);
  } else {
    window.TextInput("Tester");
    window.KeyDown(VK_RETURN);
    window.KeyUp(VK_RETURN);
  }
  Modals.EndClosed(CloseRequested);
}

}  // namespace quellix::testing
