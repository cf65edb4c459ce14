#include "base/Text.h"

#include <gtest/gtest.h>

namespace brenta::text {
namespace {

TEST(Text, SplitKeepsEveryFieldEmptyOnesIncluded)
{
    EXPECT_EQ(Split("", '{'), (std::vector<std::string_view>{""}));
    EXPECT_EQ(Split("a{{b{", '{'), (std::vector<std::string_view>{"a", "", "b", ""}));
}

// Only the ASCII letters fold: a byte of another code page stays as it is, whatever
// the locale.
TEST(Text, CaseFoldsAsciiLettersOnly)
{
    EXPECT_EQ(FoldCase(std::string("R.A.M. \xC9Z")), "r.a.m. \xC9z");
    EXPECT_TRUE(EqualsIgnoringCase("TRUE", "true"));
    EXPECT_FALSE(EqualsIgnoringCase("\xC9", "\xE9"));
    EXPECT_FALSE(EqualsIgnoringCase("true", "trueish"));
    EXPECT_EQ(FindIgnoringCase("[Item] Data R.a.M. - x", "r.a.m."), 12u);
    EXPECT_EQ(FindIgnoringCase("RAM", "r.a.m."), std::string_view::npos);
    EXPECT_EQ(FindIgnoringCase("abc", ""), 0u);
}

} // namespace
} // namespace brenta::text
