// Decoding an archive's pictures on several threads: the same pixels as one thread,
// and, among several bad items, always the error of the first one. The same work begun
// in the background before the window opens: what the image list's load of that file
// then takes, and the errors it then raises.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "MediaTestSupport.h"
#include "media/vtDecodePictures.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlPlatform.h"

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

// The archive of MakeArchive as a file.
std::string SaveArchive(const TTempDir& dir, std::initializer_list<int> broken = {}) {
  const std::string path = dir.File("sprites.vtg");
  WriteBytes(path, MakeArchive(broken).Bytes);
  return path;
}

TEST(ArchivePrefetch, GivesThePicturesOnceAndTheErrorsOfAnOrdinaryLoad) {
  UseDummyDrivers();
  TTempDir dir;
  const std::string path = SaveArchive(dir);
  media::TArchivePrefetch prefetch(path, 2);
  std::filesystem::remove(path);  // read at once: the pictures no longer need the file
  EXPECT_EQ(prefetch.Path(), path);
  const media::TDecodedArchive taken = prefetch.Take();
  const auto one = DecodePictures(MakeArchive(), path, 1);
  ASSERT_EQ(taken.Pictures.size(), one.size());
  ASSERT_EQ(taken.Archive.Entries.size(), one.size());
  for (size_t i = 0; i < one.size(); ++i)
    ASSERT_EQ(Pixels(*taken.Pictures[i]), Pixels(*one[i])) << "item " << i;
  EXPECT_THROW(prefetch.Take(), std::logic_error);

  const auto expectError = [](const std::string& file, const std::string& text) {
    media::TArchivePrefetch failing(file, 2);
    try {
      failing.Take();
      ADD_FAILURE() << "no error for " << file;
    } catch (const TArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
    }
  };
  expectError(dir.File("missing.vtg"), dir.File("missing.vtg") + ": cannot open file");
  expectError(SaveArchive(dir, {0}), "sprites.vtg: item \"item0\"");
  expectError(SaveArchive(dir, {33, 12}), "sprites.vtg: item \"item12\"");
  media::TArchivePrefetch untaken(SaveArchive(dir), 2);  // let go without a load: no leak
}

TEST(ArchivePrefetch, TheImageListsLoadOfThatFileTakesItAndOfAnotherDropsIt) {
  UseDummyDrivers();
  TTempDir dir;
  const std::string path = SaveArchive(dir);
  media::THeadlessPlatform platform({.ExeDir = "./", .AudioDriver = "none", .Gamepads = false});
  media::TSdlImageList& images = platform.SdlImages();
  images.AdoptPrefetch(std::make_unique<media::TArchivePrefetch>(path, 2));
  std::filesystem::remove(path);
  images.LoadFromFile(path);
  EXPECT_EQ(images.Count(), Items) << "loaded from the prefetch, the file being gone";
  EXPECT_EQ(images.Item(7).PictureHeight, 3);
  EXPECT_THROW(images.LoadFromFile(path), TArchiveError) << "taken once only";

  const std::string other = dir.File("other.vtg");
  WriteBytes(other, MakeArchive().Bytes);
  images.AdoptPrefetch(std::make_unique<media::TArchivePrefetch>(SaveArchive(dir), 2));
  std::filesystem::remove(path);
  images.LoadFromFile(other);
  EXPECT_EQ(images.Count(), Items);
  EXPECT_THROW(images.LoadFromFile(path), TArchiveError) << "a load of another file drops it";

  // The window platform begins it when asked to, and its image list takes it.
  media::TSdlPlatformOptions options = WindowedOptions();
  options.ImageArchive = SaveArchive(dir);
  media::TSdlPlatform windowed(options);
  std::filesystem::remove(options.ImageArchive);
  windowed.ImageList().LoadFromFile(options.ImageArchive);
  EXPECT_EQ(windowed.ImageList().Count(), Items);
  options.ImageArchive = dir.File("missing.vtg");
  media::TSdlPlatform missing(options);
  EXPECT_THROW(missing.ImageList().LoadFromFile(options.ImageArchive), TArchiveError)
      << "a missing file fails at the load, as without the prefetch";
}

}  // namespace
}  // namespace quellix::testing
