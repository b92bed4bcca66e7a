#include <gtest/gtest.h>

#include "services/vtFlagClass.h"
#include "services/vtSound.h"
#include "support/vtFakeMedia.h"

namespace quellix {
namespace {

using testing::TFakeSoundList;

class AudioEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sounds.Add("player_shot.wav");
    sounds.Add("shields.wav");
    audio.SetSoundList(&sounds);
    audio.SetEnabled(true);
  }
  TFakeSoundList sounds;
  Tvt6AudioEngine audio;
};

TEST_F(AudioEngineTest, PlaysByNameIgnoringCaseAndOverlapping) {
  const TSoundInstance first = audio.PlaySound("Player_Shot.WAV");
  const TSoundInstance second = audio.PlaySound("player_shot.wav");
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(sounds.Played, (std::vector<std::string>{"player_shot.wav", "player_shot.wav"}));
}

TEST_F(AudioEngineTest, UnknownNamesAndTheSwitchOffStartNothing) {
  EXPECT_EQ(audio.PlaySound("missing.wav"), 0u);
  audio.SetEnabled(false);
  EXPECT_FALSE(audio.Enabled());
  EXPECT_EQ(audio.PlaySound("shields.wav"), 0u);
  EXPECT_TRUE(sounds.Played.empty());
  // StopAll works whatever the switch says.
  audio.StopAll();
  EXPECT_EQ(sounds.StopAlls, 1);

  Tvt6AudioEngine unbound;
  unbound.SetEnabled(true);
  EXPECT_EQ(unbound.PlaySound("shields.wav"), 0u);
  unbound.StopAll();
  unbound.StopSound(5);
}

TEST_F(AudioEngineTest, AKeptInstanceCanBeStopped) {
  const TSoundInstance hum = audio.PlaySound("shields.wav");
  audio.StopSound(hum);
  audio.StopSound(0);  // nothing was started: nothing to stop
  EXPECT_EQ(sounds.Stopped, std::vector<TSoundInstance>{hum});
}

TEST(FlagEngine, StartsEmptyAndIgnoresDeletesOutsideIt) {
  Tvt6FlagEngine flags;
  EXPECT_EQ(flags.Count(), 0);
  flags.Delete(0);
  flags.Delete(-1);
  flags.Clear();
  EXPECT_EQ(flags.Count(), 0);
}

}  // namespace
}  // namespace quellix
