// The settings file: what each line may say, what is reported, and the text written
// for a missing file, which reads back as the defaults.
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
  const TGameSettings classic{TMotionStyle::Classic, 144, "https://board.example:8443/quellix"};
  EXPECT_EQ(Parse(GameSettingsText(classic), &reports), classic);
  EXPECT_EQ(Parse("  motion=classic \r\n\n# motion = smooth\r\nrefresh =0\n"),
            (TGameSettings{TMotionStyle::Classic, 0}));
  EXPECT_TRUE(reports.empty());
}

TEST(GameSettings, AWrongLineIsReportedAndLeavesItsDefault) {
  std::vector<std::string> reports;
  const TGameSettings settings = Parse(
      "motion = fast\nrefresh = 1001\nrefresh = 12x\nrefresh = -1\nvolume = 3\nmotion\n"
      "board = ftp://host\nboard = http://\nboard = http://a b\n",
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
                         "settings.txt line 5: unknown setting \"volume\" ignored",
                         "settings.txt line 6 has no \"name = value\": ignored",
                         "settings.txt line 7: board must be an address such as "
                         "http://host:8080, not \"ftp://host\"",
                         "settings.txt line 8: board must be an address such as "
                         "http://host:8080, not \"http://\"",
                         "settings.txt line 9: board must be an address such as "
                         "http://host:8080, not \"http://a b\"",
                     }));
}

}  // namespace
}  // namespace quellix::testing
