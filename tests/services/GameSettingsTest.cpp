// The settings file: what each line may say, what is reported, the text written for a
// missing file, which reads back as the defaults, and a save that keeps every line the
// game does not know.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/vtGameSettings.h"

namespace quellix::testing {
namespace {

TGameSettings Parse(const std::string& text, std::vector<std::string>* reports = nullptr) {
  return ParseGameSettings(text, [&](const std::string& line) {
    if (reports) reports->push_back(line);
  });
}

TEST(GameSettings, LinesSetTheirValuesAndTheWrittenDefaultsReadBack) {
  std::vector<std::string> reports;
  EXPECT_EQ(Parse(GameSettingsText({}), &reports), TGameSettings{});
  const TGameSettings classic{TMotionStyle::Classic, 144};
  EXPECT_EQ(Parse(GameSettingsText(classic), &reports), classic);
  EXPECT_EQ(Parse("  motion=classic \r\n\n# motion = smooth\r\nrefresh =0\n"),
            (TGameSettings{TMotionStyle::Classic, 0}));
  EXPECT_TRUE(reports.empty());
}

TEST(GameSettings, AWrongLineIsReportedAndLeavesItsDefault) {
  std::vector<std::string> reports;
  const TGameSettings settings =
      Parse("motion = fast\nrefresh = 1001\nrefresh = 12x\nrefresh = -1\ngravity = 3\nmotion\n",
            &reports);
  EXPECT_EQ(settings, TGameSettings{});
  EXPECT_EQ(reports, (std::vector<std::string>{
                         "settings.txt line 1: motion must be smooth or classic, not \"fast\"",
                         "settings.txt line 2: refresh must be a whole number from 0 to 1000, "
                         "not \"1001\"",
                         "settings.txt line 3: refresh must be a whole number from 0 to 1000, "
                         "not \"12x\"",
                         "settings.txt line 4: refresh must be a whole number from 0 to 1000, "
                         "not \"-1\"",
                         "settings.txt line 5: unknown setting \"gravity\" ignored",
                         "settings.txt line 6 has no \"name = value\": ignored",
                     }));
}

// Every setting away from its default, as the options screen leaves them.
TGameSettings Changed() {
  TGameSettings s;
  s.Motion = TMotionStyle::Classic;
  s.Refresh = 75;
  s.Volume = 30;
  s.Display = {false, TScaling::Stretch, TFilter::Smooth, {false, -20, 40, 1024, 700}};
  s.MouseSpeed = 3;
  s.BombKey = 'B';
  s.Pad = {TPadButton::RightShoulder, TPadButton::LeftShoulder, TPadButton::Y, TPadButton::A};
  return s;
}

TEST(GameSettings, EverySettingReadsBackAndAWrongValueIsReportedWithWhatItMustBe) {
  std::vector<std::string> reports;
  const TGameSettings changed = Changed();
  EXPECT_EQ(Parse(GameSettingsText(changed), &reports), changed);
  EXPECT_TRUE(reports.empty()) << reports.front();
  const std::string text = GameSettingsText(changed);
  for (const char* line : {"\nwindow_size = 1024 x 700\n", "\nwindow_place = -20, 40\n",
                           "\nbomb_key = b\n", "\npad_fire = rightshoulder\n", "\npad_pause = a\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;

  const TGameSettings fallen = Parse(
      "volume = 110\ndisplay = tv\nscaling = fill\nfilter = blurry\nwindow_size = 100 x 100\n"
      "window_place = left\nmouse_speed = 0\nbomb_key = escape\nbomb_key = nokey\n"
      "pad_fire = back\npad_pause = dpup\npad_bomb = z\n",
      &reports);
  EXPECT_EQ(fallen, TGameSettings{});
  ASSERT_EQ(reports.size(), 12u);
  EXPECT_EQ(reports[0],
            "settings.txt line 1: volume must be a whole number from 0 to 100, not "
            "\"110\"");
  EXPECT_EQ(reports[1], "settings.txt line 2: display must be fullscreen or window, not \"tv\"");
  EXPECT_EQ(reports[7],
            "settings.txt line 8: bomb_key must be a key other than escape, enter, "
            "backspace, alt, the arrows, pageup and pagedown, not \"escape\"");
  EXPECT_EQ(reports[9],
            "settings.txt line 10: pad_fire must be a controller button other than "
            "back, guide and the pad's arrows, not \"back\"");
}

TEST(GameSettings, SavingKeepsEveryLineTheGameDoesNotKnowAndAddsWhatIsMissing) {
  const std::string previous =
      "# my own note\r\nshare_scores = yes\nmotion = smooth\nvolume = 7x\n\nvolume = 90\n";
  const TGameSettings changed = Changed();
  const std::string text = GameSettingsText(changed, previous);
  EXPECT_TRUE(text.starts_with(
      "# my own note\nshare_scores = yes\nmotion = classic\nvolume = 30\n\nvolume = 30\n"
      "# refresh:"))
      << text;
  std::vector<std::string> reports;
  EXPECT_EQ(Parse(text, &reports), changed);
  EXPECT_EQ(reports, std::vector<std::string>{"settings.txt line 2: unknown setting "
                                              "\"share_scores\" ignored"});
}

}  // namespace
}  // namespace quellix::testing
