#include <gtest/gtest.h>

#include "config/vtStrToInt.h"
#include "config/vtTextFile.h"

namespace quellix {
namespace {

using L = TStringList;

TEST(SplitLines, AnyLineEndAndNoPhantomLastLine) {
  EXPECT_EQ(SplitLines(""), L{});
  EXPECT_EQ(SplitLines("a"), L{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (L{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), L{"a"});
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (L{"a", ""}));
  EXPECT_EQ(SplitLines("\n"), L{""});
  EXPECT_EQ(SplitLines("a\n\rb"), (L{"a", "", "b"}));
}

TEST(SplitLines, AByteOrderMarkAtTheStartIsNoPartOfTheFirstLine) {
  EXPECT_EQ(SplitLines("\xEF\xBB\xBF"
                       "a\r\nb"),
            (L{"a", "b"}));
  EXPECT_EQ(SplitLines("\xEF\xBB\xBF"), L{});
  EXPECT_EQ(SplitLines("a\n\xEF\xBB\xBF"
                       "b"),
            (L{"a",
               "\xEF\xBB\xBF"
               "b"}))
      << "only at the start";
}

TEST(StrToInt, DecimalWithOptionalSignOver32Bits) {
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("+12"), 12);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad :
       {"", "7a", " 7", "7 ", "+", "-", "+-1", "--1", "2147483648", "0x10", "1.5", "$10"})
    EXPECT_THROW(StrToInt(bad), std::invalid_argument) << bad;
}

}  // namespace
}  // namespace quellix
