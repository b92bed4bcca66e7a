#include <gtest/gtest.h>

#include <stdexcept>

#include "config/vtStrToInt.h"

namespace quellix {
namespace {

TEST(StrToInt, ReadsSignedDecimalsWithinRange) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-372"), -372);
  EXPECT_EQ(StrToInt("+15"), 15);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElseNamingTheText) {
  for (const char* bad : {"", "-", "+", "+-1", "++1", "1.5", "12a", " 12", "12 ", "0x10",
                          "2147483648", "-2147483649"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace quellix
