// A message box is as wide as its longest line: the text is broken to fit the desktop,
// at blanks where it can, its own line breaks kept.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "media/vtMessageText.h"

namespace quellix::testing {
namespace {

size_t LongestLine(const std::string& text) {
  std::istringstream lines(text);
  size_t longest = 0;
  for (std::string line; std::getline(lines, line);) longest = std::max(longest, line.size());
  return longest;
}

TEST(MessageText, LongLinesAreBrokenToFitTheDesktopAndNothingIsLost) {
  // The box of a bad frame line, as a player met it: one long line of the file's name,
  // the line's number and the line itself.
  const std::string bad =
      "data/quellix.txt line 1873: a frame line needs 14 values: "
      "\"BigExplosion01,255,32000,32000,32000,32000,0.5,0.5,32000,1,2,3,4,5,6,7,8,9,10,11,12\""
      "\nThe frame is left out.";
  const int columns = media::MessageColumns(1024);
  EXPECT_LE(columns * 8 + 120, 1024);
  const std::string wrapped = media::WrapMessage(bad, columns);
  EXPECT_LE(LongestLine(wrapped), static_cast<size_t>(columns));
  std::string joined = wrapped;
  for (char& c : joined)
    if (c == '\n') c = ' ';
  std::string plain = bad;
  for (char& c : plain)
    if (c == '\n') c = ' ';
  EXPECT_EQ(joined, plain) << "broken only at blanks, which the breaks take";
  EXPECT_NE(wrapped.find("\nThe frame is left out."), std::string::npos);

  // A word longer than a line is broken where the line ends; short text stays as it is.
  EXPECT_EQ(media::WrapMessage("abcdefghij", 4), "abcd\nefgh\nij");
  EXPECT_EQ(media::WrapMessage("short\r\ntext", 40), "short\ntext");
  EXPECT_EQ(media::MessageColumns(100), 30);
  EXPECT_EQ(media::MessageColumns(5000), 110);
}

}  // namespace
}  // namespace quellix::testing
