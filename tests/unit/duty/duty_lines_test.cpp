// Balance lines: how one stream's sums become a line, and how a utility's
// lines reduce to its net duty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rates/duty_lines.h"

namespace {

struct line_case {
    double outlet;
    double other;
    const char* line;
};

TEST(BalanceLine, DirectionFollowsTheOtherSumAndTheSignOfTheNet)
{
    const std::vector<line_case> cases = {
        {1500.0, 0.0, "1500.000000-MIX\n"},   // nothing at other connectors
        {-40.0, 0.0, "40.000000-MIX\n"},      // a negative mix is written whole
        {2000.0, 500.0, "1500.000000-OUT\n"},
        {100.0, 300.0, "200.000000-IN\n"},    // the line carries the absolute net
        {100.0, 100.0, "0.000000-OUT\n"},     // exactly zero with partners is OUT
        {0.0, 0.0, "0.000000-MIX\n"},
    };
    for (const auto& c : cases) {
        tovex::duty_sums sums;
        sums.outlet = c.outlet;
        sums.other = c.other;
        EXPECT_EQ(tovex::balance_line(sums), c.line) << c.outlet << " against " << c.other;
    }
}

double reduce(const std::vector<std::string>& lines)
{
    tovex::direction_sums sums;
    for (const auto& line : lines) tovex::add_balance_line(line, sums);
    return tovex::net_balance_duty(sums);
}

TEST(BalanceReduction, MixLinesNetAgainstTheDirectedOnes)
{
    EXPECT_DOUBLE_EQ(reduce({"1500.000000-OUT", "200.000000-MIX"}), -1300.0);
    EXPECT_DOUBLE_EQ(reduce({"300.000000-IN", "200.000000-MIX", "50.000000-MIX"}), -50.0);
}

TEST(BalanceReduction, WithoutMixTheDirectedLinesAddUp)
{
    EXPECT_DOUBLE_EQ(reduce({"200.000000-IN", "1500.000000-OUT"}), 1700.0);
    // A mix of zero counts as no mix at all.
    EXPECT_DOUBLE_EQ(reduce({"200.000000-IN", "0.000000-MIX"}), 200.0);
}

TEST(BalanceReduction, MarkersAreSearchedInOrderAndOddLinesIgnored)
{
    tovex::direction_sums sums;
    tovex::add_balance_line("5.000000-OUT-IN", sums);  // "-IN" is looked for first
    tovex::add_balance_line("7.000000", sums);          // no marker
    tovex::add_balance_line("", sums);
    tovex::add_balance_line("-MIX", sums);              // no number: 0
    tovex::add_balance_line("-3.000000-MIX", sums);     // mixed duties count unsigned
    EXPECT_DOUBLE_EQ(sums.in, 5.0);
    EXPECT_DOUBLE_EQ(sums.out, 0.0);
    EXPECT_DOUBLE_EQ(sums.mix, 3.0);
}

TEST(BalanceReduction, LongNumbersAreReadWhole)
{
    tovex::duty_sums sums;
    sums.outlet = 1e300;
    const std::string line = tovex::balance_line(sums);
    ASSERT_GT(line.size(), 300u);
    tovex::direction_sums reduced;
    tovex::add_balance_line(line, reduced);
    EXPECT_DOUBLE_EQ(reduced.mix, 1e300);
}

}  // namespace
