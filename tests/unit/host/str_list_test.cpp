// CStrList splitting and lookup, and the host string class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/listkit.h"

namespace {

std::vector<std::string> items_of(const CStrList& list)
{
    std::vector<std::string> items;
    for (int i = 0; const char* text = list.GetTextAt(i); ++i) items.emplace_back(text);
    return items;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    CStrList list;
    list.AddTextList(text, separator);
    return items_of(list);
}

using Items = std::vector<std::string>;

TEST(StrList, SplittingAtOneSeparator)
{
    EXPECT_EQ(split("", '\n'), Items{});
    EXPECT_EQ(split("Fuel", '\n'), Items{"Fuel"});
    EXPECT_EQ(split("a\nb", '\n'), (Items{"a", "b"}));
    EXPECT_EQ(split("a\n", '\n'), Items{"a"});
    EXPECT_EQ(split("\n", '\n'), Items{""});
    EXPECT_EQ(split("a\n\nb", '\n'), (Items{"a", "", "b"}));
    EXPECT_EQ(split("\na\n\n", '\n'), (Items{"", "a", ""}));
}

TEST(StrList, SplittingAtASetOfSeparators)
{
    CStrList list;
    list.AddTextList("101:310.500000\n", ":");
    EXPECT_EQ(items_of(list), (Items{"101", "310.500000\n"}));

    CStrList several;
    several.AddTextList("a:b;c::", ":;");
    EXPECT_EQ(items_of(several), (Items{"a", "b", "c", ""}));

    CStrList none;
    none.AddTextList("a:b", nullptr);
    EXPECT_EQ(items_of(none), Items{"a:b"});
}

TEST(StrList, AddTextAppendsWholeAndSplitsNothing)
{
    CStrList list;
    list.AddText("");
    list.AddText("a\nb");
    EXPECT_EQ(items_of(list), (Items{"", "a\nb"}));
}

TEST(StrList, MembershipAndLengths)
{
    CStrList list;
    list.AddTextList("Cooling Water\nSteam\n", '\n');
    EXPECT_TRUE(list.IsMember("Steam"));
    EXPECT_FALSE(list.IsMember("steam"));
    EXPECT_FALSE(list.IsMember(""));
    int length = -1;
    EXPECT_STREQ(list.GetTextAt(0, &length), "Cooling Water");
    EXPECT_EQ(length, 13);
    length = -1;
    EXPECT_EQ(list.GetTextAt(2, &length), nullptr);
    EXPECT_EQ(length, -1);

    CStrList copy(list);
    copy.RemoveAll();
    EXPECT_TRUE(list.IsMember("Cooling Water"));
    EXPECT_FALSE(copy.IsMember("Cooling Water"));
}

TEST(StrList, LongTextsAreKeptWhole)
{
    const std::string long_name(5000, 'x');
    CStrList list;
    list.AddTextList(long_name + "\n", '\n');
    int length = 0;
    ASSERT_NE(list.GetTextAt(0, &length), nullptr);
    EXPECT_EQ(length, 5000);
    EXPECT_TRUE(list.IsMember(long_name));
}

TEST(HostString, TrimsAllBlanksIncludingLineBreaks)
{
    CqxString text(" \t\r\nM3/H \r\n");
    text.TrimLeft();
    EXPECT_STREQ(text.Text(), "M3/H \r\n");
    text.TrimRight();
    EXPECT_STREQ(text.Text(), "M3/H");
    EXPECT_FALSE(text.IsBlank());

    CqxString blank(" \n\t");
    EXPECT_TRUE(blank.IsBlank());
    blank.TrimRight();
    EXPECT_EQ(blank.GetLength(), 0);
    EXPECT_TRUE(CqxString(static_cast<const char*>(nullptr)).IsBlank());
}

TEST(HostString, FindRightAndAppending)
{
    CqxString units("$/KLB");
    EXPECT_EQ(units.Find('/'), 1);
    EXPECT_EQ(units.Find('#'), -1);
    EXPECT_STREQ(units.Right(3).Text(), "KLB");
    EXPECT_STREQ(units.Right(0).Text(), "");
    EXPECT_STREQ(units.Right(-2).Text(), "");
    EXPECT_STREQ(units.Right(50).Text(), "$/KLB");
    units += "/H";
    EXPECT_STREQ(units.Text(), "$/KLB/H");
    units = "x";
    EXPECT_EQ(units.GetLength(), 1);
    units = static_cast<const char*>(nullptr);
    EXPECT_EQ(units.GetLength(), 0);
    units.Empty();
    EXPECT_TRUE(units.IsBlank());
}

}  // namespace
