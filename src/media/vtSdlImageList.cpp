#include "media/vtSdlImageList.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "base/vtStartupTrace.h"
#include "graphics/vtArchive.h"
#include "media/vtDecodePictures.h"
#include "media/vtPayloads.h"

namespace quellix::media {

namespace {

// Pattern 0 within the picture: a stored pattern larger than the picture cannot show
// more than the picture.
SDL_Rect PatternSource(const TImageItem& item) {
  return {0, 0, std::min(item.Width(), item.PictureWidth),
          std::min(item.Height(), item.PictureHeight)};
}

SDL_FRect FloatRect(const TRect& r) {
  return {static_cast<float>(r.Left), static_cast<float>(r.Top),
          static_cast<float>(static_cast<double>(r.Right) - r.Left),
          static_cast<float>(static_cast<double>(r.Bottom) - r.Top)};
}

}  // namespace

void TSdlImageList::LoadFromFile(const std::string& path) {
  std::unique_ptr<TArchivePrefetch> prefetch = std::move(fPrefetch);
  if (prefetch && prefetch->Path() == path) return LoadPrefetched(std::move(prefetch));
  prefetch.reset();
  TDecodedArchive decoded = DecodeArchive(path, fDecodeThreads);
  TraceStartup("pictures decoded");
  const TArchive& archive = decoded.Archive;
  std::vector<TSurfacePtr>& surfaces = decoded.Pictures;
  std::vector<TImageItem> items;
  std::vector<TPicture> pictures(archive.Entries.size());
  items.reserve(archive.Entries.size());
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    TImageItem& item = items.emplace_back(archive.Entries[i].Image);
    item.PictureWidth = surfaces[i]->w;
    item.PictureHeight = surfaces[i]->h;
    pictures[i].Source = PatternSource(item);
    // Each decoded picture is let go as soon as it is a texture.
    MakeTexture(pictures[i], std::move(surfaces[i]), item.Name, path);
    if (pictures[i].Failure) std::rethrow_exception(pictures[i].Failure);
  }
  Replace(std::move(items), std::move(pictures), nullptr);
  TraceStartup("pictures made textures");
}

void TSdlImageList::LoadPrefetched(std::unique_ptr<TArchivePrefetch> prefetch) {
  const TArchive& archive = prefetch->Archive();
  std::vector<TImageItem> items;
  std::vector<TPicture> pictures(archive.Entries.size());
  items.reserve(archive.Entries.size());
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    TImageItem& item = items.emplace_back(archive.Entries[i].Image);
    const TPictureSize size = ReadPngSize(archive.Payload(i), prefetch->Path(), item.Name);
    item.PictureWidth = size.Width;
    item.PictureHeight = size.Height;
    pictures[i].Source = PatternSource(item);
    pictures[i].Pending = true;
  }
  Replace(std::move(items), std::move(pictures), std::move(prefetch));
  TraceStartup("image list loaded: " + std::to_string(fItems.size()) + " items, pictures to come");
}

void TSdlImageList::Replace(std::vector<TImageItem> items, std::vector<TPicture> pictures,
                            std::unique_ptr<TArchivePrefetch> source) {
  fSource = std::move(source);
  fUnprepared = fSource ? items.size() : 0;
  fItems = std::move(items);
  fPictures = std::move(pictures);
  fIndex.Clear();
  for (size_t i = 0; i < fItems.size(); ++i) fIndex.Add(fItems[i].Name, static_cast<int32_t>(i));
}

void TSdlImageList::MakeTexture(TPicture& picture, TSurfacePtr surface, const std::string& name,
                                const std::string& path) {
  picture.Texture.reset(SDL_CreateTextureFromSurface(fRenderer, surface.get()));
  if (!picture.Texture) {
    picture.Failure = std::make_exception_ptr(TArchiveError(
        path + ": item \"" + name + "\" cannot be made a texture: " + SDL_GetError()));
    return;
  }
  SDL_SetTextureBlendMode(picture.Texture.get(), SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(picture.Texture.get(), fScaleMode);
}

void TSdlImageList::Prepare(size_t index) {
  TPicture& picture = fPictures[index];
  if (!picture.Pending) return;
  picture.Pending = false;
  try {
    MakeTexture(picture, fSource->TakePicture(index), fItems[index].Name, fSource->Path());
  } catch (...) {
    picture.Failure = std::current_exception();
  }
}

bool TSdlImageList::PreparePictures(uint64_t until) {
  if (!fSource) return fPrefetch && fPrefetch->DecodeHere(until);
  fSource->DecodeBeside();
  // From the last item back, meeting the prefetch's decoders, which go forwards.
  while (fUnprepared > 0 && SDL_GetPerformanceCounter() < until) Prepare(--fUnprepared);
  if (fUnprepared > 0) return true;
  fSource.reset();
  TraceStartup("every picture made a texture");
  return false;
}

void TSdlImageList::SetScaleMode(SDL_ScaleMode mode) {
  fScaleMode = mode;
  for (const TPicture& picture : fPictures)
    if (picture.Texture) SDL_SetTextureScaleMode(picture.Texture.get(), mode);
}

void TSdlImageList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw std::out_of_range("image index " + std::to_string(index) + " out of range");
}

const TImageItem& TSdlImageList::Item(int32_t index) const {
  CheckIndex(index);
  return fItems[static_cast<size_t>(index)];
}

TSdlImageList::TPicture* TSdlImageList::Drawable(int32_t index) {
  CheckIndex(index);
  TPicture& picture = fPictures[static_cast<size_t>(index)];
  if (picture.Pending) Prepare(static_cast<size_t>(index));
  if (picture.Failure) std::rethrow_exception(std::exchange(picture.Failure, nullptr));
  return picture.Texture ? &picture : nullptr;
}

SDL_Texture* TSdlImageList::Texture(int32_t index) const {
  CheckIndex(index);
  return fPictures[static_cast<size_t>(index)].Texture.get();
}

SDL_Rect TSdlImageList::Source(int32_t index) const {
  CheckIndex(index);
  return fPictures[static_cast<size_t>(index)].Source;
}

bool TSdlImageList::Blend(TPicture& picture, int32_t alpha) {
  if (alpha <= 0) return false;
  const auto mod = static_cast<uint8_t>(std::min(alpha, 255));
  if (mod != picture.AlphaMod) {
    SDL_SetTextureAlphaMod(picture.Texture.get(), mod);
    picture.AlphaMod = mod;
  }
  return true;
}

void TSdlImageList::Draw(int32_t index, int32_t x, int32_t y) {
  TPicture* p = Drawable(index);
  if (!p) return;
  Blend(*p, 255);
  const SDL_FRect dst{static_cast<float>(x), static_cast<float>(y), static_cast<float>(p->Source.w),
                      static_cast<float>(p->Source.h)};
  SDL_RenderCopyF(fRenderer, p->Texture.get(), &p->Source, &dst);
}

void TSdlImageList::StretchDraw(int32_t index, const TRect& rect) {
  DrawAlpha(index, rect, 255);
}

void TSdlImageList::DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) {
  TPicture* p = Drawable(index);
  if (!p || rect.Right <= rect.Left || rect.Bottom <= rect.Top || !Blend(*p, alpha)) return;
  const SDL_FRect dst = FloatRect(rect);
  SDL_RenderCopyF(fRenderer, p->Texture.get(), &p->Source, &dst);
}

void TSdlImageList::DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width,
                                    int32_t height, double centreX, double centreY, int32_t angle,
                                    int32_t alpha) {
  TPicture* p = Drawable(index);
  if (!p || width <= 0 || height <= 0 || !std::isfinite(centreX) || !std::isfinite(centreY) ||
      !Blend(*p, alpha))
    return;
  const SDL_FPoint centre{static_cast<float>(centreX * width),
                          static_cast<float>(centreY * height)};
  const SDL_FRect dst{static_cast<float>(x - double{centre.x}),
                      static_cast<float>(y - double{centre.y}), static_cast<float>(width),
                      static_cast<float>(height)};
  // SDL turns clockwise for growing degrees; 256 units are a full turn.
  const double degrees = ((angle % 256 + 256) % 256) * (360.0 / 256.0);
  SDL_RenderCopyExF(fRenderer, p->Texture.get(), &p->Source, &dst, degrees, &centre, SDL_FLIP_NONE);
}

TColorTable TSdlImageList::MakeColorTable() const {
  // True colour has no palette; a grey ramp keeps the table well-defined.
  TColorTable table{};
  for (uint32_t i = 0; i < table.size(); ++i) table[i] = i | (i << 8u) | (i << 16u);
  return table;
}

}  // namespace quellix::media
