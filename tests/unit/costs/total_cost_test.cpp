// The number handed to the host with the total cost per period.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "costs/total_cost.h"

namespace {

TEST(TotalCostNumber, DropsTheFraction)
{
    EXPECT_EQ(tovex::total_cost_number(99.9), 99u);
    EXPECT_EQ(tovex::total_cost_number(0.0), 0u);
    EXPECT_EQ(tovex::total_cost_number(-0.0), 0u);
}

TEST(TotalCostNumber, ANegativeTotalWrapsToTheTopOfTheUnsignedRange)
{
    EXPECT_EQ(tovex::total_cost_number(-1.5), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(tovex::total_cost_number(-100.0), std::numeric_limits<std::uint64_t>::max() - 99u);
}

TEST(TotalCostNumber, TotalsOutsideTheSignedRangeOrNotFiniteGetDefinedValues)
{
    const std::uint64_t top = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::uint64_t bottom = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(tovex::total_cost_number(1e19), top);
    EXPECT_EQ(tovex::total_cost_number(9223372036854775808.0), top);
    EXPECT_EQ(tovex::total_cost_number(INFINITY), top);
    EXPECT_EQ(tovex::total_cost_number(-1e19), bottom);
    EXPECT_EQ(tovex::total_cost_number(-INFINITY), bottom);
    EXPECT_EQ(tovex::total_cost_number(NAN), 0u);
    // The largest double below 2^63 still converts exactly.
    EXPECT_EQ(tovex::total_cost_number(9223372036854774784.0), 9223372036854774784u);
    EXPECT_EQ(tovex::total_cost_number(-9223372036854775808.0), bottom);
}

}  // namespace
