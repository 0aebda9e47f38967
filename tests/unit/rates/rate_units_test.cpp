// Rate units made from "Unit Cost Units" texts.
#include <gtest/gtest.h>

#include "rates/utility_rate.h"

namespace {

TEST(RateUnits, TheQuantityUnitAfterTheFirstSlashPerHour)
{
    EXPECT_EQ(tovex::rate_units_from_cost_units("$/KLB"), "KLB/H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("  $ / MMBTU "), "MMBTU /H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("EUR/M3"), "M3/H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("$/KGAL/X"), "KGAL/X/H");
}

TEST(RateUnits, TheLastCharacterIsNeverExamined)
{
    EXPECT_EQ(tovex::rate_units_from_cost_units("MMBTU"), "U/H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("$/"), "//H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("/"), "//H");
    EXPECT_EQ(tovex::rate_units_from_cost_units(""), "/H");
    EXPECT_EQ(tovex::rate_units_from_cost_units("$"), "$/H");
}

}  // namespace
