// The generated sound archive: every sound the game plays, as clean 16-bit WAVEs that
// are short where they must be, click-free, normalised and sensibly limited in copies.
#include <gtest/gtest.h>

#include <set>

#include "SoundTablesTestSupport.h"
#include "SoundWave.h"
#include "graphics/vtArchive.h"

namespace quellix::testing {
namespace {

const std::vector<std::string> LaunchAndShotSounds = {
    "starfish_launch.wav", "spiral_launch.wav",  "spike_launch.wav", "castle_launch.wav",
    "launch_spiker.wav",   "spinner_launch.wav", "floud_launch.wav", "aztek_launch.wav",
    "squid_launch.wav",    "base_launch.wav",    "spirial_shot.wav", "floud_shot.wav",
    "aztek_shot.wav",      "player_shot.wav"};

std::vector<std::string> GameSounds() {
  std::vector<std::string> names = {"wave_launch.wav", "shields.wav",     "bonus1.wav",
                                    "exp2.wav",        "explosion.wav",   "explosion82.wav",
                                    "thud.wav",        "newendlevel.wav", "cheering.wav"};
  names.insert(names.end(), LaunchAndShotSounds.begin(), LaunchAndShotSounds.end());
  return names;
}

class SoundArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    Archive = ReadArchive(RunDir() + "sounds.vtw", TArchiveKind::Sounds);
    for (size_t i = 0; i < Archive.Entries.size(); ++i) {
      TSoundWave w = ParseSoundWave(Archive.Payload(i));
      ASSERT_TRUE(w.Valid) << Archive.Entries[i].Name << ": " << w.Fault;
      Waves.emplace(Archive.Entries[i].Name, std::move(w));
    }
  }

  const TSoundItem& Item(const std::string& name) const {
    for (const TArchiveEntry& e : Archive.Entries)
      if (e.Name == name) return e.Sound;
    throw std::runtime_error(name + " missing");
  }

  TArchive Archive;
  std::map<std::string, TSoundWave> Waves;
};

TEST_F(SoundArchive, HoldsEverySoundTheGamePlaysOnce) {
  std::set<std::string> names;
  for (const TArchiveEntry& e : Archive.Entries) EXPECT_TRUE(names.insert(e.Name).second) << e.Name;
  for (const std::string& name : GameSounds()) EXPECT_TRUE(names.contains(name)) << name;
  EXPECT_EQ(names.size(), GameSounds().size());
}

TEST_F(SoundArchive, EveryItemIsMonoPcmAtOneRate) {
  for (const auto& [name, w] : Waves) {
    EXPECT_TRUE(w.SampleRate == 22050 || w.SampleRate == 44100) << name;
    EXPECT_EQ(w.SampleRate, Waves.begin()->second.SampleRate) << name;
    EXPECT_GE(w.Seconds(), 0.05) << name;
    EXPECT_LE(w.Seconds(), 4.0) << name;
  }
}

TEST_F(SoundArchive, LaunchAndShotSoundsAreShort) {
  for (const std::string& name : LaunchAndShotSounds)
    EXPECT_LT(Waves.at(name).Seconds(), 0.5) << name;
}

TEST_F(SoundArchive, SoundsStartAndEndInSilenceWithoutOffset) {
  for (const auto& [name, w] : Waves) {
    SCOPED_TRACE(name);
    const int32_t peak = w.Peak();
    ASSERT_GT(peak, 0);
    // A sample far from 0 at either end is a click when the sound starts or stops.
    EXPECT_LE(std::abs(w.Samples.front()), peak / 100);
    EXPECT_LE(std::abs(w.Samples.back()), peak / 100);
    EXPECT_LE(std::abs(w.Mean()), peak / 100.0) << "DC offset";
  }
}

TEST_F(SoundArchive, PeaksAreNormalisedBelowFullScale) {
  for (const auto& [name, w] : Waves) {
    EXPECT_LE(w.PeakDb(), -0.9) << name;
    EXPECT_GE(w.PeakDb(), -16.0) << name;
  }
  // Frequent sounds sit lower in the mix than the rare, big ones.
  EXPECT_LT(Waves.at("player_shot.wav").PeakDb(), Waves.at("explosion.wav").PeakDb());
  EXPECT_LT(Waves.at("spirial_shot.wav").PeakDb(), Waves.at("newendlevel.wav").PeakDb());
}

TEST_F(SoundArchive, CopyLimitsKeepVolleysAndWavesOfKillsFromNoise) {
  for (const TArchiveEntry& e : Archive.Entries) {
    EXPECT_GE(e.Sound.MaxPlayingCount, 1) << e.Name << ": unlimited copies";
    EXPECT_LE(e.Sound.MaxPlayingCount, 4) << e.Name;
  }
  EXPECT_LE(Item("player_shot.wav").MaxPlayingCount, 3);
  EXPECT_EQ(Item("newendlevel.wav").MaxPlayingCount, 1);
  EXPECT_EQ(Item("cheering.wav").MaxPlayingCount, 1);
}

// The shield sound plays from raising to lowering the shields, which can be many seconds:
// it is the one looped item, and its end runs into its start without a seam.
TEST_F(SoundArchive, ShieldSoundIsASeamlessLoop) {
  for (const TArchiveEntry& e : Archive.Entries)
    EXPECT_EQ(e.Sound.Looped, e.Name == "shields.wav") << e.Name;
  EXPECT_EQ(Item("shields.wav").MaxPlayingCount, 1);
  const TSoundWave& w = Waves.at("shields.wav");
  EXPECT_GE(w.Seconds(), 1.0);
  // Across the seam the wave moves no more than it does between neighbours elsewhere.
  int32_t largestStep = 0;
  for (size_t i = 1; i < w.Samples.size(); ++i)
    largestStep = std::max(largestStep, std::abs(w.Samples[i] - w.Samples[i - 1]));
  EXPECT_LE(std::abs(w.Samples.front() - w.Samples.back()), largestStep);
}

TEST_F(SoundArchive, EverySoundIsDistinct) {
  for (auto a = Waves.begin(); a != Waves.end(); ++a)
    for (auto b = std::next(a); b != Waves.end(); ++b)
      EXPECT_NE(a->second.Samples, b->second.Samples) << a->first << " and " << b->first;
}

}  // namespace
}  // namespace quellix::testing
