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

TEST(TotalCostNumber, TotalsAtTheEndsOrNotFiniteGetDefinedValues)
{
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t bottom = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::min());
    // Positive totals below 2^64 convert exactly, above the signed range too.
    EXPECT_EQ(tovex::total_cost_number(9223372036854775808.0), 9223372036854775808u);
    EXPECT_EQ(tovex::total_cost_number(1e19), 10000000000000000000u);
    EXPECT_EQ(tovex::total_cost_number(18446744073709549568.0), 18446744073709549568u);
    EXPECT_EQ(tovex::total_cost_number(18446744073709551616.0), top);
    EXPECT_EQ(tovex::total_cost_number(1e300), top);
    EXPECT_EQ(tovex::total_cost_number(INFINITY), top);
    EXPECT_EQ(tovex::total_cost_number(NAN), 0u);
    EXPECT_EQ(tovex::total_cost_number(-1e19), bottom);
    EXPECT_EQ(tovex::total_cost_number(-INFINITY), bottom);
    EXPECT_EQ(tovex::total_cost_number(-9223372036854775808.0), bottom);
}

}  // namespace
