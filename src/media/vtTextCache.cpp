#include "media/vtTextCache.h"

namespace quellix::media {

std::string TTextCache::Key(std::string_view text, const std::string& face, int32_t pixelSize,
                            uint8_t style, uint32_t color) {
  std::string key = face;
  key += '\0';
  key += std::to_string(pixelSize) + '/' + std::to_string(style) + '/' + std::to_string(color);
  key += '\0';
  key += text;
  return key;
}

const TRenderedText& TTextCache::Get(const std::string& key, const TRasterise& rasterise) {
  if (auto it = fByKey.find(key); it != fByKey.end()) {
    fEntries.splice(fEntries.begin(), fEntries, it->second);
    return it->second->Text;
  }
  TRenderedText text = rasterise();
  ++fRasterised;
  if (fEntries.size() >= fCapacity && !fEntries.empty()) {
    fByKey.erase(fEntries.back().Key);
    fEntries.pop_back();
  }
  fEntries.push_front({key, std::move(text)});
  fByKey[key] = fEntries.begin();
  return fEntries.front().Text;
}

void TTextCache::Clear() {
  fByKey.clear();
  fEntries.clear();
}

}  // namespace quellix::media
