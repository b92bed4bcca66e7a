// Decoding an archive's pictures on several threads: the same pixels as one thread,
// and, among several bad items, always the error of the first one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "MediaTestSupport.h"
#include "media/vtDecodePictures.h"

namespace quellix::testing {
namespace {

using media::DecodePictures;

constexpr int Items = 60;

std::vector<uint8_t> Picture(int i) {
  return Png(1 + i % 7, 1 + i % 5, [i](int x, int y) {
    return RGB(static_cast<uint8_t>(i * 4), static_cast<uint8_t>(x * 30),
               static_cast<uint8_t>(y * 50));
  });
}

// Items 0..59, transparent on every third; the items named in `broken` carry damage.
TArchive MakeArchive(std::initializer_list<int> broken = {}) {
  TArchiveWriter w(TArchiveKind::Images);
  for (int i = 0; i < Items; ++i) {
    std::vector<uint8_t> png = Picture(i);
    if (std::find(broken.begin(), broken.end(), i) != broken.end()) png.resize(png.size() / 2);
    w.AddImage(ImageFields("item" + std::to_string(i), i % 3 == 0, RGB(0, 30, 50)), png);
  }
  return ParseArchive(w.Bytes(), TArchiveKind::Images, "sprites.vtg");
}

std::vector<uint8_t> Pixels(const SDL_Surface& s) {
  std::vector<uint8_t> out;
  const auto* row = static_cast<const uint8_t*>(s.pixels);
  for (int y = 0; y < s.h; ++y, row += s.pitch) out.insert(out.end(), row, row + s.w * 4);
  return out;
}

TEST(DecodePictures, EveryThreadCountGivesThePicturesOfOneThreadInItemOrder) {
  UseDummyDrivers();
  const TArchive archive = MakeArchive();
  const auto one = DecodePictures(archive, "sprites.vtg", 1);
  ASSERT_EQ(one.size(), size_t{Items});
  EXPECT_EQ(one[7]->w, 1);
  EXPECT_EQ(one[7]->h, 3);
  for (unsigned threads : {0u, 2u, 3u, 8u, 100u}) {
    const auto many = DecodePictures(archive, "sprites.vtg", threads);
    ASSERT_EQ(many.size(), one.size());
    for (size_t i = 0; i < one.size(); ++i) {
      ASSERT_EQ(many[i]->format->format, SDL_PIXELFORMAT_ARGB8888);
      ASSERT_EQ(Pixels(*many[i]), Pixels(*one[i])) << "item " << i << ", " << threads << " threads";
    }
  }
  EXPECT_GE(media::DecodeThreads(), 1u);
  EXPECT_TRUE(DecodePictures(ParseArchive(TArchiveWriter(TArchiveKind::Images).Bytes(),
                                          TArchiveKind::Images, "empty.vtg"),
                             "empty.vtg", 4)
                  .empty());
}

TEST(DecodePictures, AmongBadItemsTheFirstInItemOrderIsReportedWhateverTheThreads) {
  UseDummyDrivers();
  const TArchive archive = MakeArchive({41, 17, 58});
  for (int round = 0; round < 20; ++round)
    for (unsigned threads : {1u, 2u, 4u, 8u}) {
      try {
        DecodePictures(archive, "sprites.vtg", threads);
        ADD_FAILURE() << "no error with " << threads << " threads";
      } catch (const TArchiveError& e) {
        ASSERT_NE(std::strstr(e.what(), "sprites.vtg: item \"item17\""), nullptr)
            << e.what() << " with " << threads << " threads";
      }
    }
}

}  // namespace
}  // namespace quellix::testing
