// Decoding an archive's pictures on several threads: the same pixels as one thread,
// and, among several bad items, always the error of the first one. The prefetch, read
// in the background while the window opens and decoded beside the title: each picture
// once, as decoded alone, whoever decodes it, and what the image list's load of that
// file then takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "MediaTestSupport.h"
#include "media/vtDecodePictures.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtSdlPlatform.h"
#include "media/vtSdlSoundList.h"

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

// Removes the file a prefetch reads in the background: at once where an open file can be
// removed, else (Windows) once the prefetch has read it and let it go, within 10 s.
void RemoveWhenLetGo(const std::string& path) {
  std::error_code error;
  for (int tries = 0; !std::filesystem::remove(path, error) && error && tries < 1000; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_FALSE(error) << path << ": " << error.message();
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

// Whatever the threads and whoever gets to a picture first (the decoders, or an asker
// taking it before, during or after its turn), each picture is given once, as one
// thread decodes it, and a bad one raises what an ordinary load raises, when taken.
TEST(ArchivePrefetch, GivesEachPictureOnceAsDecodedAloneAndItsErrorWhenTaken) {
  UseDummyDrivers();
  TTempDir dir;
  const auto one = DecodePictures(MakeArchive(), "sprites.vtg", 1);
  for (unsigned threads : {0u, 1u, 3u}) {
    const std::string path = SaveArchive(dir, {12, 33});
    media::TArchivePrefetch prefetch(path, threads);
    EXPECT_EQ(prefetch.Path(), path);
    ASSERT_EQ(prefetch.Archive().Entries.size(), one.size());
    std::filesystem::remove(path);  // read: the pictures no longer need the file
    EXPECT_NE(prefetch.TakePicture(Items - 1), nullptr) << "taken before the decoders start";
    // Without threads the loop decodes in its spare time, none when it has none.
    EXPECT_EQ(prefetch.DecodeHere(0), threads == 0);
    EXPECT_FALSE(prefetch.DecodeHere(UINT64_MAX)) << threads;
    prefetch.DecodeBeside();
    prefetch.DecodeBeside();  // once only
    for (int round = 0; round < 2; ++round)
      for (size_t i = static_cast<size_t>(round); i + 1 < one.size(); i += 2) {
        if (i == 12 || i == 33) {
          try {
            prefetch.TakePicture(i);
            ADD_FAILURE() << "no error for item " << i;
          } catch (const TArchiveError& e) {
            EXPECT_NE(std::string(e.what()).find("sprites.vtg: item \"item" + std::to_string(i)),
                      std::string::npos)
                << e.what();
          }
          continue;
        }
        const media::TSurfacePtr picture = prefetch.TakePicture(i);
        ASSERT_EQ(Pixels(*picture), Pixels(*one[i])) << "item " << i << ", " << threads;
      }
    EXPECT_THROW(prefetch.TakePicture(0), std::logic_error) << "given once";
    EXPECT_THROW(prefetch.TakePicture(Items), std::out_of_range);
  }

  media::TArchivePrefetch missing(dir.File("missing.vtg"), 2);
  missing.DecodeBeside();
  try {
    missing.Archive();
    ADD_FAILURE() << "no error for a missing file";
  } catch (const TArchiveError& e) {
    EXPECT_EQ(std::string(e.what()), dir.File("missing.vtg") + ": cannot open file");
  }
  EXPECT_THROW(missing.TakePicture(0), TArchiveError);
  // Let go while decoding, without a picture taken: the decoders stop, nothing leaks.
  media::TArchivePrefetch untaken(SaveArchive(dir), 2);
  untaken.DecodeBeside();
}

// A load of the prefetched file has every item at once; each picture is made at its
// first draw or in the spare time given, a bad one raising at its first draw only.
TEST(ArchivePrefetch, ItsLoadGivesTheItemsAtOnceAndEachPictureWhenDrawnOrInSpareTime) {
  UseDummyDrivers();
  TTempDir dir;
  const std::string path = SaveArchive(dir, {12, 33});
  media::THeadlessPlatform platform({.ExeDir = "./", .AudioDriver = "none", .Gamepads = false});
  media::TSdlImageList& images = platform.SdlImages();
  images.AdoptPrefetch(std::make_unique<media::TArchivePrefetch>(path, 1));
  images.LoadFromFile(path);
  ASSERT_EQ(images.Count(), Items);
  EXPECT_EQ(images.IndexOf("ITEM41"), 41);
  EXPECT_EQ(images.Item(41).PictureWidth, 7);
  EXPECT_EQ(images.Item(41).Height(), 2);
  EXPECT_EQ(images.Texture(7), nullptr) << "not made yet";

  const auto expectFirstDrawRaises = [&](int32_t index) {
    try {
      images.Draw(index, 0, 0);
      ADD_FAILURE() << "no error at the first draw of item " << index;
    } catch (const TArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find("item \"item" + std::to_string(index)),
                std::string::npos)
          << e.what();
    }
    EXPECT_NO_THROW(images.Draw(index, 0, 0)) << "raised once, then nothing is drawn";
  };
  platform.Display().Fill(0);
  images.Draw(7, 10, 10);  // before its turn: decoded there and then
  EXPECT_EQ(platform.Pixel(10, 10), RGB(28, 0, 0));
  EXPECT_EQ(platform.Pixel(10, 12), RGB(28, 0, 100));
  EXPECT_EQ(platform.Pixel(11, 10), 0u) << "one pixel wide";
  expectFirstDrawRaises(12);
  EXPECT_TRUE(images.PreparePictures(0)) << "no time given: pictures still to come";
  while (images.PreparePictures(SDL_GetPerformanceCounter() + SDL_GetPerformanceFrequency() / 500))
    ;
  EXPECT_FALSE(images.PreparePictures(UINT64_MAX));
  for (int32_t i = 0; i < Items; ++i)
    EXPECT_EQ(images.Texture(i) == nullptr, i == 12 || i == 33) << "item " << i;
  images.StretchDraw(41, {100, 100, 114, 104});
  EXPECT_EQ(platform.Pixel(101, 101), RGB(164, 0, 0));
  EXPECT_EQ(platform.Pixel(113, 103), RGB(164, 180, 50));
  expectFirstDrawRaises(33);
}

TEST(ArchivePrefetch, TheImageListsLoadOfThatFileTakesItAndOfAnotherDropsIt) {
  UseDummyDrivers();
  TTempDir dir;
  const std::string path = SaveArchive(dir);
  media::THeadlessPlatform platform({.ExeDir = "./", .AudioDriver = "none", .Gamepads = false});
  media::TSdlImageList& images = platform.SdlImages();
  images.AdoptPrefetch(std::make_unique<media::TArchivePrefetch>(path, 2));
  RemoveWhenLetGo(path);
  images.LoadFromFile(path);
  EXPECT_EQ(images.Count(), Items) << "loaded from the prefetch, the file being gone";
  EXPECT_EQ(images.Item(7).PictureHeight, 3);
  EXPECT_THROW(images.LoadFromFile(path), TArchiveError) << "taken once only";

  const std::string other = dir.File("other.vtg");
  WriteBytes(other, MakeArchive().Bytes);
  images.AdoptPrefetch(std::make_unique<media::TArchivePrefetch>(SaveArchive(dir), 2));
  RemoveWhenLetGo(path);
  images.LoadFromFile(other);
  EXPECT_EQ(images.Count(), Items);
  EXPECT_THROW(images.LoadFromFile(path), TArchiveError) << "a load of another file drops it";

  // The window platform begins it when asked to, and its image list takes it.
  media::TSdlPlatformOptions options = WindowedOptions();
  options.ImageArchive = SaveArchive(dir);
  media::TSdlPlatform windowed(options);
  RemoveWhenLetGo(options.ImageArchive);
  windowed.ImageList().LoadFromFile(options.ImageArchive);
  EXPECT_EQ(windowed.ImageList().Count(), Items);
  options.ImageArchive = dir.File("missing.vtg");
  media::TSdlPlatform missing(options);
  EXPECT_THROW(missing.ImageList().LoadFromFile(options.ImageArchive), TArchiveError)
      << "a missing file fails at the load, as without the prefetch";
}

// The window platform's loop opens the sound device and makes the pictures in its
// spare time: between ticks, and in smooth motion between refreshes too.
TEST(ArchivePrefetch, TheWindowPlatformMakesEveryPictureInItsSpareTime) {
  UseDummyDrivers();
  TTempDir dir;
  for (const TMotionStyle motion : {TMotionStyle::Classic, TMotionStyle::Smooth}) {
    media::TSdlPlatformOptions options = WindowedOptions();
    options.ImageArchive = SaveArchive(dir);
    media::TSdlPlatform windowed(options);
    media::TSdlImageList& images = windowed.Pictures();
    auto& sounds = dynamic_cast<media::TSdlSoundList&>(windowed.SoundList());
    windowed.SetMotionStyle(motion);
    images.LoadFromFile(options.ImageArchive);
    const auto made = [&] {
      int count = 0;
      for (int32_t i = 0; i < Items; ++i) count += images.Texture(i) != nullptr;
      return count;
    };
    EXPECT_EQ(made(), 0);
    TRecordingEvents events;
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = SDL_GetWindowID(windowed.Window());
    SDL_PushEvent(&focus);
    // Each tick draws a frame; ten seconds at the most.
    events.OnTick = [&](int tick) {
      windowed.Display().Flip();
      if (made() == Items || tick == 250) windowed.CloseMainWindow();
    };
    windowed.Run(events);
    EXPECT_EQ(made(), Items);
    EXPECT_LT(events.Ticks, 250);
    EXPECT_FALSE(sounds.PrepareSounds()) << "the device opened already";
  }
}

}  // namespace
}  // namespace quellix::testing
