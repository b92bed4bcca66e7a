#include <gtest/gtest.h>

#include "config/vtCommaList.h"

namespace quellix {
namespace {

using L = TStringList;

TEST(CommaListSplit, SeparatorsBlanksAndEmptyItems) {
  EXPECT_EQ(Split("a,b"), (L{"a", "b"}));
  EXPECT_EQ(Split("a b"), (L{"a", "b"}));
  EXPECT_EQ(Split("a ,b"), (L{"a", "b"}));
  EXPECT_EQ(Split("a,,b"), (L{"a", "", "b"}));
  EXPECT_EQ(Split("a, ,b"), (L{"a", "", "b"}));
  EXPECT_EQ(Split(",a"), (L{"", "a"}));
  EXPECT_EQ(Split("a,"), (L{"a", ""}));
  EXPECT_EQ(Split("  \t "), L{});
  EXPECT_EQ(Split(""), L{});
  EXPECT_EQ(Split("  a  "), (L{"a"}));
  // A comma followed by blanks at the end is not the last character: no empty item.
  EXPECT_EQ(Split("a, "), (L{"a"}));
}

TEST(CommaListSplit, QuotedItemsKeepBlanksCommasAndQuotes) {
  EXPECT_EQ(Split("\"x y\",5"), (L{"x y", "5"}));
  EXPECT_EQ(Split("x y,5"), (L{"x", "y", "5"}));
  EXPECT_EQ(Split("\"a,b\""), (L{"a,b"}));
  EXPECT_EQ(Split("\"say \"\"hi\"\"\""), (L{"say \"hi\""}));
  EXPECT_EQ(Split("\"\""), (L{""}));
  EXPECT_EQ(Split("\"\"\"\""), (L{"\""}));
  // No closing quote: the item runs to the end of the text.
  EXPECT_EQ(Split("a,\"open, item"), (L{"a", "open, item"}));
  // Text right after a closing quote starts the next item.
  EXPECT_EQ(Split("\"a\"b"), (L{"a", "b"}));
}

TEST(CommaListSplit, ControlCharactersSeparateAndNulNeverHangs) {
  EXPECT_EQ(Split("a\tb\r\nc"), (L{"a", "b", "c"}));
  const std::string withNul("a\0b", 3);
  EXPECT_EQ(Split(withNul), (L{"a", "b"}));
}

TEST(CommaListJoin, QuotesOnlyWhereNeeded) {
  EXPECT_EQ(Join(L{"a", "b"}), "a,b");
  EXPECT_EQ(Join(L{"a", "", "b"}), "a,,b");
  EXPECT_EQ(Join(L{"x y", "5"}), "\"x y\",5");
  EXPECT_EQ(Join(L{"a,b"}), "\"a,b\"");
  EXPECT_EQ(Join(L{"\""}), "\"\"\"\"");
  EXPECT_EQ(Join(L{""}), "\"\"");
  EXPECT_EQ(Join(L{}), "");
  EXPECT_EQ(Join(L{"tab\there"}), "\"tab\there\"");
}

TEST(CommaListRoundTrip, JoinThenSplitGivesTheItemsBack) {
  const std::vector<L> cases = {
      {"a"},
      {""},
      {"", ""},
      {"a", ""},
      {"", "a"},
      {"\""},
      {"\"\""},
      {"a b", "c,d", "e\"f"},
      {"Vez Uzodaz", "100000", "20", "Master Devuvov"},
      {" lead", "trail ", ","},
      {"x", "", "", "y"},
  };
  for (const L& items : cases) EXPECT_EQ(Split(Join(items)), items) << Join(items);
}

TEST(CommaListNesting, EachLevelDoublesTheQuotesInside) {
  const std::string element = Join(L{"a", "1"});
  const std::string section = Join(L{"s", element, Join(L{"b", "2"})});
  EXPECT_EQ(section, "s,\"a,1\",\"b,2\"");
  const std::string group = Join(L{"g", section, "<##VarNames##>", "a", "b", "c"});
  EXPECT_EQ(group, "g,\"s,\"\"a,1\"\",\"\"b,2\"\"\",<##VarNames##>,a,b,c");
  const std::string file = Join(L{group});
  EXPECT_EQ(file, "\"g,\"\"s,\"\"\"\"a,1\"\"\"\",\"\"\"\"b,2\"\"\"\"\"\",<##VarNames##>,a,b,c\"");

  // Three successive splits reach the innermost list.
  const L outer = Split(file);
  ASSERT_EQ(outer.size(), 1u);
  const L groupItems = Split(outer[0]);
  ASSERT_EQ(groupItems.size(), 6u);
  const L sectionItems = Split(groupItems[1]);
  EXPECT_EQ(sectionItems, (L{"s", "a,1", "b,2"}));
  EXPECT_EQ(Split(sectionItems[1]), (L{"a", "1"}));
}

}  // namespace
}  // namespace quellix
