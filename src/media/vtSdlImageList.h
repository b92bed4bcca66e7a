// The image list on an SDL renderer: each item's picture is a texture made at load,
// its pattern-0 rectangle worked out once, so a draw is an index check and one copy,
// with no allocation and no name lookup. The pictures are decoded on every processor,
// the textures then made on the renderer's own thread.
//
// DrawRotateAlpha turns clockwise on the screen as the angle grows (64 is a quarter
// turn from pointing up to pointing right).
#pragma once

#include <SDL.h>

#include <memory>
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
  };
  // Throws std::out_of_range for an index outside the list.
  void CheckIndex(int32_t index) const;
  SDL_ScaleMode fScaleMode = SDL_ScaleModeNearest;
  TPicture& Picture(int32_t index);
  // Sets the texture's alpha modulation; false when nothing would show.
  bool Blend(TPicture& picture, int32_t alpha);

  SDL_Renderer* fRenderer;
  unsigned fDecodeThreads = DecodeThreads();
  std::unique_ptr<TArchivePrefetch> fPrefetch;
  std::vector<TImageItem> fItems;
  std::vector<TPicture> fPictures;
  TNameIndex fIndex;
};

}  // namespace quellix::media
