// The image list on an SDL renderer: each item's picture is a texture, its pattern-0
// rectangle worked out once, so a draw is an index check and one copy, with no
// allocation and no name lookup. The pictures are decoded on every processor, the
// textures made on the renderer's own thread.
//
// A load of the file a prefetch was adopted for returns once the archive is read: the
// items, their names and sizes are there at once; the pictures are decoded and made
// textures in the spare time the platform gives (PreparePictures), on the prefetch's
// threads and this one, or at their first draw, whichever comes first. A picture that
// does not decode then raises at its first draw and draws nothing after.
//
// DrawRotateAlpha turns clockwise on the screen as the angle grows (64 is a quarter
// turn from pointing up to pointing right).
#pragma once

#include <SDL.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "graphics/vtMedia.h"
#include "graphics/vtNameIndex.h"
#include "media/vtDecodePictures.h"
#include "media/vtSdlHandles.h"

namespace quellix::media {

class TSdlImageList : public IImageList {
 public:
  explicit TSdlImageList(SDL_Renderer* renderer) : fRenderer(renderer) {}

  // Threads that decode the pictures of a load (DecodeThreads() unless set).
  void SetDecodeThreads(unsigned threads) { fDecodeThreads = threads; }
  // The next load takes the prefetch's pictures when it loads the same file (and lets
  // go of it either way).
  void AdoptPrefetch(std::unique_ptr<TArchivePrefetch> prefetch) {
    fPrefetch = std::move(prefetch);
  }
  // Has the prefetch decode beside, and makes textures of its pictures not yet made,
  // decoding those it has not, until the performance counter passes `until`; false
  // once every picture is made (and the prefetch let go). Before the list has loaded the
  // prefetch's file, a prefetch without threads decodes here (DecodeHere).
  bool PreparePictures(uint64_t until);

  void LoadFromFile(const std::string& path) override;
  int32_t Count() const override { return static_cast<int32_t>(fItems.size()); }
  const TImageItem& Item(int32_t index) const override;
  int32_t IndexOf(std::string_view name) const override { return fIndex.IndexOf(name); }

  void Draw(int32_t index, int32_t x, int32_t y) override;
  void StretchDraw(int32_t index, const TRect& rect) override;
  void DrawAlpha(int32_t index, const TRect& rect, int32_t alpha) override;
  void DrawRotateAlpha(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height,
                       double centreX, double centreY, int32_t angle, int32_t alpha) override;
  TColorTable MakeColorTable() const override;

  // The item's texture and pattern-0 rectangle (for measuring the drawing cost).
  SDL_Texture* Texture(int32_t index) const;
  // How every picture is filtered when drawn scaled, now and after the next load.
  void SetScaleMode(SDL_ScaleMode mode);
  SDL_Rect Source(int32_t index) const;

 private:
  struct TPicture {
    TTexturePtr Texture;
    SDL_Rect Source{};  // pattern 0, within the picture
    uint8_t AlphaMod = 255;
    bool Pending = false;        // to come from the prefetch
    std::exception_ptr Failure;  // why it did not come, raised at its first draw
  };
  // Throws std::out_of_range for an index outside the list.
  void CheckIndex(int32_t index) const;
  SDL_ScaleMode fScaleMode = SDL_ScaleModeNearest;
  // The picture, its texture made first when it is still to come; null when there is
  // none to draw.
  TPicture* Drawable(int32_t index);
  // The items of the prefetched archive, their textures to come.
  void LoadPrefetched(std::unique_ptr<TArchivePrefetch> prefetch);
  // A load's items take the place of the list's; source: where the pending ones come from.
  void Replace(std::vector<TImageItem> items, std::vector<TPicture> pictures,
               std::unique_ptr<TArchivePrefetch> source);
  void MakeTexture(TPicture& picture, TSurfacePtr surface, const std::string& name,
                   const std::string& path);
  void Prepare(size_t index);
  // Sets the texture's alpha modulation; false when nothing would show.
  bool Blend(TPicture& picture, int32_t alpha);

  SDL_Renderer* fRenderer;
  unsigned fDecodeThreads = DecodeThreads();
  std::unique_ptr<TArchivePrefetch> fPrefetch;
  // Where the pictures of the items still pending come from; the items after fUnprepared
  // are all made.
  std::unique_ptr<TArchivePrefetch> fSource;
  size_t fUnprepared = 0;
  std::vector<TImageItem> fItems;
  std::vector<TPicture> fPictures;
  TNameIndex fIndex;
};

}  // namespace quellix::media
