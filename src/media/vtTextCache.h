// Rendered texts, so a text drawn every frame is rasterised once: one texture per
// (text, face, pixel size, style, colour), the least recently used dropped first.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "media/vtSdlHandles.h"

namespace quellix::media {

struct TRenderedText {
  TTexturePtr Texture;
  int32_t Width = 0, Height = 0;
};

class TTextCache {
 public:
  explicit TTextCache(size_t capacity) : fCapacity(capacity) {}

  using TRasterise = std::function<TRenderedText()>;
  // The cached text for the key, rasterised on a miss.
  const TRenderedText& Get(const std::string& key, const TRasterise& rasterise);
  // Builds the key of a text in a face at a size, style and colour.
  static std::string Key(std::string_view text, const std::string& face, int32_t pixelSize,
                         uint8_t style, uint32_t color);

  size_t Size() const { return fEntries.size(); }
  size_t Rasterised() const { return fRasterised; }
  void Clear();

 private:
  struct TEntry {
    std::string Key;
    TRenderedText Text;
  };
  size_t fCapacity;
  size_t fRasterised = 0;
  std::list<TEntry> fEntries;  // most recently used first
  std::unordered_map<std::string, std::list<TEntry>::iterator> fByKey;
};

}  // namespace quellix::media
