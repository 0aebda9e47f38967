// Posting amounts into the caller's cost lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "costs/cost_posting.h"
#include "support/support.h"
#include "tovex/tovex.h"

namespace {

using tovex_test::CallerLists;

std::vector<qxhost::CostRow> rows()
{
    return {{"Cooling Water", "CW Cost", "", {}},
            {"Tempered Water", "CW Cost", "", {}},
            {"Steam", "Steam Cost", "", {}},
            {"Spent", "Spent Cost", "7.5\nKLB/H", {}}};
}

std::string post(const CallerLists& lists, const std::string& utility, std::string text)
{
    tovex::post_utility_cost(utility, text, lists.names(), lists.cost_slots(), lists.values());
    return text;
}

TEST(CostPosting, StoresTheAmountPaddedToEightWithItsUnits)
{
    CallerLists lists(rows());
    EXPECT_EQ(post(lists, "Cooling Water", "12.500000\nKCFH"), "12.5    \nKCFH");
    EXPECT_EQ(lists.value_of("CW Cost"), "12.5    \nKCFH");
}

TEST(CostPosting, RoundsToSevenSignificantDigitsAtEveryPosting)
{
    CallerLists lists(rows());
    EXPECT_EQ(post(lists, "Steam", "12345678\nLB/H"), "1.234568e+07\nLB/H");

    CallerLists again(rows());
    post(again, "Steam", "1000000.000000\nLB/H");
    EXPECT_EQ(post(again, "Steam", "0.400000\nLB/H"), "1000000 \nLB/H");
}

TEST(CostPosting, UtilitiesSharingACostSlotAddIntoOneValueWithTheLatestUnits)
{
    CallerLists lists(rows());
    post(lists, "Cooling Water", "10.000000\nKGAL/H");
    post(lists, "Tempered Water", "2.500000\n");
    EXPECT_EQ(lists.value_of("CW Cost"), "12.5    \n");
}

TEST(CostPosting, CreditsLowerTheStoredAmountBelowZero)
{
    CallerLists lists(rows());
    post(lists, "Spent", "-10.000000\nKLB/H");
    EXPECT_EQ(lists.value_of("Spent Cost"), "-2.5    \nKLB/H");
}

TEST(CostPosting, ACreditedZeroIntoAnEmptyRowIsStoredAsZero)
{
    CallerLists lists(rows());
    post(lists, "Steam", "-0.000000\nKLB/H");
    EXPECT_EQ(lists.value_of("Steam Cost"), "0       \nKLB/H");
}

TEST(CostPosting, AUtilityWithoutARowPostsNothingAndKeepsTheText)
{
    CallerLists lists(rows());
    EXPECT_EQ(post(lists, "Nitrogen", "3.000000\nKCFH"), "3.000000\nKCFH");
    EXPECT_EQ(lists.value_of("CW Cost"), "");
}

TEST(CostPosting, OddTextsReadAsZeroOrAsAWholeAmount)
{
    CallerLists lists(rows());
    // A text without a line feed is all amount; the stored text ends in one.
    EXPECT_EQ(post(lists, "Steam", "4"), "4       \n");
    // A stored value that does not start with a number counts as 0.
    CallerLists junk({{"Steam", "Steam Cost", "n/a\nLB/H", {}}});
    EXPECT_EQ(post(junk, "Steam", "1.5\nLB/H"), "1.5     \nLB/H");
}

TEST(CostPosting, TheExportedAdderRewritesTheCallersBufferAndPassesTheResultThrough)
{
    CallerLists lists(rows());
    char buffer[64] = "5\nKW";
    EXPECT_EQ(tovex_add_utility_costs(lists.cost_slots(), lists.values(), "Steam Cost", buffer), 1);
    EXPECT_STREQ(buffer, "5       \nKW");
    EXPECT_EQ(lists.value_of("Steam Cost"), "5       \nKW");

    // A cost slot that is not in the keys list: the host stores nothing.
    char other[64] = "1\nKW";
    EXPECT_EQ(tovex_add_utility_costs(lists.cost_slots(), lists.values(), "Nowhere", other), 0);
    EXPECT_EQ(tovex_add_utility_costs(lists.cost_slots(), lists.values(), nullptr, other), 0);
}

}  // namespace
