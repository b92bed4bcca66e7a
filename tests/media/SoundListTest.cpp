// The sound list on SDL's dummy audio driver (which plays in real time): copies that
// overlap, copy limits, stopping one copy or all, silence without a device, and a
// device opened after the load.
#include <gtest/gtest.h>

#include <SDL.h>

#include <set>

#include "MediaTestSupport.h"
#include "media/vtAudioDevice.h"
#include "media/vtHeadlessPlatform.h"
#include "media/vtPayloads.h"
#include "media/vtSdlSoundList.h"

namespace quellix::testing {
namespace {

class SoundList : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDrivers();
    TArchiveWriter w(TArchiveKind::Sounds);
    w.AddSound(SoundFields("Free.wav"), Wav(3000));
    w.AddSound(SoundFields("Pair.wav", 2), Wav(3000));
    w.AddSound(SoundFields("short.wav"), Wav(20));
    w.AddSound(SoundFields("loop.wav", 0, true), Wav(20));
    w.SaveToFile(dir.File("sounds.vtw"));
  }
  TTempDir dir;
};

class PlayingSounds : public SoundList {
 protected:
  void SetUp() override {
    SoundList::SetUp();
    ASSERT_TRUE(platform.SoundDeviceOpen());
    sounds().LoadFromFile(dir.File("sounds.vtw"));
  }
  media::TSdlSoundList& sounds() { return platform.SdlSounds(); }
  media::THeadlessPlatform platform;
};

TEST_F(PlayingSounds, ItemsAreFoundByNameIgnoringCase) {
  EXPECT_EQ(sounds().Count(), 4);
  EXPECT_EQ(sounds().IndexOf("free.WAV"), 0);
  EXPECT_EQ(sounds().IndexOf("LOOP.wav"), 3);
  EXPECT_EQ(sounds().IndexOf("loop"), -1);
  EXPECT_EQ(sounds().Item(1).MaxPlayingCount, 2);
  EXPECT_TRUE(sounds().Item(3).Looped);
  EXPECT_THROW(sounds().Play(4), std::out_of_range);
  EXPECT_THROW(sounds().Play(-1), std::out_of_range);
}

TEST_F(PlayingSounds, ACopyStillPlayingIsNeverCut) {
  std::set<TSoundInstance> copies;
  for (int i = 0; i < 40; ++i) copies.insert(sounds().Play(0));  // more than the first channels
  EXPECT_EQ(copies.size(), 40u);
  EXPECT_FALSE(copies.contains(0));
  EXPECT_EQ(sounds().PlayingCount(0), 40);
  for (TSoundInstance c : copies) EXPECT_TRUE(sounds().Playing(c));
}

TEST_F(PlayingSounds, AtTheCopyLimitTheOldestRestarts) {
  const TSoundInstance first = sounds().Play(1);
  const TSoundInstance second = sounds().Play(1);
  EXPECT_EQ(sounds().PlayingCount(1), 2);
  const TSoundInstance third = sounds().Play(1);
  EXPECT_EQ(sounds().PlayingCount(1), 2);
  EXPECT_FALSE(sounds().Playing(first)) << "the oldest copy was restarted as the new one";
  EXPECT_TRUE(sounds().Playing(second));
  EXPECT_TRUE(sounds().Playing(third));
  const TSoundInstance fourth = sounds().Play(1);
  EXPECT_FALSE(sounds().Playing(second));
  EXPECT_TRUE(sounds().Playing(third));
  EXPECT_TRUE(sounds().Playing(fourth));
  // Other items are not counted against the limit.
  sounds().Play(0);
  EXPECT_EQ(sounds().PlayingCount(1), 2);
}

TEST_F(PlayingSounds, StopEndsOnlyThatCopyWhileItPlays) {
  const TSoundInstance a = sounds().Play(0);
  const TSoundInstance b = sounds().Play(0);
  sounds().Stop(a);
  EXPECT_FALSE(sounds().Playing(a));
  EXPECT_TRUE(sounds().Playing(b));
  // A copy that was restarted over is gone: stopping it leaves the new one alone.
  const TSoundInstance p1 = sounds().Play(1);
  sounds().Play(1);
  const TSoundInstance p3 = sounds().Play(1);
  sounds().Stop(p1);
  EXPECT_TRUE(sounds().Playing(p3));
  EXPECT_EQ(sounds().PlayingCount(1), 2);
  sounds().Stop(0);
  sounds().Stop(123456);
  EXPECT_TRUE(sounds().Playing(b));
}

TEST_F(PlayingSounds, StopAllHaltsEverything) {
  sounds().Play(0);
  sounds().Play(1);
  sounds().Play(3);
  sounds().StopAll();
  EXPECT_EQ(sounds().PlayingCount(0) + sounds().PlayingCount(1) + sounds().PlayingCount(3), 0);
}

TEST_F(PlayingSounds, LoopedItemsKeepPlaying) {
  const TSoundInstance once = sounds().Play(2);
  const TSoundInstance looped = sounds().Play(3);
  SDL_Delay(400);  // 20 ms sounds: long over unless looped
  EXPECT_FALSE(sounds().Playing(once));
  EXPECT_TRUE(sounds().Playing(looped));
}

TEST_F(PlayingSounds, AnItemThatIsNotAWaveRaisesNamingTheFileAndItem) {
  TArchiveWriter w(TArchiveKind::Sounds);
  w.AddSound(SoundFields("ok.wav"), Wav(10));
  w.AddSound(SoundFields("bad.wav"), std::vector<uint8_t>{'O', 'g', 'g', 'S', 0, 0, 0, 0, 0, 0});
  w.SaveToFile(dir.File("bad.vtw"));
  try {
    sounds().LoadFromFile(dir.File("bad.vtw"));
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(dir.File("bad.vtw")), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("\"bad.wav\""), std::string::npos);
  }
  EXPECT_EQ(sounds().Count(), 4) << "the earlier items stay";
  EXPECT_THROW(sounds().LoadFromFile(dir.File("missing.vtw")), std::runtime_error);
}

TEST_F(SoundList, WithoutASoundDeviceEverythingIsSilent) {
  media::THeadlessPlatform silent{{.ExeDir = "./", .AudioDriver = "none"}};
  std::vector<std::string> log;
  silent.AttachLog([&](const std::string& line) { log.push_back(line); });
  EXPECT_FALSE(silent.SoundDeviceOpen());
  ISoundList& sounds = silent.SoundList();
  sounds.LoadFromFile(dir.File("sounds.vtw"));
  EXPECT_EQ(sounds.IndexOf("pair.wav"), 1);
  EXPECT_EQ(sounds.Play(0), 0u);
  EXPECT_EQ(sounds.Play(3), 0u);
  sounds.Stop(1);
  sounds.StopAll();
  EXPECT_EQ(silent.SdlSounds().PlayingCount(0), 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("No sound device"), std::string::npos);

  // A bad sound is found all the same.
  TArchiveWriter w(TArchiveKind::Sounds);
  std::vector<uint8_t> cut = Wav(10);
  cut.resize(30);
  w.AddSound(SoundFields("cut.wav"), cut);
  w.SaveToFile(dir.File("cut.vtw"));
  EXPECT_THROW(sounds.LoadFromFile(dir.File("cut.vtw")), TArchiveError);
}

// The window platform opens the device only once the title shows: a load before that
// checks every sound as without a device, and the sounds play once the device has
// opened, in spare time or at the first Play.
TEST_F(SoundList, ADeviceOpenedLaterPlaysWhatWasLoadedBefore) {
  for (const bool spareTimeFirst : {true, false}) {
    std::vector<std::string> log;
    media::TPlatformLog platformLog;
    platformLog.Attach([&](const std::string& line) { log.push_back(line); });
    media::TAudioDevice device(platformLog, "dummy", true);
    media::TSdlSoundList sounds(device, platformLog);
    EXPECT_FALSE(device.Started());
    TArchiveWriter w(TArchiveKind::Sounds);
    std::vector<uint8_t> cut = Wav(10);
    cut.resize(30);
    w.AddSound(SoundFields("cut.wav"), cut);
    w.SaveToFile(dir.File("cut.vtw"));
    EXPECT_THROW(sounds.LoadFromFile(dir.File("cut.vtw")), TArchiveError) << "found all the same";
    sounds.LoadFromFile(dir.File("sounds.vtw"));
    EXPECT_FALSE(device.Started()) << "a load opens nothing";
    EXPECT_EQ(sounds.IndexOf("pair.wav"), 1);
    if (spareTimeFirst) {
      EXPECT_TRUE(sounds.PrepareSounds());
      EXPECT_TRUE(device.Open());
      EXPECT_FALSE(sounds.PrepareSounds()) << "done once";
    }
    const TSoundInstance first = sounds.Play(0);
    EXPECT_NE(first, 0u);
    EXPECT_TRUE(sounds.Playing(first));
    EXPECT_NE(sounds.Play(3), 0u);
    EXPECT_EQ(sounds.PlayingCount(0), 1);
    EXPECT_FALSE(sounds.PrepareSounds());
    EXPECT_TRUE(log.empty()) << log.front();
    sounds.StopAll();
  }
}

TEST(WavePayload, HeadersThatWouldMakeSdlAllocateWildlyAreRefused) {
  const std::vector<uint8_t> good = Wav(10);
  EXPECT_EQ(media::DecodeWave(good, "ok", "s.vtw", false), nullptr) << "checked, no mixer";
  const auto expectRefused = [](std::vector<uint8_t> wav, const char* why) {
    try {
      media::DecodeWave(wav, "bad.wav", "s.vtw", false);
      ADD_FAILURE() << why;
    } catch (const TArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find("s.vtw: item \"bad.wav\""), std::string::npos);
    }
  };
  std::vector<uint8_t> bigData = good;
  bigData[40] = 0x90, bigData[41] = 0x01, bigData[42] = 0x53, bigData[43] = 0xA7;  // 2.8 GB
  expectRefused(bigData, "data chunk longer than the file");
  std::vector<uint8_t> wildRate = good;
  wildRate[24] = 0xDE, wildRate[25] = 0xAA, wildRate[26] = 0x07;  // 502494 Hz
  expectRefused(wildRate, "sample rate");
  std::vector<uint8_t> noChannels = good;
  noChannels[22] = 0;
  expectRefused(noChannels, "channels");
  expectRefused({good.begin(), good.begin() + 36}, "no data chunk");
}

}  // namespace
}  // namespace quellix::testing
