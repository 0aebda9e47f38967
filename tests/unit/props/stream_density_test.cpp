// propkit_calc_tot_mass_density on streams of a loaded project.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "host/projmodel.h"
#include "host/propkit.h"
#include "host/unitkit.h"
#include "support/support.h"

namespace {

// Published figures the expectations are built from.
constexpr double kg_per_m3_per_pcf = 16.018463373960140;  // lb/ft3 (NIST SP 811 B.8, from its exact definitions)
constexpr double pa_per_psi = 6894.757293168361;           // lbf/in2, idem
constexpr double gas_constant = 8.314462618;               // [J/(mol K)] (CODATA 2018, exact)
constexpr double v_300k_3mpa = 0.100215168e-2;             // [m3/kg], IAPWS-IF97 table 5

std::string project_with(const std::string& slots, const std::string& defaults = "{}")
{
    return R"({"project": {"instance": 7, "name": "P", "scenario": "S"},
               "objects": [{"name": "CW-101", "class": 3105, "slots": )" +
           slots + R"(, "defaults": )" + defaults + "}]}";
}

class StreamDensity : public ::testing::Test {
protected:
    void TearDown() override
    {
        stream_.reset();
        project_.reset();
        qxhost::Workspace::get().unload();
        unitkit_clear_warnings();
    }

    CqxStream* open(const std::string& json)
    {
        tovex_test::load_project(json);
        unitkit_clear_warnings();
        project_ = std::make_unique<CqxProject>(7, "P", "S", 0, nullptr, nullptr, 0);
        CqxObjectInfoNode node("CW-101", nullptr, nullptr, 0, 3105, nullptr);
        stream_.reset(node.InstantiateStream(project_.get(), 0));
        EXPECT_NE(stream_, nullptr);
        return stream_.get();
    }

    // The density the stream holds on its own slots [PCF]; NaN when none.
    double own_density_pcf()
    {
        double density = std::nan("");
        std::string units;
        if (stream_->GetValue("TOTAL MASS DENSITY", density, units) == 0) return std::nan("");
        EXPECT_EQ(units, "PCF");
        return density;
    }

    double computed_pcf(const std::string& slots)
    {
        CqxStream* stream = open(project_with(slots));
        EXPECT_EQ(propkit_calc_tot_mass_density(stream), 1) << slots;
        return own_density_pcf();
    }

    std::unique_ptr<CqxProject> project_;
    std::unique_ptr<CqxStream> stream_;
};

TEST_F(StreamDensity, LiquidWaterInAnyOfTheTemperatureAndPressureCodes)
{
    const double expected = 1.0 / v_300k_3mpa / kg_per_m3_per_pcf;
    const double psia = 3e6 / pa_per_psi;
    const std::string temperatures[] = {R"({"value": 300, "units": "K"})",
                                        R"({"value": 26.85, "units": "DEG C"})",
                                        R"({"value": 80.33, "units": "deg f"})",
                                        R"({"value": 540, "units": "DEG R"})"};
    const std::string pressures[] = {R"({"value": 3, "units": "MPA"})",
                                     R"({"value": 3000, "units": "KPA"})",
                                     R"({"value": 30, "units": "BAR"})",
                                     R"({"value": 30, "units": "BARA"})",
                                     R"({"value": 28.98675, "units": "BARG"})",
                                     R"({"value": )" + std::to_string(psia) + R"(, "units": "PSIA"})",
                                     R"({"value": )" + std::to_string(psia - 14.696) + R"(, "units": "PSIG"})",
                                     R"({"value": 29.607698, "units": "ATM"})"};
    for (const std::string& t : temperatures) {
        for (const std::string& p : pressures) {
            const double density =
                computed_pcf(R"({"FLUID": "Water", "TEMPERATURE": )" + t + R"(, "PRESSURE": )" + p + "}");
            // The liquid hardly feels the last digits of the texts above.
            EXPECT_NEAR(density / expected, 1.0, 1e-8) << t << " " << p;
        }
    }
}

TEST_F(StreamDensity, ADensityTheStreamHoldsIsKept)
{
    CqxStream* stream = open(project_with(R"({"FLUID": "Water", "TOTAL MASS DENSITY": {"value": 999, "units": "KG/M3"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 1);
    double density = 0.0;
    std::string units;
    ASSERT_NE(stream->GetValue("TOTAL MASS DENSITY", density, units), 0);
    EXPECT_EQ(density, 999.0);
    EXPECT_EQ(units, "KG/M3");

    // Also one that only the defaults hold; nothing is written then.
    stream = open(project_with(R"({"FLUID": "Water"})", R"({"TOTAL MASS DENSITY": {"value": 61, "units": "PCF"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 1);
    EXPECT_TRUE(std::isnan(own_density_pcf()));
}

TEST_F(StreamDensity, MissingTemperatureAndPressureAre60DegFAnd14696Psia)
{
    const double by_default = computed_pcf(R"({"FLUID": "Water"})");
    const double explicit_state = computed_pcf(R"({"FLUID": "Water",
        "TEMPERATURE": {"value": 60, "units": "DEG F"}, "PRESSURE": {"value": 14.696, "units": "PSIA"}})");
    EXPECT_EQ(by_default, explicit_state);
    EXPECT_NEAR(by_default, 62.37, 0.01);  // water at 60 DEG F, about 999 kg/m3
}

TEST_F(StreamDensity, InheritedStateIsUsed)
{
    CqxStream* stream = open(project_with(R"({"FLUID": "Air"})",
                                          R"({"TEMPERATURE": {"value": 300, "units": "K"},
                                              "PRESSURE": {"value": 100, "units": "KPA"}})"));
    ASSERT_EQ(propkit_calc_tot_mass_density(stream), 1);
    EXPECT_NEAR(own_density_pcf(), 1e5 * 0.0289647 / (gas_constant * 300.0) / kg_per_m3_per_pcf, 1e-14);
}

TEST_F(StreamDensity, GasesAreIdeal)
{
    // Steam above its saturation temperature (212 DEG F at one atmosphere).
    const double steam = computed_pcf(R"({"FLUID": "WATER, LP steam",
        "TEMPERATURE": {"value": 500, "units": "DEG F"}, "PRESSURE": {"value": 0, "units": "PSIG"}})");
    const double t_steam = (500.0 + 459.67) / 1.8;  // [K]
    EXPECT_NEAR(steam / (14.696 * pa_per_psi * 0.01801528 / (gas_constant * t_steam) / kg_per_m3_per_pcf), 1.0, 1e-12);

    const double air = computed_pcf(R"({"FLUID": "air", "TEMPERATURE": {"value": 0, "units": "DEG C"},
        "PRESSURE": {"value": 1, "units": "ATM"}})");
    EXPECT_NEAR(air / (101325.0 * 0.0289647 / (gas_constant * 273.15) / kg_per_m3_per_pcf), 1.0, 1e-12);

    const double methane = computed_pcf(R"({"FLUID": "Natural Gas", "MOLECULAR WEIGHT": 16.043,
        "TEMPERATURE": {"value": 300, "units": "K"}, "PRESSURE": {"value": 2, "units": "MPA"}})");
    EXPECT_NEAR(methane / (2e6 * 0.016043 / (gas_constant * 300.0) / kg_per_m3_per_pcf), 1.0, 1e-12);
}

TEST_F(StreamDensity, NoUsableFluidGivesNoDensity)
{
    for (const char* slots : {R"({"FLUID": "Natural Gas"})", R"({})", R"({"FLUID": "Hydrogen", "MOLECULAR WEIGHT": 0})",
                              R"({"FLUID": "Hydrogen", "MOLECULAR WEIGHT": "unknown"})",
                              R"({"FLUID": " Water"})", R"({"FLUID": "Wat"})"}) {
        CqxStream* stream = open(project_with(slots));
        EXPECT_EQ(propkit_calc_tot_mass_density(stream), 0) << slots;
        EXPECT_TRUE(std::isnan(own_density_pcf())) << slots;
    }
    EXPECT_EQ(propkit_calc_tot_mass_density(nullptr), 0);
}

TEST_F(StreamDensity, LiquidWaterOutsideRegion1GivesNoDensityAndAWarning)
{
    CqxStream* stream = open(project_with(R"({"FLUID": "Water", "TEMPERATURE": {"value": 20, "units": "DEG F"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 0);
    EXPECT_TRUE(std::isnan(own_density_pcf()));
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].source, "CW-101");
    EXPECT_EQ(unitkit_warnings()[0].message,
              "no mass density at 20 DEG F and 14.696 PSIA: liquid water outside IAPWS-IF97 region 1 "
              "(273.15 K to 623.15 K, at most 100 MPa)");

    stream = open(project_with(R"({"FLUID": "Water", "PRESSURE": {"value": -5, "units": "BAR"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 0);
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].message,
              "no mass density at 60 DEG F and -5 BAR: the temperature and pressure must be positive and finite");
}

TEST_F(StreamDensity, AStateThatCannotBeConvertedIsAWarningNamingTheSlot)
{
    CqxStream* stream = open(project_with(R"({"FLUID": "Water", "TEMPERATURE": 85,
        "PRESSURE": {"value": 60, "units": "PSIG"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 0);
    EXPECT_TRUE(std::isnan(own_density_pcf()));
    ASSERT_EQ(unitkit_warnings().size(), 2u);
    EXPECT_EQ(unitkit_warnings()[0].from_units, "");
    EXPECT_EQ(unitkit_warnings()[0].to_units, "K");
    EXPECT_EQ(unitkit_warnings()[0].source, "CW-101 / TEMPERATURE");
    EXPECT_EQ(unitkit_warnings()[1].message,
              "no mass density at 85 and 60 PSIG: the temperature or pressure units are not known");

    stream = open(project_with(R"({"FLUID": "Air", "PRESSURE": {"value": 60, "units": "PSIGX"}})"));
    EXPECT_EQ(propkit_calc_tot_mass_density(stream), 0);
    ASSERT_EQ(unitkit_warnings().size(), 2u);
    EXPECT_EQ(unitkit_warnings()[0].from_units, "PSIGX");
    EXPECT_EQ(unitkit_warnings()[0].source, "CW-101 / PRESSURE");
}

}  // namespace
