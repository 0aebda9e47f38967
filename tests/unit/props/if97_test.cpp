// IAPWS-IF97 against the verification values of its release (Revised
// Release on the IAPWS Industrial Formulation 1997 for the Thermodynamic
// Properties of Water and Steam), and the densities built on it.
#include <gtest/gtest.h>

#include <cmath>

#include "propkit/fluid_density.h"
#include "propkit/if97.h"

namespace {

using namespace qxhost;

// The release prints nine significant digits: a value meets it when it is
// within half a unit of the ninth digit.
void expect_nine_digits(double value, double published)
{
    const double half_unit = 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(published))) - 8);
    EXPECT_NEAR(value, published, half_unit) << "relative " << std::fabs(value - published) / published;
}

// Table 5: thermodynamic property values calculated from equation (7) for
// selected values of T and p.
TEST(If97Region1, MeetsTheVerificationValuesOfTable5)
{
    struct Row {
        double t, p, v, h, w;  // [K], [MPa], [m3/kg], [kJ/kg], [m/s]
    };
    const Row table5[] = {
        {300.0, 3.0, 0.100215168e-2, 0.115331273e3, 0.150773921e4},
        {300.0, 80.0, 0.971180894e-3, 0.184142828e3, 0.163469054e4},
        {500.0, 3.0, 0.120241800e-2, 0.975542239e3, 0.124071337e4},
    };
    for (const Row& row : table5) {
        SCOPED_TRACE(testing::Message() << row.t << " K, " << row.p << " MPa");
        const if97::Region1State state = if97::region1(row.t, row.p);
        expect_nine_digits(state.specific_volume, row.v);
        expect_nine_digits(state.enthalpy, row.h);
        expect_nine_digits(state.speed_of_sound, row.w);
    }
}

// Table 35: saturation pressures calculated from equation (30).
TEST(If97Region4, SaturationPressureMeetsTable35)
{
    expect_nine_digits(if97::saturation_pressure(300.0), 0.353658941e-2);
    expect_nine_digits(if97::saturation_pressure(500.0), 0.263889776e1);
    expect_nine_digits(if97::saturation_pressure(600.0), 0.123443146e2);
}

// Table 36: saturation temperatures calculated from equation (31).
TEST(If97Region4, SaturationTemperatureMeetsTable36)
{
    expect_nine_digits(if97::saturation_temperature(0.1), 0.372755919e3);
    expect_nine_digits(if97::saturation_temperature(1.0), 0.453035632e3);
    expect_nine_digits(if97::saturation_temperature(10.0), 0.584149488e3);
}

TEST(If97Region4, SaturationTemperatureInvertsThePressure)
{
    for (double t : {273.16, 300.0, 373.15, 450.0, 550.0, 640.0}) {
        EXPECT_NEAR(if97::saturation_temperature(if97::saturation_pressure(t)), t, 1e-7) << t;
    }
}

TEST(WaterDensity, LiquidByRegion1AndVapourAsIdealGas)
{
    // Liquid: 1 / v of table 5.
    EXPECT_NEAR(*fluids::water_density(300.0, 3.0), 1.0 / 0.100215168e-2, 1e-5);
    EXPECT_NEAR(*fluids::water_density(500.0, 3.0), 1.0 / 0.120241800e-2, 1e-5);

    // Vapour: p M / (R T) with M = 18.01528 g/mol and R = 8.314462618 J/(mol K).
    const double p = 0.101325;  // [MPa]
    EXPECT_NEAR(*fluids::water_density(400.0, p), 101325.0 * 0.01801528 / (8.314462618 * 400.0), 1e-12);
}

TEST(WaterDensity, TheSaturationLineDecidesThePhase)
{
    const double p = 1.0;                                   // [MPa]
    const double t_sat = if97::saturation_temperature(p);   // 453.035632 K (table 36)
    EXPECT_TRUE(fluids::water_is_liquid(t_sat, p));         // at the line: liquid
    EXPECT_TRUE(fluids::water_is_liquid(t_sat - 1e-6, p));
    EXPECT_FALSE(fluids::water_is_liquid(t_sat + 1e-6, p));
    EXPECT_GT(*fluids::water_density(t_sat, p), 800.0);
    EXPECT_LT(*fluids::water_density(t_sat + 1e-6, p), 10.0);

    // No liquid below the triple-point pressure; above the critical pressure
    // liquid up to the end of region 1.
    EXPECT_FALSE(fluids::water_is_liquid(280.0, 500e-6));
    EXPECT_TRUE(fluids::water_is_liquid(623.15, 30.0));
    EXPECT_FALSE(fluids::water_is_liquid(623.16, 30.0));
}

TEST(WaterDensity, LiquidOutsideRegion1HasNoDensity)
{
    EXPECT_FALSE(fluids::water_density(273.0, 0.101325));   // below 273.15 K
    EXPECT_TRUE(fluids::water_density(273.15, 0.101325));   // the edge is inside
    EXPECT_FALSE(fluids::water_density(630.0, 20.0));       // region 3, under the saturation line
    EXPECT_FALSE(fluids::water_density(300.0, 120.0));      // above 100 MPa
    EXPECT_TRUE(fluids::water_density(300.0, 100.0));
}

TEST(IdealGas, NeedsAPositiveStateAndMolarMass)
{
    // Air at 0 DEG C and one standard atmosphere: 1.2922 kg/m3.
    EXPECT_NEAR(*fluids::ideal_gas_density(273.15, 0.101325, fluids::air_molar_mass),
                101325.0 * 0.0289647 / (8.314462618 * 273.15), 1e-12);
    EXPECT_FALSE(fluids::ideal_gas_density(0.0, 0.1, 28.0));
    EXPECT_FALSE(fluids::ideal_gas_density(-5.0, 0.1, 28.0));
    EXPECT_FALSE(fluids::ideal_gas_density(300.0, 0.0, 28.0));
    EXPECT_FALSE(fluids::ideal_gas_density(300.0, 0.1, 0.0));
    EXPECT_FALSE(fluids::ideal_gas_density(300.0, std::nan(""), 28.0));
    EXPECT_FALSE(fluids::water_density(INFINITY, 0.1));
}

}  // namespace
