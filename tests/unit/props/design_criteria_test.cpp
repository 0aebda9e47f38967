// critkit_get_and_adjust_criteria_n on the loaded project's design criteria.
#include <gtest/gtest.h>

#include "host/critkit.h"
#include "host/unitkit.h"
#include "support/support.h"

namespace {

class DesignCriteria : public ::testing::Test {
protected:
    void SetUp() override
    {
        tovex_test::load_project(R"({"project": {"instance": 7, "name": "P", "scenario": "S"},
            "design_criteria": {"Heat Exchangers": {"Fuel heating value": {"value": 20500, "units": "BTU/LB"}}}})");
        unitkit_clear_warnings();
    }
    void TearDown() override
    {
        qxhost::Workspace::get().unload();
        unitkit_clear_warnings();
    }
};

TEST_F(DesignCriteria, AreConvertedToTheUnitsAskedFor)
{
    double value = 0.0;
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", &value, "BTU/LB"), 1);
    EXPECT_EQ(value, 20500.0);
    // 1 Btu/lb = 2.326 kJ/kg exactly (NIST SP 811 B.8)
    EXPECT_NEAR(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", &value, "kj/kg"), 1, 0);
    EXPECT_NEAR(value, 20500.0 * 2.326, 1e-9);
    EXPECT_TRUE(unitkit_warnings().empty());
}

TEST_F(DesignCriteria, TheCallersValueStaysWhenThereIsNone)
{
    double value = 0.0;
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel Heating Value", &value, "BTU/LB"), 0);
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Pumps", "Fuel heating value", &value, "BTU/LB"), 0);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", nullptr, "BTU/LB"), 0);

    qxhost::Workspace::get().unload();
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", &value, "BTU/LB"), 0);
    EXPECT_EQ(value, 0.0);
}

TEST_F(DesignCriteria, UnitsThatDoNotConvertLeaveTheValueAndWarn)
{
    double value = 0.0;
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", &value, "KW"), 0);
    EXPECT_EQ(value, 0.0);
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].from_units, "BTU/LB");
    EXPECT_EQ(unitkit_warnings()[0].to_units, "KW");
    EXPECT_EQ(unitkit_warnings()[0].source, "design_criteria / Heat Exchangers / Fuel heating value");
}

TEST_F(DesignCriteria, ACriterionWithoutUnitsIsTakenInTheUnitsAskedForWithAWarning)
{
    tovex_test::loaded().design_criteria.get_or_add("Towers").set("Tray efficiency", {0.7, ""});
    double value = 0.0;
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Towers", "Tray efficiency", &value, ""), 1);
    EXPECT_EQ(value, 0.7);
    EXPECT_TRUE(unitkit_warnings().empty());

    value = 0.0;
    EXPECT_EQ(critkit_get_and_adjust_criteria_n("Towers", "Tray efficiency", &value, "BTU/LB"), 1);
    EXPECT_EQ(value, 0.7);
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].source, "design_criteria / Towers / Tray efficiency");
    EXPECT_EQ(unitkit_warnings()[0].message, "a criterion without units, taken to be in \"BTU/LB\"");
}

}  // namespace
