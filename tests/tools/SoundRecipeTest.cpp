// Sound recipes through the generator: what a recipe says is what the sound holds, and a
// faulty recipe stops the generator with a message naming the file and line.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "SoundTablesTestSupport.h"
#include "SoundWave.h"
#include "graphics/vtArchive.h"

namespace quellix::testing {
namespace {

struct TRendered {
  TCommandRun Run;
  TArchive Archive;
  std::map<std::string, TSoundWave> Waves;
};

// Generates with recipes as the only sound source.
TRendered Render(const std::string& recipes) {
  TTempDir dir;
  CopyDataSources(dir.Dir());
  std::filesystem::remove_all(dir.Dir() + "data/sounds");
  std::filesystem::create_directory(dir.Dir() + "data/sounds");
  WriteText(dir.Dir() + "data/sounds/test.txt", recipes);
  TRendered r;
  r.Run = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
  if (r.Run.ExitCode != 0) return r;
  r.Archive = ReadArchive(dir.Dir() + "out/sounds.vtw", TArchiveKind::Sounds);
  for (size_t i = 0; i < r.Archive.Entries.size(); ++i)
    r.Waves.emplace(r.Archive.Entries[i].Name, ParseSoundWave(r.Archive.Payload(i)));
  return r;
}

// Sign changes per second between two times: twice the frequency of a plain tone.
double Crossings(const TSoundWave& w, double from, double to) {
  const auto a = static_cast<size_t>(from * w.SampleRate),
             b = static_cast<size_t>(to * w.SampleRate);
  int count = 0;
  for (size_t i = a + 1; i < b; ++i) count += (w.Samples[i - 1] < 0) != (w.Samples[i] < 0);
  return count / (to - from);
}

double Energy(const TSoundWave& w, double from, double to) {
  double sum = 0;
  for (auto i = static_cast<size_t>(from * w.SampleRate);
       i < static_cast<size_t>(to * w.SampleRate); ++i)
    sum += double(w.Samples[i]) * w.Samples[i];
  return sum;
}

TEST(SoundRecipe, RendersWhatTheRecipeSays) {
  const TRendered r = Render(
      "sound tone.wav\n  max 2\n  peak -6\n  length 0.5\n"
      "  voice sine\n    pitch 1000\n    env 0.01 0 1 0.45 0.04\n"
      "sound slide.wav\n  length 1\n  voice sine\n    pitch 200 0.6 800\n    env 0.01 0 1 0.95 "
      "0.04\n"
      "sound taps.wav\n  length 0.6\n  voice noise\n    env 0.001 0.03 0 0 0.01\n"
      "    repeat 3 0.2\n"
      "sound hum.wav\n  looped yes\n  length 1\n  voice sine\n    pitch 100.4\n");
  ASSERT_EQ(r.Run.ExitCode, 0) << r.Run.Output;
  ASSERT_EQ(r.Archive.Entries.size(), 4u);
  EXPECT_EQ(r.Archive.Entries[0].Name, "tone.wav");
  EXPECT_EQ(r.Archive.Entries[0].Sound.MaxPlayingCount, 2);
  EXPECT_FALSE(r.Archive.Entries[0].Sound.Looped);

  const TSoundWave& tone = r.Waves.at("tone.wav");
  ASSERT_TRUE(tone.Valid) << tone.Fault;
  EXPECT_NEAR(tone.Seconds(), 0.5, 0.001);
  EXPECT_NEAR(tone.PeakDb(), -6, 0.05);
  EXPECT_NEAR(Crossings(tone, 0.05, 0.45), 2000, 20);

  const TSoundWave& slide = r.Waves.at("slide.wav");
  EXPECT_NEAR(Crossings(slide, 0.0, 0.05), 2 * 210, 40);
  EXPECT_NEAR(Crossings(slide, 0.7, 0.95), 2 * 800, 20);

  // Three strikes 0.2 s apart, silence between them.
  const TSoundWave& taps = r.Waves.at("taps.wav");
  for (double at : {0.0, 0.2, 0.4}) {
    EXPECT_GT(Energy(taps, at, at + 0.04), 1000 * Energy(taps, at + 0.1, at + 0.19)) << at;
  }

  // A loop is rounded to whole cycles (100 Hz in 1 s) and starts at a zero crossing.
  const TSoundWave& hum = r.Waves.at("hum.wav");
  EXPECT_TRUE(r.Archive.Entries[3].Sound.Looped);
  EXPECT_NEAR(hum.Seconds(), 1.0, 0.001);
  EXPECT_NEAR(Crossings(hum, 0, 1), 200, 1);
  EXPECT_LE(std::abs(hum.Samples.front()), hum.Peak() / 50);
  EXPECT_LE(std::abs(hum.Samples.back()), hum.Peak() / 50);
}

TEST(SoundRecipe, NoiseFollowsItsSeed) {
  const std::string voice = "  length 0.2\n  voice noise\n    env 0.01 0 1 0.1 0.05\n";
  const TRendered r = Render("sound a.wav\n" + voice + "    seed 7\n" +  //
                             "sound b.wav\n" + voice + "    seed 7\n" +  //
                             "sound c.wav\n" + voice + "    seed 8\n");
  ASSERT_EQ(r.Run.ExitCode, 0) << r.Run.Output;
  EXPECT_EQ(r.Waves.at("a.wav").Samples, r.Waves.at("b.wav").Samples);
  EXPECT_NE(r.Waves.at("a.wav").Samples, r.Waves.at("c.wav").Samples);
}

struct TBadRecipe {
  const char* Source;
  const char* Line;
  const char* Message;
};

TEST(SoundRecipe, FaultsStopTheGeneratorNamingTheLine) {
  const TBadRecipe cases[] = {
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch 100 0.1\n",
       "test.txt:4:", "pairs of seconds and value"},
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch 100\n    wobble 3\n",
       "test.txt:5:", "unknown key \"wobble\""},
      {"sound a.wav\n  length 0.2\n  voice organ\n", "test.txt:3:", "unknown wave \"organ\""},
      {"sound a.wav\n  length 0.2\n  peak 3\n  voice sine\n    pitch 100\n",
       "test.txt:3:", "outside"},
      {"sound a.wav\n  voice sine\n    pitch 100\n", "test.txt:1:", "has no length"},
      {"sound a.wav\n  length 0.2\n", "test.txt:1:", "has no voice"},
      {"sound a.wav\n  length 0.2\n  voice sine\n", "test.txt:3:", "has no pitch"},
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch x\n",
       "test.txt:4:", "\"x\" is not a number"},
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch 100\n    start 0.3\n",
       "test.txt:3:", "starts after the sound's length"},
      {"sound a.wav\n  looped yes\n  length 1\n  voice sine\n    pitch 100\n"
       "    env 0.1 0 1 0.5 0.1\n",
       "test.txt:6:", "looped sound plays its voices steadily"},
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch 100\n"
       "sound A.WAV\n  length 0.2\n  voice sine\n    pitch 100\n",
       "test.txt:5:", "already defined at"},
      {"  length 0.2\n", "test.txt:1:", "before the first \"sound\""},
      {"sound a.wav\n  length 0.2\n  voice sine\n    pitch 100\n    q 2\n",
       "test.txt:5:", "\"q\" belongs after the voice's filter"},
      {"sound a.wav\n  length 0.2\n  pitch 100\n", "test.txt:3:", "before the first \"voice\""},
  };
  for (const TBadRecipe& c : cases) {
    SCOPED_TRACE(c.Source);
    const TRendered r = Render(c.Source);
    EXPECT_NE(r.Run.ExitCode, 0);
    EXPECT_NE(r.Run.Output.find(c.Line), std::string::npos) << r.Run.Output;
    EXPECT_NE(r.Run.Output.find(c.Message), std::string::npos) << r.Run.Output;
  }
}

}  // namespace
}  // namespace quellix::testing
