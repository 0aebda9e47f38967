// Utility rates by route, on streams of a loaded project.
#include <gtest/gtest.h>

#include <string>

#include "common/host_ptr.h"
#include "host/projmodel.h"
#include "rates/utility_rate.h"
#include "support/support.h"

namespace {

// A project with one utility stream `S` whose slots are `slots`, and the
// configuration entries and criteria the routes look at.
std::string project_with(const std::string& slots, int unit_system = 0, bool fuel_guard = true)
{
    return R"({
  "project": {"instance": 1, "name": "P", "scenario": "S", "unit_system": )" +
           std::to_string(unit_system) + R"(},
  "configurations": )" + (fuel_guard ? "[2105]" : "[]") + R"(,
  "design_criteria": {"Heat Exchangers": {"Fuel heating value": {"value": 20000, "units": "BTU/LB"}}},
  "utility_streams": {"entries": [
    {"name": "Steam", "slots": {"Unit Cost Units": "$/KLB"}},
    {"name": "Cooling Water", "slots": {"Unit Cost Units": "$/KGAL"}},
    {"name": "Chilled Water", "slots": {"Unit Cost Units": "$/MMBTU"}},
    {"name": "Odd", "slots": {"Unit Cost Units": "$/KW"}},
    {"name": "Unpriced"},
    {"name": "Broken", "valid": false, "slots": {"Unit Cost Units": "$/KLB"}}
  ]},
  "objects": [{"name": "S", "class": 3105, "slots": )" + slots + R"(}]
})";
}

struct rated {
    double rate = 0.0;
    std::string units;
};

rated rate_of(const std::string& utility)
{
    CqxProject project(1, "P", "S", 0, nullptr, nullptr, 0);
    CqxProjectStreamsConfig config(&project, 2005, 0);
    auto stream = tovex::adopt(CqxObjectInfoNode("S", nullptr, nullptr, 0, 3105, nullptr).InstantiateStream(&project, 0));
    rated result;
    tovex::get_utility_rate(&project, stream.get(), &config, utility, result.rate, result.units);
    return result;
}

class UtilityRate : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }
};

TEST_F(UtilityRate, MassBasisConvertsTheMassFlowToTheRateUnits)
{
    tovex_test::load_project(project_with(R"({"TOTAL MASS FLOW": {"value": 18000, "units": "LB/H"}})"));
    const rated steam = rate_of("Steam");
    EXPECT_EQ(steam.units, "KLB/H");
    EXPECT_DOUBLE_EQ(steam.rate, 18.0);
}

TEST_F(UtilityRate, MassFlowWithoutUnitsIsTakenAsRead)
{
    tovex_test::load_project(project_with(R"({"TOTAL MASS FLOW": 18000})"));
    EXPECT_DOUBLE_EQ(rate_of("Steam").rate, 18000.0);
}

TEST_F(UtilityRate, DutyBasisConvertsTheDuty)
{
    tovex_test::load_project(project_with(R"({"DUTY": {"value": 2500000, "units": "BTU/H"}})"));
    const rated chilled = rate_of("Chilled Water");
    EXPECT_EQ(chilled.units, "MMBTU/H");
    EXPECT_DOUBLE_EQ(chilled.rate, 2.5);
    // A power is an energy flow too.
    EXPECT_EQ(rate_of("Odd").units, "KW/H");
}

TEST_F(UtilityRate, VolumeBasisIsMassFlowOverDensity)
{
    // 62.4 lb/ft3 given on the stream; 624000 LB/H is 10000 ft3/h.
    tovex_test::load_project(project_with(
        R"({"TOTAL MASS FLOW": {"value": 624000, "units": "LB/H"}, "TOTAL MASS DENSITY": {"value": 62.4, "units": "PCF"}})"));
    const rated water = rate_of("Cooling Water");
    EXPECT_EQ(water.units, "KGAL/H");
    EXPECT_NEAR(water.rate, 10000.0 * 0.028316846592 / 0.003785411784 / 1000.0, 1e-9);
}

TEST_F(UtilityRate, VolumeBasisWithoutADensityIsZero)
{
    tovex_test::load_project(project_with(
        R"({"TOTAL MASS FLOW": {"value": 624000, "units": "LB/H"}, "TOTAL MASS DENSITY": {"value": 0, "units": "PCF"}})"));
    EXPECT_EQ(rate_of("Cooling Water").rate, 0.0);
}

TEST_F(UtilityRate, EntriesThatGiveNoRate)
{
    tovex_test::load_project(project_with(R"({"TOTAL MASS FLOW": {"value": 5, "units": "LB/H"}})"));
    const rated missing = rate_of("Nitrogen");
    EXPECT_EQ(missing.units, "");
    EXPECT_EQ(missing.rate, 0.0);
    const rated unpriced = rate_of("Unpriced");
    EXPECT_EQ(unpriced.units, "/H");
    EXPECT_EQ(unpriced.rate, 0.0);
    // An entry that is not valid reads nothing: "/H" and no basis.
    EXPECT_EQ(rate_of("Broken").units, "/H");
}

TEST_F(UtilityRate, FuelTakesTheStreamsRateWhenItHasUnits)
{
    tovex_test::load_project(project_with(
        R"({"Rate": {"value": 42.5, "units": "MMBTU/H"}, "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}})"));
    const rated fuel = rate_of("fuel gas");
    EXPECT_EQ(fuel.units, "MMBTU/H");
    EXPECT_DOUBLE_EQ(fuel.rate, 42.5);
}

TEST_F(UtilityRate, FuelFallsBackOnHeatingValueTimesMassFlow)
{
    // A rate without units is ignored.
    tovex_test::load_project(project_with(R"({"Rate": 42.5, "TOTAL MASS FLOW": {"value": 2100, "units": "LB/H"}})"));
    EXPECT_DOUBLE_EQ(rate_of("FUEL").rate, 42.0);  // 20000 BTU/LB x 2100 LB/H
}

TEST_F(UtilityRate, FuelWithoutTheGuardingConfigurationHasNoRate)
{
    tovex_test::load_project(project_with(R"({"TOTAL MASS FLOW": {"value": 2100, "units": "LB/H"}})", 0, false));
    const rated fuel = rate_of("Fuel");
    EXPECT_EQ(fuel.units, "MMBTU/H");
    EXPECT_EQ(fuel.rate, 0.0);
}

TEST_F(UtilityRate, FuelInMetricUnitsOnlyForUnitSystemOne)
{
    tovex_test::load_project(project_with(R"({"Rate": {"value": 3.412141633, "units": "MMBTU/H"}})", 1));
    const rated metric = rate_of("Fuel");
    EXPECT_EQ(metric.units, "MEGAW");
    EXPECT_NEAR(metric.rate, 1.0, 1e-9);
    qxhost::Workspace::get().unload();
    tovex_test::load_project(project_with(R"({"Rate": {"value": 1, "units": "MMBTU/H"}})", 2));
    EXPECT_EQ(rate_of("Fuel").units, "MMBTU/H");
}

TEST_F(UtilityRate, NamesShorterThanTheRoutePrefixOrWithTheWordLaterTakeTheEntryRoute)
{
    tovex_test::load_project(project_with(R"({"Rate": {"value": 1, "units": "MMBTU/H"}})"));
    EXPECT_EQ(rate_of("Fue").units, "");
    EXPECT_EQ(rate_of("Heavy Fuel").units, "");
}

TEST_F(UtilityRate, VolumetricUtilitiesHaveFixedUnits)
{
    tovex_test::load_project(project_with(
        R"({"TOTAL MASS FLOW": {"value": 62.4, "units": "LB/H"}, "TOTAL MASS DENSITY": {"value": 62.4, "units": "PCF"}})"));
    const rated air = rate_of("instrument air north");
    EXPECT_EQ(air.units, "KCFH");
    EXPECT_DOUBLE_EQ(air.rate, 0.001);
    const rated water = rate_of("POTABLE WATER");
    EXPECT_EQ(water.units, "MMGAL/H");
    EXPECT_NEAR(water.rate, 0.028316846592 / 0.003785411784 / 1e6, 1e-18);

    qxhost::Workspace::get().unload();
    tovex_test::load_project(project_with(
        R"({"TOTAL MASS FLOW": {"value": 62.4, "units": "LB/H"}, "TOTAL MASS DENSITY": {"value": 62.4, "units": "PCF"}})",
        1));
    EXPECT_EQ(rate_of("Instrument Air").units, "M3/H");
    EXPECT_EQ(rate_of("Potable Water").units, "M3/H");
}

}  // namespace
