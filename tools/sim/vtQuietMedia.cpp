#include "vtQuietMedia.h"

#include <stdexcept>
#include <string>

#include "graphics/vtArchive.h"
#include "media/vtPayloads.h"

namespace quellix::sim {

namespace {

[[noreturn]] void OutOfRange(const char* what, int32_t index) {
  throw std::out_of_range(std::string(what) + " index " + std::to_string(index) + " out of range");
}

}  // namespace

void TQuietImageList::LoadFromFile(const std::string& path) {
  const TArchive archive = ReadArchive(path, TArchiveKind::Images);
  std::vector<TImageItem> items;
  items.reserve(archive.Entries.size());
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    TImageItem item = archive.Entries[i].Image;
    const media::TPictureSize size = media::ReadPngSize(archive.Payload(i), path, item.Name);
    item.PictureWidth = size.Width;
    item.PictureHeight = size.Height;
    items.push_back(std::move(item));
  }
  fItems = std::move(items);
  fIndex.Clear();
  for (size_t i = 0; i < fItems.size(); ++i) fIndex.Add(fItems[i].Name, static_cast<int32_t>(i));
}

void TQuietImageList::Add(const std::string& name, int32_t width, int32_t height) {
  TImageItem& item = fItems.emplace_back();
  item.Name = name;
  item.PictureWidth = width;
  item.PictureHeight = height;
  fIndex.Add(name, Count() - 1);
}

const TImageItem& TQuietImageList::Item(int32_t index) const {
  if (index < 0 || index >= Count()) OutOfRange("image", index);
  return fItems[static_cast<size_t>(index)];
}

TColorTable TQuietImageList::MakeColorTable() const {
  return {};
}

void TQuietSoundList::LoadFromFile(const std::string& path) {
  const TArchive archive = ReadArchive(path, TArchiveKind::Sounds);
  std::vector<TSoundItem> items;
  items.reserve(archive.Entries.size());
  for (const TArchiveEntry& entry : archive.Entries) items.push_back(entry.Sound);
  fItems = std::move(items);
  fIndex.Clear();
  for (size_t i = 0; i < fItems.size(); ++i) fIndex.Add(fItems[i].Name, static_cast<int32_t>(i));
}

const TSoundItem& TQuietSoundList::Item(int32_t index) const {
  if (index < 0 || index >= Count()) OutOfRange("sound", index);
  return fItems[static_cast<size_t>(index)];
}

TSoundInstance TQuietSoundList::Play(int32_t index) {
  Item(index);
  return 0;
}

}  // namespace quellix::sim
