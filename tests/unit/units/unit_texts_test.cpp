// How unit texts are read, what a failed conversion does, the cost basis of
// a rate units text and the unit system.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/unitkit.h"

namespace {

class UnitTexts : public ::testing::Test {
protected:
    void SetUp() override { unitkit_clear_warnings(); }
    void TearDown() override { unitkit_clear_warnings(); }

    static double converted(std::string_view from, std::string_view to, double in)
    {
        double out = std::nan("");
        EXPECT_EQ(units_adjust(from, to, &in, &out, nullptr, "", "b"), 1) << from << " to " << to;
        return out;
    }
};

TEST_F(UnitTexts, LetterCaseAndBlanksAroundCodesDoNotMatter)
{
    EXPECT_DOUBLE_EQ(converted("klb/h", "LB/H", 2.5), 2500.0);
    EXPECT_DOUBLE_EQ(converted(" KLB / H ", "lb/hr", 2.5), 2500.0);
    EXPECT_DOUBLE_EQ(converted("M3 /H", "m3/h", 7.0), 7.0);
    EXPECT_DOUBLE_EQ(converted("\tMmBtu/H\r\n", "BTU/H", 1.0), 1e6);
    EXPECT_NEAR(converted("deg f", "Deg C", 212.0), 100.0, 1e-12);
    EXPECT_NEAR(converted("DEG  F", "K", 32.0), 273.15, 1e-12);
}

TEST_F(UnitTexts, QuotientsOfTwoCodesMeetTheSingleCodesOfTheSameDimension)
{
    // power: a heat duty and an electrical power are one dimension
    EXPECT_NEAR(converted("MMBTU/H", "MEGAW", 1.0), 0.29307107017222222, 1e-15);
    EXPECT_NEAR(converted("KW", "KJ/H", 1.0), 3600.0, 1e-12);
    EXPECT_NEAR(converted("KWH/H", "KW", 5.0), 5.0, 1e-14);
    EXPECT_NEAR(converted("HP", "BTU/H", 1.0), 745.69987158227022 * 3600.0 / 1055.05585262, 1e-11);
    // volume flow
    EXPECT_NEAR(converted("KCFH", "M3/H", 1.0), 28.316846592, 1e-12);
    EXPECT_NEAR(converted("CFM", "CFH", 1.0), 60.0, 1e-12);
    EXPECT_NEAR(converted("GPM", "GAL/MIN", 3.0), 3.0, 1e-14);
    EXPECT_NEAR(converted("MMGAL/H", "GPH", 1.0), 1e6, 1e-6);
    EXPECT_NEAR(converted("CFH", "MMGAL/H", 1e6), 0.028316846592 / 0.003785411784, 1e-12);
    // density and specific energy
    EXPECT_NEAR(converted("PCF", "LB/FT3", 62.4), 62.4, 1e-12);
    EXPECT_NEAR(converted("KG/M3", "PCF", 1000.0), 62.427960576144606, 1e-11);
    EXPECT_NEAR(converted("KJ/KG", "BTU/LB", 2.326), 1.0, 1e-15);
    // mass flow
    EXPECT_NEAR(converted("T/D", "LB/H", 1.0), 1000.0 / 0.45359237 / 24.0, 1e-10);
}

TEST_F(UnitTexts, InputAndOutputMayBeTheSameVariable)
{
    double value = 3.0;
    ASSERT_EQ(units_adjust("KLB/H", "LB/H", &value, &value, nullptr, "", "b"), 1);
    EXPECT_DOUBLE_EQ(value, 3000.0);
}

struct Failure {
    const char* from;
    const char* to;
    const char* reason;  // a part of the message
};

class FailedConversions : public UnitTexts, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailedConversions, LeaveTheOutputAndAreRememberedWithBothUnits)
{
    const Failure& f = GetParam();
    unitkit_note_source("CW-101 / TOTAL MASS FLOW");
    const double in = 42.0;
    double out = -7.5;
    std::string message;
    EXPECT_EQ(units_adjust(f.from, f.to, &in, &out, &message, "", "b"), 0);
    EXPECT_EQ(out, -7.5);
    EXPECT_NE(message.find('"' + std::string(f.from) + '"'), std::string::npos) << message;
    EXPECT_NE(message.find('"' + std::string(f.to) + '"'), std::string::npos) << message;
    EXPECT_NE(message.find(f.reason), std::string::npos) << message;

    ASSERT_EQ(unitkit_warnings().size(), 1u);
    const UnitWarning& warning = unitkit_warnings().front();
    EXPECT_EQ(warning.from_units, f.from);
    EXPECT_EQ(warning.to_units, f.to);
    EXPECT_EQ(warning.source, "CW-101 / TOTAL MASS FLOW");
    // The warning keeps the reason; the caller's message is the whole sentence.
    EXPECT_NE(warning.message.find(f.reason), std::string::npos) << warning.message;
    EXPECT_EQ(message.substr(message.size() - warning.message.size()), warning.message);
}

INSTANTIATE_TEST_SUITE_P(
    UnitTexts, FailedConversions,
    ::testing::Values(Failure{"KLB/H", "M3/H", "different dimensions (kg s^-1 and m^3 s^-1)"},
                      Failure{"KW", "KWH", "different dimensions"},
                      Failure{"BTU/LB", "BTU", "different dimensions"},
                      Failure{"DEG F", "PSIA", "different dimensions"},
                      Failure{"PCF", "LB", "different dimensions"},
                      Failure{"XYZ", "LB/H", "unknown unit \"XYZ\""},
                      Failure{"LB/H", "KLB/FORTNIGHT", "unknown unit \"FORTNIGHT\""},
                      Failure{"$/KLB", "$/LB", "unknown unit \"$\""},
                      Failure{"/H", "CFH", "no unit given"},
                      Failure{"", "LB/H", "no unit given"},
                      Failure{"BTU/LB/F", "KJ/KG", "unknown unit \"LB/F\""},
                      Failure{"KLBS/H", "LB/H", "unknown unit \"KLBS\""},
                      Failure{"BTU/DEG F", "BTU/K", "shifted scale"},
                      Failure{"KPA/PSIG", "KPA/PSIA", "shifted scale"}),
    // Stable names: the default would print the texts' addresses, which change
    // from one run of the binary to the next.
    [](const ::testing::TestParamInfo<Failure>& info) { return "Case" + std::to_string(info.index); });

TEST_F(UnitTexts, AFailureIsRememberedOncePerUnitsAndSource)
{
    const double in = 1.0;
    double out = 0.0;
    unitkit_note_source("CW-101 / TOTAL MASS FLOW");
    units_adjust("FOO/H", "LB/H", &in, &out, nullptr, "", "b");
    units_adjust("FOO/H", "LB/H", &in, &out, nullptr, "", "b");
    EXPECT_EQ(unitkit_warnings().size(), 1u);

    units_adjust("LB/H", "FOO/H", &in, &out, nullptr, "", "b");  // other direction
    unitkit_note_source("CW-102 / TOTAL MASS FLOW");              // other source
    units_adjust("FOO/H", "LB/H", &in, &out, nullptr, "", "b");
    ASSERT_EQ(unitkit_warnings().size(), 3u);
    EXPECT_EQ(unitkit_warnings()[2].source, "CW-102 / TOTAL MASS FLOW");

    // Successful conversions add nothing.
    units_adjust("KLB/H", "LB/H", &in, &out, nullptr, "", "b");
    EXPECT_EQ(unitkit_warnings().size(), 3u);

    unitkit_clear_warnings();
    EXPECT_TRUE(unitkit_warnings().empty());
    units_adjust("FOO/H", "LB/H", &in, &out, nullptr, "", "b");
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].source, "");  // clearing forgets the source too
}

TEST_F(UnitTexts, MissingValuesFailWithoutTouchingAnything)
{
    double out = 5.0;
    EXPECT_EQ(units_adjust("LB", "KG", nullptr, &out, nullptr, "", "b"), 0);
    EXPECT_EQ(out, 5.0);
    const double in = 1.0;
    EXPECT_EQ(units_adjust("LB", "KG", &in, nullptr, nullptr, "", "b"), 0);
}

TEST(FlowBasis, RateUnitsGiveVolumeMassOrEnergyFlow)
{
    for (const char* units : {"M3/H", "KCFH", "MCFH", "CFH", "CFM", "GPM", "GPH", "MMGAL/H", "KGAL/D", "BBL/DAY",
                              "l/s"}) {
        EXPECT_EQ(unitkit_flow_basis(units), 1) << units;
    }
    for (const char* units : {"LB/H", "KLB/H", "klb / hr", "T/D", "KG/S", "MMLB/YR", "G/MIN"}) {
        EXPECT_EQ(unitkit_flow_basis(units), 2) << units;
    }
    for (const char* units : {"BTU/H", "MMBTU/H", "KJ/H", "GJ/H", "THERM/H", "KWH/H", "KW", "MEGAW", "MW", "HP",
                              "kcal/s"}) {
        EXPECT_EQ(unitkit_flow_basis(units), 3) << units;
    }
    for (const char* units : {"/H", "", "H", "$/H", "KLB", "KWH", "PCF", "BTU/LB", "KW/H", "DEG F", "PSIG",
                              "KLB/H/H", "FOO/H"}) {
        EXPECT_EQ(unitkit_flow_basis(units), 0) << units;
    }
}

TEST(FlowBasis, RateUnitsWithAnUnknownCodeAreWarnedAbout)
{
    unitkit_clear_warnings();
    unitkit_note_source("Steam / Unit Cost Units");
    EXPECT_EQ(unitkit_flow_basis("KLBS/H"), 0);
    ASSERT_EQ(unitkit_warnings().size(), 1u);
    EXPECT_EQ(unitkit_warnings()[0].from_units, "KLBS/H");
    EXPECT_EQ(unitkit_warnings()[0].to_units, "");
    EXPECT_EQ(unitkit_warnings()[0].source, "Steam / Unit Cost Units");
    EXPECT_NE(unitkit_warnings()[0].message.find("KLBS"), std::string::npos);

    // Texts that name no unit, or known units of another quantity, are not
    // unknown: nothing to warn about.
    unitkit_clear_warnings();
    for (const char* units : {"/H", "", "KLB", "PCF", "KW/H"}) unitkit_flow_basis(units);
    EXPECT_TRUE(unitkit_warnings().empty());
}

TEST(UnitSystem, ReportsWhatTheHostSet)
{
    const int before = units_get_unit_type();
    for (int system : {1, 0, 2, -3}) {
        unitkit_set_unit_type(system);
        EXPECT_EQ(units_get_unit_type(), system);
    }
    unitkit_set_unit_type(before);
}

}  // namespace
